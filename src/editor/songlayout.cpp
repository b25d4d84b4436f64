#include "songlayout.h"

#include "lineediting.h"

#include "base/numbers.h"
#include "base/timingcounters.h"
#include "music/chordsymbol.h"
#include "song/shownchords.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lvx::editor {

using song::ChordPlacement;
using song::SongLine;

namespace {

constexpr double HeaderGap = 200;       // between the subtitle and the rule
constexpr double RuleToFirstLine = 100;
constexpr double ScrollBarGap = 10;
constexpr double BottomLimit = 500;     // a line reaching this close to the bottom is the last
constexpr double LyricIndent = 600;
constexpr double DirectiveIndent = 200;
constexpr double RightGap = 100;
constexpr double LabelOffset = 30;      // a label starts this far right of its character
constexpr double LabelPadding = 60;
constexpr double ChordRowOverlap = 0.95;
constexpr double MinBarX = 10;
constexpr double BarToBox = 100;
constexpr double BarEndGap = 10;

struct LineStyle
{
    double x = LyricIndent;
    QString role;
};

LineStyle styleForKind(qint16 kind)
{
    switch (kind) {
    case song::KindComment:
        return {LyricIndent, u"Comment"_s};
    case song::KindNewPage:
    case song::KindColumnBreak:
        return {DirectiveIndent, u"Comment"_s};
    case song::KindBlockStart:
    case song::KindBlockEnd:
    case song::KindChorusStart:
    case song::KindChorusEnd:
    case song::KindBridgeStart:
    case song::KindBridgeEnd:
    case song::KindTabStart:
    case song::KindTabEnd:
    case song::KindTwoColumnsOn:
    case song::KindTwoColumnsOff:
        return {DirectiveIndent, u"Control"_s};
    case song::KindKept:
        return {DirectiveIndent, u"Comment"_s};
    default:
        // Lyric lines, and any kind a newer file might bring, read as lyrics.
        return {LyricIndent, u"Lyric"_s};
    }
}

LineStyle lineStyle(const SongLine& line, bool inTab)
{
    LineStyle style = styleForKind(line.kind);
    // A line kept as read stays greyed inside tablature too.
    if (inTab && line.kind != song::KindKept)
        style.role = u"Tablature"_s;
    return style;
}

bool showsChords(const SongLine& line, bool inTab)
{
    return line.kind == song::KindLyric && !inTab && !line.chords.isEmpty();
}

// An empty text still needs the height of a line, or the box could not be clicked.
double textHeight(const TextMeasure& measure, const Fonts& font, const QString& text)
{
    return measure.textHeight(font, text.isEmpty() ? u"Hj"_s : text);
}

class ScopedTimer final
{
public:
    ScopedTimer(TimingCounters* counters, int index)
        : m_counters(counters)
        , m_index(index)
    {
        if (m_counters)
            m_counters->TimerStart(m_index);
    }
    ~ScopedTimer()
    {
        if (m_counters)
            m_counters->TimerStop(m_index);
    }
    Q_DISABLE_COPY_MOVE(ScopedTimer)

private:
    TimingCounters* m_counters;
    int m_index;
};

class Layouter final
{
public:
    Layouter(const QList<SongLine>& lines, const FontSet& fonts, const LayoutInput& input, const TextMeasure& measure,
             TimingCounters* counters, SongLayout& layout)
        : m_fonts(fonts)
        , m_input(input)
        , m_measure(measure)
        , m_counters(counters)
        , m_layout(layout)
        , m_notation(input.letters ? u"C"_s : u"Do"_s)
        , m_shown(lines, input.soundingChords)
    {
    }

    double placeHeader();
    void placeLine(const SongLine& line, int index, int slot, const LineStyle& style, bool inTab, double& y);
    // How far a line moves y down, the same as placing it would.
    double lineHeight(const SongLine& line, int index, const LineStyle& style, bool inTab) const;

private:
    double placeChordRow(const SongLine& line, int index, double x, const Fonts& lineFont, double& y);
    double placeLabel(const SongLine& line, int index, int chordIndex, double x, double y, const Fonts& lineFont,
                      double rightEdge);
    double lyricWidthBefore(const SongLine& line, int index, qsizetype position, const Fonts& lineFont);
    void addConnectors(double x, double chordMid, double textMid);

