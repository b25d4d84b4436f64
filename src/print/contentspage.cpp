#include "contentspage.h"

#include "pagerenderer.h"
#include "printmarkup.h"
#include "surface.h"

#include "base/numbers.h"
#include "base/text.h"
#include "song/metadata.h"
#include "song/song.h"

#include <QCollator>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace lvx::print {

namespace {

const QString Ellipsis = QStringLiteral("\u2026");
// How far a song stands in from the heading of its group.
constexpr double GroupIndent = 360;

// The C locale compares code points; a book wants a reader's order anyway.
QCollator readerCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

// Every value the song gives a fact, once each, in file order: a song of two
// artists names both.
QString factValues(const QList<song::MetaEntry>& facts, QStringView name)
{
    QStringList values;
    for (const song::MetaEntry& fact : facts) {
        QString value = trimBlanks(fact.value);
        if (fact.name == name && !value.isEmpty() && !values.contains(value))
            values.append(std::move(value));
    }
    return values.join(u", ");
}

// An artist's heading and its songs.
struct ArtistGroup
{
    QString name;
    QString sortName;
    QList<const ContentsEntry*> songs;
};

void appendGroup(QList<ContentsLine>& lines, const ArtistGroup& group)
{
    lines.append({group.name, 0, true});
    for (const ContentsEntry* song : group.songs)
        lines.append({song->title, song->page, false});
}

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
void drawEntry(Surface& target, const ContentsLine& entry, double left, double right)
{
    const QString number = QString::number(entry.page);
    const double numberX = right - target.TextWidth(number);
    const QString leader = QStringLiteral(". ");
    const double gap = target.TextWidth(QStringLiteral(" "));
    const double step = qMax(1.0, target.TextWidth(leader));
    target.CurrentX = left;
    target.Print(fitted(target, entry.text, numberX - left - 2 * gap - 3 * step));
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

ContentsEntry contentsEntry(const song::Song& song, const QString& path)
{
    const QList<song::MetaEntry> facts = song::songMetadata(song.lines);
    ContentsEntry entry;
    // A blank title names nothing.
    entry.title = trimBlanks(song.title).isEmpty() ? QFileInfo(path).completeBaseName() : song.title;
    entry.sortTitle = factValues(facts, u"sorttitle");
    entry.artist = factValues(facts, u"artist");
    entry.sortArtist = factValues(facts, u"sortartist");
    return entry;
}

void sortContents(QList<ContentsEntry>& entries)
{
    const QCollator collator = readerCollator();
    const auto key = [](const ContentsEntry& entry) -> const QString& {
        return entry.sortTitle.isEmpty() ? entry.title : entry.sortTitle;
    };
    std::ranges::stable_sort(entries, [&](const ContentsEntry& a, const ContentsEntry& b) {
        return collator.compare(key(a), key(b)) < 0;
    });
}

QList<ContentsLine> contentsLines(const QList<ContentsEntry>& entries)
{
    QList<ContentsLine> lines;
    lines.reserve(entries.size());
    for (const ContentsEntry& entry : entries)
        lines.append({entry.title, entry.page, false});
    return lines;
}

QList<ContentsLine> contentsByArtist(const QList<ContentsEntry>& entries)
{
    QList<ArtistGroup> groups;
    QHash<QString, qsizetype> groupOf;
    ArtistGroup unknown{QString::fromUtf16(UnknownArtist), {}, {}};
    for (const ContentsEntry& entry : entries) {
        if (entry.artist.isEmpty()) {
            unknown.songs.append(&entry);
            continue;
        }
        qsizetype index = groupOf.value(entry.artist, -1);
        if (index < 0) {
            index = groups.size();
            groupOf.insert(entry.artist, index);
            groups.append({entry.artist, {}, {}});
        }
        ArtistGroup& group = groups[index];
        if (group.sortName.isEmpty())
            group.sortName = entry.sortArtist;
        group.songs.append(&entry);
    }
    const QCollator collator = readerCollator();
    const auto key = [](const ArtistGroup& group) -> const QString& {
        return group.sortName.isEmpty() ? group.name : group.sortName;
    };
    std::ranges::stable_sort(groups, [&](const ArtistGroup& a, const ArtistGroup& b) {
        return collator.compare(key(a), key(b)) < 0;
    });
    QList<ContentsLine> lines;
    for (const ArtistGroup& group : std::as_const(groups))
        appendGroup(lines, group);
    if (!unknown.songs.isEmpty())
        appendGroup(lines, unknown);
    return lines;
}

int DrawContentsPages(Surface& target, PrintState& state, const song::Song& look, Messages& messages,
                      const QString& caption, const QList<ContentsLine>& lines)
{
    state.PrintTitle = QStringLiteral("Contents");
    state.FirstColumn = true;
    PageRenderer renderer(state, look, messages, {});
    const QString lyric = FontTags(*look.fonts, QStringLiteral("Lyric"));
    const QString heading = lyric + u"<B>";
    renderer.DrawHeader(target, target);
    renderer.RenderMarkupLine(target, target,
                              FontTags(*look.fonts, QStringLiteral("Title")) + u"<C>" + markupText(caption) + u"<CR><LF>");
    renderer.RenderMarkupLine(target, target, lyric + u"<CR><LF>");

    const double left = look.MargenL;
    const double right = target.ScaleWidth() - look.MargenR;
    const double bottom = target.ScaleHeight() - look.MargenB;
    double indent = 0;
    int pages = 1;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const ContentsLine& line = lines[index];
        const QString& font = line.heading ? heading : lyric;
        renderer.RenderMarkupLine(target, target, font);
        // Half a line more above a heading that follows songs.
        if (line.heading && index > 0)
            renderer.InterpretTag(target, target, QStringLiteral("LF:0.5"));
        const double lineHeight = roundHalfEven(target.TextHeight(QStringLiteral("Hola")));
        // A heading takes its first song along; a page holds at least one
        // line, however tall the font.
        const int rows = line.heading && index + 1 < lines.size() ? 2 : 1;
        if (target.CurrentY + rows * lineHeight > bottom && target.CurrentY > look.MargenT) {
            renderer.DrawFooter(target, target);
            target.NewPage();
            ++pages;
            renderer.DrawHeader(target, target);
            renderer.RenderMarkupLine(target, target, font);
        }
        if (line.heading) {
            target.CurrentX = left;
            target.Print(fitted(target, line.text, right - left));
            indent = GroupIndent;
        } else {
            drawEntry(target, line, left + indent, right);
        }
        renderer.InterpretTag(target, target, QStringLiteral("LF"));
    }
    renderer.DrawFooter(target, target);
    return pages;
}

} // namespace lvx::print
