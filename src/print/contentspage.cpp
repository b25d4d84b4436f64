#include "contentspage.h"

#include "pagerenderer.h"
#include "printmarkup.h"
#include "surface.h"

#include "base/numbers.h"
#include "song/song.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace lvx::print {

namespace {

const QString Ellipsis = QStringLiteral("\u2026");

// The longest start of the title that fits the width, with an ellipsis when cut.
QString fitted(Surface& surface, const QString& title, double width)
{
    if (surface.TextWidth(title) <= width)
        return title;
    qsizetype low = 0;
    qsizetype high = title.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (surface.TextWidth(title.left(middle) + Ellipsis) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return title.left(low) + Ellipsis;
}

// One contents line at the pen: title, leader, page number flush right. The
// dots sit on a grid from the left margin, so leaders line up down the page.
void drawEntry(Surface& target, const ContentsEntry& entry, double left, double right)
{
    const QString number = QString::number(entry.page);
    const double numberX = right - target.TextWidth(number);
    const QString leader = QStringLiteral(". ");
    const double gap = target.TextWidth(QStringLiteral(" "));
    const double step = qMax(1.0, target.TextWidth(leader));
    target.CurrentX = left;
    target.Print(fitted(target, entry.title, numberX - left - 2 * gap - 3 * step));
    const double firstDot = left + std::ceil((target.CurrentX + gap - left) / step) * step;
    const auto dots = qsizetype(std::floor((numberX - gap - firstDot) / step));
    if (dots > 0) {
        target.CurrentX = firstDot;
        target.Print(leader.repeated(dots).chopped(1));
    }
    target.CurrentX = numberX;
    target.Print(number);
}

} // namespace

QString contentsTitle(const song::Song& song, const QString& path)
{
    return song.title.isEmpty() ? QFileInfo(path).completeBaseName() : song.title;
}

void sortContents(QList<ContentsEntry>& entries)
{
    // The C locale compares code points; a book wants a reader's order anyway.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::ranges::stable_sort(entries, [&collator](const ContentsEntry& a, const ContentsEntry& b) {
        return collator.compare(a.title, b.title) < 0;
    });
}

int DrawContentsPages(Surface& target, PrintState& state, const song::Song& look, Messages& messages,
                      const QList<ContentsEntry>& entries)
{
    state.PrintTitle = QStringLiteral("Contents");
    state.FirstColumn = true;
    PageRenderer renderer(state, look, messages, {});
    const QString lyric = FontTags(*look.fonts, QStringLiteral("Lyric"));
    renderer.DrawHeader(target, target);
    renderer.RenderMarkupLine(target, target, FontTags(*look.fonts, QStringLiteral("Title")) + u"<C>Contents<CR><LF>");
    renderer.RenderMarkupLine(target, target, lyric + u"<CR><LF>");

    const double left = look.MargenL;
    const double right = target.ScaleWidth() - look.MargenR;
    const double bottom = target.ScaleHeight() - look.MargenB;
    int pages = 1;
    for (const ContentsEntry& entry : entries) {
        renderer.RenderMarkupLine(target, target, lyric);
        const double lineHeight = roundHalfEven(target.TextHeight(QStringLiteral("Hola")));
        // A page holds at least one line, however tall the font.
        if (target.CurrentY + lineHeight > bottom && target.CurrentY > look.MargenT) {
            renderer.DrawFooter(target, target);
            target.NewPage();
            ++pages;
            renderer.DrawHeader(target, target);
            renderer.RenderMarkupLine(target, target, lyric);
        }
        drawEntry(target, entry, left, right);
        renderer.InterpretTag(target, target, QStringLiteral("LF"));
    }
    renderer.DrawFooter(target, target);
    return pages;
}

} // namespace lvx::print