    const FontSet& m_fonts;
    const LayoutInput& m_input;
    const TextMeasure& m_measure;
    TimingCounters* m_counters;
    SongLayout& m_layout;
    QString m_notation;
    song::ShownChords m_shown;
    // How much of which line's lyric is measured so far, and its width.
    int m_measuredLine = -1;
    qsizetype m_measuredTo = 0;
    double m_measuredWidth = 0;
};

double Layouter::placeHeader()
{
    const QString sample = u"Hj"_s;
    m_layout.titleHeight = m_measure.textHeight(fontForRole(m_fonts, u"Title"_s), sample);
    m_layout.subTitleHeight = m_measure.textHeight(fontForRole(m_fonts, u"SubTitle"_s), sample);
    m_layout.facts = m_input.facts;
    if (!m_input.facts.isEmpty())
        m_layout.factsHeight = m_measure.textHeight(fontForRole(m_fonts, u"Comment"_s), sample);
    m_layout.ruleY = m_layout.titleHeight + m_layout.subTitleHeight + m_layout.factsHeight + HeaderGap;
    m_layout.scrollBarTop = m_layout.ruleY + ScrollBarGap;
    m_layout.scrollBarHeight = m_input.innerHeight - m_layout.scrollBarTop;
    return roundHalfEven(m_layout.ruleY + RuleToFirstLine);
}

void Layouter::placeLine(const SongLine& line, int index, int slot, const LineStyle& style, bool inTab, double& y)
{
    const ScopedTimer timer(m_counters, TimerPrintLine);
    const Fonts font = fontForRole(m_fonts, style.role);
    const bool chordRow = showsChords(line, inTab);
    const double chordMid = chordRow ? placeChordRow(line, index, style.x, font, y) : 0;

    BoxPlacement box;
    box.slot = slot;
    box.lineIndex = index;
    box.role = style.role;
    box.font = font;
    box.locked = !takesTyping(line.kind);
    box.kept = line.kind == song::KindKept;
    box.x = style.x;
    box.y = y;
    // A box as wide as its text never scrolls it sideways under the chords;
    // the window scrolls instead.
    const double textRight = style.x + std::ceil(m_measure.textWidth(font, line.text)) + BoxCaretRoom;
    box.width = std::max(m_input.innerWidth - style.x - RightGap, textRight - style.x);
    box.height = textHeight(m_measure, font, line.text);
    m_layout.boxes.append(box);
    m_layout.contentWidth = std::max(m_layout.contentWidth, textRight);

    if (chordRow)
        addConnectors(style.x, chordMid, y + roundHalfEven(box.height / 2));
    y += roundHalfEven(box.height);
}

// Lays the labels out left to right, each no further left than the end of the one
// before, and moves y down to where the lyric box starts. Returns the row's middle.
double Layouter::placeChordRow(const SongLine& line, int index, double x, const Fonts& lineFont, double& y)
{
    double rightEdge = 0;
    for (int j = 0; j < line.chords.size(); ++j)
        rightEdge = placeLabel(line, index, j, x, y, lineFont, rightEdge);
    const double labelHeight = m_layout.labels.last().height;
    const double chordMid = y + roundHalfEven(labelHeight / 2);
    // The lyric box overlaps the chord row a little, keeping each chord close to its syllable.
    y += roundHalfEven(ChordRowOverlap * labelHeight);
    return chordMid;
}

double Layouter::lineHeight(const SongLine& line, int index, const LineStyle& style, bool inTab) const
{
    double height = roundHalfEven(textHeight(m_measure, fontForRole(m_fonts, style.role), line.text));
    if (showsChords(line, inTab)) {
        // The chord row is as high as its last label.
        const LabelText last = labelText(m_shown.name(index, line.chords.last().name), m_notation);
        height += roundHalfEven(ChordRowOverlap * textHeight(m_measure, fontForRole(m_fonts, last.role), last.caption));
    }
    return height;
}

double Layouter::placeLabel(const SongLine& line, int index, int chordIndex, double x, double y,
                            const Fonts& lineFont, double rightEdge)
{
    const ScopedTimer timer(m_counters, TimerSetLabel);
    const ChordPlacement& chord = line.chords.at(chordIndex);
    LabelPlacement label;
    label.lineIndex = index;
    label.chordIndex = chordIndex;
    const LabelText text = labelText(m_shown.name(index, chord.name), m_notation);
    label.caption = text.caption;
    label.role = text.role;
    label.isChord = text.isChord;
    if (label.isChord)
        m_layout.shownChords.append(chord.name);
    label.font = fontForRole(m_fonts, label.role);

    const double before = lyricWidthBefore(line, index, chord.position, lineFont);
    label.x = std::max(roundHalfEven(x + before + LabelOffset), rightEdge);
    label.y = y;
    label.width = m_measure.textWidth(label.font, label.caption) + LabelPadding;
    label.height = textHeight(m_measure, label.font, label.caption);
    m_layout.labels.append(label);
    m_layout.contentWidth = std::max(m_layout.contentWidth, label.x + label.width);
    return roundHalfEven(label.x + label.width);
}

// The width of a line's lyric before a chord. Chords come in order, so each
// stretch of the lyric is measured once a line rather than once for every chord
// after it (thousands of chords on a line took seconds); the character before
// a stretch is measured with it, so kerning across the join still counts.
double Layouter::lyricWidthBefore(const SongLine& line, int index, qsizetype position, const Fonts& lineFont)
{
    position = std::clamp<qsizetype>(position, 0, line.text.size());
    if (index != m_measuredLine || position < m_measuredTo) {
        m_measuredLine = index;
        m_measuredTo = 0;
        m_measuredWidth = 0;
    }
    if (position > m_measuredTo) {
        const qsizetype from = std::max<qsizetype>(m_measuredTo - 1, 0);
        const QStringView stretch = QStringView(line.text).mid(from, position - from);
        const double joined = from < m_measuredTo ? m_measure.textWidth(lineFont, stretch.left(1)) : 0;
        m_measuredWidth += m_measure.textWidth(lineFont, stretch) - joined;
        m_measuredTo = position;
    }
    return m_measuredWidth;
}

// A bracket in the left margin ties the chord row to its lyric.
void Layouter::addConnectors(double x, double chordMid, double textMid)
{
    const double barX = std::max(MinBarX, x - BarToBox);
    const double endX = x - BarEndGap;
    m_layout.connectors.append(Stroke{barX, chordMid, endX, chordMid});
    m_layout.connectors.append(Stroke{barX, chordMid, barX, textMid});
    m_layout.connectors.append(Stroke{barX, textMid, endX, textMid});
}

} // namespace

