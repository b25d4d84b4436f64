#include "pagerenderer.h"
#include "pagetemplate.h"

#include "surface.h"

#include "base/fonts.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "base/text.h"
#include "song/song.h"

#include <cmath>
#include <utility>

namespace lvx::print {

namespace {

// A number in a tag (already trimmed): the leading number, "." as the decimal point.
double tagNumber(QStringView argument)
{
    return leadingNumber(argument);
}

double rounded(double value)
{
    return roundHalfEven(value);
}

// A tag name as upper-cased character by character equals `name` (upper case).
bool isName(QStringView text, QStringView name)
{
    if (text.size() != name.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == name[i].unicode())
            continue;
        // Tag names are upper-case ASCII; other letters go through the full case table.
        const bool same = c < 0x80 ? c >= u'a' && c <= u'z' && c - (u'a' - u'A') == name[i].unicode()
                                   : text[i].toUpper() == name[i];
        if (!same)
            return false;
    }
    return true;
}

// Where character c first stands in text from `from` on, or -1. Tags and the
// pieces between them are a few characters long: a plain loop finds them
// sooner than QStringView::indexOf, whose set-up is made for long texts.
qsizetype findShort(QStringView text, char16_t c, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == c)
            return i;
    }
    return -1;
}

enum class Tag { Unknown, CR, LF, Bold, Italic, FontName, FontSize, FontColor, Subscript, Superscript, NewPage,
                 ColumnBreak, Center, TwoColumnsOn, TwoColumnsOff, StartChorus, StartBridge, StartBlock,
                 EndSection };

// Which tag a name is, long or short form: a line holds many tags, and
// comparing each with every name cost more than the rest of reading it.
Tag tagOf(QStringView name)
{
    const auto is = [name](QStringView upper) { return isName(name, upper); };
    switch (name.size()) {
    case 1:
        return is(u"B") ? Tag::Bold : is(u"I") ? Tag::Italic : is(u"C") ? Tag::Center : Tag::Unknown;
    case 2:
        return is(u"CR")   ? Tag::CR
               : is(u"LF") ? Tag::LF
               : is(u"FN") ? Tag::FontName
               : is(u"FS") ? Tag::FontSize
               : is(u"FC") ? Tag::FontColor
               : is(u"S-") ? Tag::Subscript
               : is(u"S+") ? Tag::Superscript
               : is(u"NP") ? Tag::NewPage
               : is(u"CB") ? Tag::ColumnBreak
                           : Tag::Unknown;
    case 3:
        return is(u"SOC")   ? Tag::StartChorus
               : is(u"SOB") ? Tag::StartBridge
               : is(u"EOC") || is(u"EOB") ? Tag::EndSection
                                          : Tag::Unknown;
    case 4:
        return is(u"TCON") ? Tag::TwoColumnsOn : Tag::Unknown;
    case 5:
        return is(u"TCOFF")   ? Tag::TwoColumnsOff
               : is(u"SOBLK") ? Tag::StartBlock
               : is(u"EOBLK") ? Tag::EndSection
                              : Tag::Unknown;
    case 6:
        return is(u"CENTER") ? Tag::Center : Tag::Unknown;
    case 8:
        return is(u"FONTNAME") ? Tag::FontName : is(u"FONTSIZE") ? Tag::FontSize : Tag::Unknown;
    case 9:
        return is(u"FONTCOLOR") ? Tag::FontColor : is(u"SUBSCRIPT") ? Tag::Subscript : Tag::Unknown;
    case 11:
        return is(u"SUPERSCRIPT") ? Tag::Superscript : Tag::Unknown;
    default:
        return Tag::Unknown;
    }
}

} // namespace

PageRenderer::PageRenderer(PrintState& state, const song::Song& song, Messages& messages, DiagramsAtPageEnd diagrams)
    : m_state(state), m_song(song), m_messages(messages), m_diagrams(std::move(diagrams))
{
}

void PageRenderer::RenderMarkupLine(Surface& target, Surface& reference, const QString& line)
{
    const double startY = reference.CurrentY;
    m_state.TextLeft = m_state.FirstColumn
        ? double(m_song.MargenL)
        : m_song.MargenL + rounded((target.ScaleWidth() - m_song.MargenL - m_song.MargenR) / 2);
    target.CurrentX = reference.CurrentX = m_state.TextLeft;
    m_state.CenterLine = m_state.NewPageRequested = m_state.ColumnBreakRequested = false;
    target.FontBold = reference.FontBold = false;
    target.FontItalic = reference.FontItalic = false;

    // The line is read in place: text pieces and tags are views into it. "<LT>"
    // stands for a "<" of the text and joins the pieces around it, so a centred
    // line stays one piece.
    const QStringView whole(line);
    QString joined;
    const auto upTo = [&](QStringView piece) { return joined.isEmpty() ? piece : QStringView(joined += piece); };
    qsizetype start = 0;
    qsizetype open = findShort(whole, u'<', start);
    while (open >= 0) {
        const QStringView piece = whole.sliced(start, open - start);
        const qsizetype close = findShort(whole, u'>', open + 1);
        const QStringView tag = close < 0 ? QStringView() : blanksTrimmed(whole.sliced(open + 1, close - open - 1));
        if (close >= 0 && isName(tag, u"LT")) {
            joined += piece;
            joined += u'<';
            start = close + 1;
        } else {
            drawTextPiece(target, reference, upTo(piece), true);
            joined.clear();
            if (close < 0) {
                if (!std::exchange(m_reportedUnclosedTag, true))
                    m_messages.inform(QStringLiteral("Error falta >"));
                start = open + 1;
            } else {
                interpretTag(target, reference, tag);
                start = close + 1;
            }
        }
        open = findShort(whole, u'<', start);
    }
    drawTextPiece(target, reference, upTo(whole.sliced(start)), false);
    m_state.MaxLineHeight = qMax(m_state.MaxLineHeight, reference.CurrentY - startY);
}

void PageRenderer::drawTextPiece(Surface& target, Surface& reference, QStringView piece, bool beforeTag)
{
    if (piece.isEmpty() && !m_state.CenterLine)
        return;
    const QString text = piece.toString();
    if (m_state.CenterLine) {
        // Before a tag the reference measures; for the line's last piece the target does.
        Surface& measure = beforeTag ? reference : target;
        target.CurrentX = m_state.TextLeft + (measure.ScaleWidth() - m_song.MargenR - m_state.TextLeft) / 2
            - measure.TextWidth(text) / 2;
    }
    const double y = target.CurrentY;
    target.Print(text);
    target.CurrentY = y;
}

void PageRenderer::InterpretTag(Surface& target, Surface& reference, const QString& tag)
{
    interpretTag(target, reference, blanksTrimmed(tag));
}

void PageRenderer::interpretTag(Surface& target, Surface& reference, QStringView tag)
{
    const bool closing = tag.startsWith(u'/');
    const QStringView body = closing ? tag.sliced(1) : tag;
    const qsizetype colon = findShort(body, u':');
    const QStringView name = blanksTrimmed(colon < 0 ? body : body.left(colon));
    const QStringView argument = colon < 0 ? QStringView() : blanksTrimmed(body.sliced(colon + 1));

    const Tag kind = tagOf(name);
    if (kind == Tag::CR) {
        m_state.TextRight = qMax(m_state.TextRight, rounded(target.CurrentX));
        target.CurrentX = reference.CurrentX = m_state.TextLeft;
    } else if (kind == Tag::LF) {
        double y = 0;
        if (!closing) {
            const double factor = argument.isEmpty() ? 1.0 : tagNumber(argument);
            m_state.LastLineFeed = rounded(reference.TextHeight(QStringLiteral("Hola")) * factor);
            y = reference.CurrentY + m_state.LastLineFeed;
        } else {
            y = reference.CurrentY - m_state.LastLineFeed;
        }
        target.CurrentY = reference.CurrentY = rounded(y);
    } else if (kind == Tag::Bold) {
        target.FontBold = reference.FontBold = !closing;
    } else if (kind == Tag::Italic) {
        target.FontItalic = reference.FontItalic = !closing;
    } else if (kind == Tag::FontName) {
        // Lines name their fonts again and again: the same name is kept, not copied.
        const QStringView fontName = usableFontName(argument);
        if (target.FontName != fontName)
            target.FontName = fontName.toString();
        if (reference.FontName != fontName)
            reference.FontName = target.FontName;
    } else if (kind == Tag::FontSize) {
        const double size = usableFontSize(tagNumber(argument));
        m_state.BaseFontSize = int(rounded(size));
        target.FontSize = m_state.scaled(size);
        reference.FontSize = size;
    } else if (kind == Tag::FontColor) {
        const qint32 color = toInt32(tagNumber(argument));
        target.ForeColor = m_state.ToPaper && !m_state.ColorPrinting ? 0 : color;
    } else if (kind == Tag::Subscript) {
        if (!closing) {
            target.FontSize = m_state.BaseFontSize * 0.8;
            m_state.ScriptShift = int(target.TextHeight(QStringLiteral("0"))) / 3;
            target.CurrentY += m_state.ScriptShift;
        } else {
            target.FontSize = m_state.BaseFontSize;
            target.CurrentY -= m_state.ScriptShift;
        }
    } else if (kind == Tag::Superscript) {
        if (!closing) {
            m_state.ScriptShift = int(target.TextHeight(QStringLiteral("0"))) / 3;
            target.CurrentY -= m_state.ScriptShift;
        } else {
            target.CurrentY += m_state.ScriptShift;
        }
    } else if (kind == Tag::NewPage) {
        m_state.NewPageRequested = true;
    } else if (kind == Tag::ColumnBreak) {
        m_state.ColumnBreakRequested = true;
    } else if (kind == Tag::Center) {
        m_state.CenterLine = true;
    } else if (kind == Tag::TwoColumnsOn) {
        m_state.TextTop = rounded(target.CurrentY);
        m_state.TwoColumns = true;
    } else if (kind == Tag::TwoColumnsOff) {
        m_state.TwoColumns = false;
    } else if (kind == Tag::StartChorus) {
        startMark(target, u' ' + (argument.isEmpty() ? QStringLiteral("Chorus") : argument.toString()) + u' ');
    } else if (kind == Tag::StartBridge) {
        startMark(target, u' ' + (argument.isEmpty() ? QStringLiteral("Bridge") : argument.toString()) + u' ');
    } else if (kind == Tag::StartBlock) {
        startMark(target, u' ' + argument.toString() + u' ');
    } else if (kind == Tag::EndSection && m_state.SectionOpen) {
        endMark(target);
    }
}