LabelText labelText(const QString& name, const QString& notation)
{
    const music::ChordSymbol symbol = music::ParseChord(name);
    if (!music::isTextLabel(name) && symbol.tone >= 0)
        return {music::FormatChord(symbol, notation), u"Chord"_s, true};
    return {music::isTextLabel(name) ? name.mid(1) : name, u"Comment"_s, false};
}

Fonts fontForRole(const FontSet& fonts, const QString& role)
{
    if (const Fonts* font = fonts.find(role))
        return *font;
    if (const Fonts* lyric = fonts.find(u"Lyric"_s))
        return *lyric;
    if (!fonts.items().isEmpty())
        return fonts.items().first();
    Fonts plain;
    plain.Create(role, u"Arial"_s, 10, false, false, 0);
    return plain;
}

SongLayout layoutSong(const QList<SongLine>& songLines, const FontSet& fonts, const LayoutInput& input,
                      const TextMeasure& measure, TimingCounters* counters)
{
    const QList<SongLine> lines = songLines.isEmpty() ? QList<SongLine>{SongLine{}} : songLines;
    const QList<bool> inTab = tabSectionLines(lines);
    const int maxSlots = std::max(input.maxSlots, 1);

    SongLayout layout;
    Layouter layouter(lines, fonts, input, measure, counters, layout);
    double y = layouter.placeHeader();

    // The last screen is a full one: the view never scrolls further down than
    // the first line from which the song's end still reaches the bottom limit.
    const double room = input.innerHeight - BottomLimit - y;
    int lastTop = int(lines.size());
    for (double above = 0; lastTop > 1 && int(lines.size()) - lastTop + 1 < maxSlots; --lastTop) {
        const int i = lastTop - 2;
        if (!lines.at(i).metadata)
            above += layouter.lineHeight(lines.at(i), i, lineStyle(lines.at(i), inTab.at(i)), inTab.at(i));
        if (above >= room)
            break;
    }
    layout.scrollMaximum = lastTop;
    layout.TopLine = std::clamp(input.TopLine, 1, lastTop);
    const int topIndex = layout.TopLine - 1;

    layout.LastShownLine = int(lines.size());
    int slot = 0;
    int number = 0;
    for (int i = 0; i < lines.size(); ++i) {
        // The song's facts are shown above the body, not as lines of it.
        if (lines.at(i).metadata)
            continue;
        ++number;
        // Lines above the view are walked too: the font applied last and the
        // tablature state must be those of the lines before the first one shown.
        const LineStyle style = lineStyle(lines.at(i), inTab.at(i));
        layout.lastRole = style.role;
        if (i < topIndex)
            continue;
        layouter.placeLine(lines.at(i), i, ++slot, style, inTab.at(i), y);
        layout.boxes.last().number = number;
        if (y >= input.innerHeight - BottomLimit || slot >= maxSlots) {
            layout.LastShownLine = i + 1;
            break;
        }
    }
    layout.lastFont = fontForRole(fonts, layout.lastRole);
    layout.scrollBarVisible = layout.LastShownLine < lines.size() || layout.TopLine > 1;
    return layout;
}

ScrollPage scrollPage(const SongLayout& layout, double innerHeight, const TextMeasure& measure)
{
    ScrollPage page;
    const double lineHeight = measure.textHeight(layout.lastFont, u"Hola"_s);
    if (lineHeight <= 0)
        return page;
    const double header = layout.titleHeight + layout.subTitleHeight + layout.factsHeight;
    const double room = innerHeight - header - RuleToFirstLine - BottomLimit;
    page.visibleLines = std::max(0, int(roundHalfEven(room / lineHeight)));
    page.largeChange = std::max(1, int(roundHalfEven(page.visibleLines * 0.6)));
    return page;
}

int labelNumberOf(const SongLayout& layout, int lineIndex, int chordIndex)
{
    const auto shows = [&](const LabelPlacement& label) {
        return label.lineIndex == lineIndex && label.chordIndex == chordIndex;
    };
    const auto found = std::find_if(layout.labels.cbegin(), layout.labels.cend(), shows);
    return found == layout.labels.cend() ? 0 : int(found - layout.labels.cbegin()) + 1;
}

int caretSlot(int currentSlot, const SongLayout& layout)
{
    const int shown = int(layout.boxes.size());
    if (shown == 0)
        return 0;
    if (currentSlot <= 0)
        return 1;
    return std::min(currentSlot, shown);
}

} // namespace lvx::editor