void PageRenderer::blackLine(Surface& target, double x1, double y1, double x2, double y2)
{
    const qint32 color = target.ForeColor;
    target.ForeColor = 0;
    target.Line(x1, y1, x2, y2);
    target.ForeColor = color;
}

void PageRenderer::endMark(Surface& target)
{
    const double x0 = m_state.TextLeft;
    const int h = int(target.TextHeight(QStringLiteral("0")));
    const double yb = target.CurrentY + h / 2;
    blackLine(target, x0 - 100, yb - 1.5 * h, x0 - 100, yb);
    blackLine(target, x0 - 100, yb, x0 + 1000, yb);
    m_state.SectionOpen = false;
}

void PageRenderer::startMark(Surface& target, const QString& label)
{
    if (m_state.SectionOpen)
        endMark(target);
    m_state.SectionOpen = true;
    const double x0 = m_state.TextLeft;
    const double penX = target.CurrentX;
    const double penY = target.CurrentY;
    const int h = int(target.TextHeight(QStringLiteral("0")));
    const double yt = penY + h / 2;
    blackLine(target, x0 - 100, yt, x0 + 1000, yt);
    target.CurrentY = penY - h / 2;
    target.Print(label);
    blackLine(target, target.CurrentX, yt, target.CurrentX + 1000, yt);
    blackLine(target, x0 - 100, yt, x0 - 100, yt + 1.5 * h);
    target.CurrentX = penX;
    target.CurrentY = penY;
}

void PageRenderer::applyRoleScaled(Surface& target, const QString& role)
{
    ApplyFontRole(target, *m_song.fonts, role);
    target.FontSize = m_state.scaled(target.FontSize);
}

QString PageRenderer::fieldValue(QStringView name, const QString& page) const
{
    // A blank title or subtitle is none: it leaves no separator behind.
    const auto written = [](const QString& text) { return blanksTrimmed(text).isEmpty() ? QString() : text; };
    if (name == u"title")
        return written(m_state.PrintTitle);
    if (name == u"subtitle")
        return written(m_state.PrintSubTitle);
    if (name == u"page")
        return page;
    // Read once, at the first header or footer: the song does not change while it prints.
    if (!m_facts)
        m_facts = m_song.metadata();
    return song::firstValue(*m_facts, name);
}

void PageRenderer::drawTemplate(Surface& target, Surface& reference, const QString& pattern, double y)
{
    const PageTemplateParts parts = templateParts(pattern);
    const QString page = QString::number(m_state.ToPreview ? m_state.PreviewPage : reference.Page());
    const auto expand = [&](const QString& part, const QString& pageText) {
        return expandTemplate(part, [&](QStringView name) { return fieldValue(name, pageText); });
    };
    const double left = m_song.MargenL;
    const double right = reference.ScaleWidth() - m_song.MargenR;
    const auto print = [&](const QString& text, double x) {
        if (text.isEmpty())
            return;
        target.CurrentX = x;
        target.CurrentY = y;
        target.Print(text);
    };
    print(expand(parts.left, page), left);
    const QString centre = expand(parts.centre, page);
    print(centre, (left + right - target.TextWidth(centre)) / 2);
    // The right part ends at the margin with room for a page number of three
    // digits, so the page numbers of a book stand in one column.
    print(expand(parts.right, page), right - target.TextWidth(expand(parts.right, QStringLiteral("   "))));
}

void PageRenderer::DrawHeader(Surface& target, Surface& reference)
{
    applyRoleScaled(target, QStringLiteral("Header"));
    const double y = m_song.MargenT - m_song.MargenT / 4;
    blackLine(target, m_song.MargenL, y, reference.ScaleWidth() - m_song.MargenR, y);
    if (!m_state.HeaderTemplate.isEmpty())
        drawTemplate(target, reference, m_state.HeaderTemplate, y - target.TextHeight(QStringLiteral("Hj")) - 50);
    target.CurrentX = reference.CurrentX = m_song.MargenL;
    target.CurrentY = reference.CurrentY = m_song.MargenT;
}

void PageRenderer::DrawFooter(Surface& target, Surface& reference)
{
    applyRoleScaled(target, QStringLiteral("Footer"));
    const double footerY = reference.ScaleHeight() - m_song.MargenB + m_song.MargenB / 4;
    blackLine(target, m_song.MargenL, footerY, reference.ScaleWidth() - m_song.MargenR, footerY);
    drawTemplate(target, reference, m_state.FooterTemplate, footerY + 100);
    // The song's copyright, once, centred under the footer of its first page.
    if (m_footersDrawn++ == 0)
        drawTemplate(target, reference, QStringLiteral("|%{copyright}|"), footerY + 100 + target.TextHeight(QStringLiteral("Hj")));
}

bool PageRenderer::pageFinished(const Surface& reference) const
{
    return reference.CurrentY >= reference.ScaleHeight() - m_song.MargenB - m_state.MaxLineHeight
        || m_state.NewPageRequested || m_state.ColumnBreakRequested;
}

void PageRenderer::finishPage(Surface& target, Surface& reference, bool lyricsOnly)
{
    m_state.TextBottom = qMax(m_state.TextBottom, target.CurrentY);
    if (!lyricsOnly && m_diagrams)
        m_diagrams(target, reference);
    DrawFooter(target, reference);
}

void PageRenderer::startPage(Surface& target, Surface& reference)
{
    DrawHeader(target, reference);
    m_state.TextBottom = m_state.TextTop;
    m_state.TextRight = m_state.TextLeft;
    m_state.FirstColumn = true;
}

bool PageRenderer::renderPages(Surface& target, Surface& reference, bool lyricsOnly, const NextPage& nextPage)
{
    DrawHeader(target, reference);
    m_state.MaxLineHeight = 0;
    m_state.TextBottom = m_state.TextTop;
    m_state.TextRight = m_state.TextLeft;
    m_state.FirstColumn = true;
    m_state.NextChordIndex = 0;

    const QStringList& lines = m_state.MarkupLines;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        RenderMarkupLine(target, reference, lines[index]);
        if (pageFinished(reference)) {
            if (m_state.ColumnBreakRequested && m_state.FirstColumn && m_state.TwoColumns
                && !m_state.NewPageRequested) {
                m_state.TextBottom = target.CurrentY;
                target.CurrentX = reference.CurrentX = m_song.MargenL;
                target.CurrentY = reference.CurrentY = m_state.TextTop;
                m_state.FirstColumn = false;
            } else {
                finishPage(target, reference, lyricsOnly);
                if (!nextPage(index == lines.size() - 1))
                    return false;
                startPage(target, reference);
            }
        }
        m_state.NewPageRequested = m_state.ColumnBreakRequested = false;
    }
    finishPage(target, reference, lyricsOnly);

    // Diagrams that did not fit get one page of their own, once.
    if (!lyricsOnly && m_state.NextChordIndex < m_state.UsedChords.size() && hasDiagramsLeft()) {
        if (!nextPage(true))
            return false;
        DrawHeader(target, reference);
        m_state.TextBottom = m_state.TextTop;
        if (m_diagrams)
            m_diagrams(target, reference);
        DrawFooter(target, reference);
    }
    return true;
}

bool PageRenderer::hasDiagramsLeft() const
{
    for (qsizetype index = m_state.NextChordIndex; index < m_state.UsedChords.size(); ++index) {
        if (m_state.UsedChords[index].print)
            return true;
    }
    return false;
}

} // namespace lvx::print
