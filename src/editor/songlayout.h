#pragma once

#include "song/songline.h"

#include "base/fonts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lvx {
class TimingCounters;
}

namespace lvx::editor {

// Measures text in twips. The song window measures with its screen fonts;
// tests and benchmarks use fixed metrics.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    virtual double textWidth(const Fonts& font, QStringView text) const = 0;
    virtual double textHeight(const Fonts& font, QStringView text) const = 0;
};

// Room past the end of a box's text for the caret and the next characters typed.
inline constexpr double BoxCaretRoom = 200;

// What the song window shows, in twips from its top-left corner.
struct LayoutInput
{
    int TopLine = 1;            // first line shown, from 1
    double innerWidth = 0;
    double innerHeight = 0;
    bool letters = true;        // chord names in letter notation, else solfege
    bool soundingChords = false;   // chords moved by the song's capo too, not only by its {transpose}
    int maxSlots = 1 << 20;     // text boxes the view may use; the window grows its boxes as needed
    QString facts;              // the line of the song's facts under the subtitle; none when empty
};

struct BoxPlacement
{
    int slot = 0;               // from 1
    int lineIndex = 0;          // 0-based index into the lines
    int number = 0;             // the line's number in the song's body (its facts not counted), from 1
    QString role;               // font role of the box
    Fonts font;
    bool locked = false;        // only lyric, comment and block start lines take typing
    bool kept = false;          // a line carried as read, shown greyed
    double x = 0, y = 0, width = 0, height = 0;
};

struct LabelPlacement
{
    int lineIndex = 0;
    int chordIndex = 0;         // 0-based index into the line's chords
    QString caption;            // the name as shown: moved, notation applied, apostrophe dropped
    QString role;               // "Chord", or "Comment" for free text
    Fonts font;
    bool isChord = false;       // a valid chord (added to the recent chords when collecting)
    double x = 0, y = 0, width = 0, height = 0;
};

struct Stroke
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct SongLayout
{
    double titleHeight = 0;
    double subTitleHeight = 0;
    QString facts;                  // the facts line shown under the subtitle
    double factsHeight = 0;         // in the comment font; 0 when the song gives no facts
    double ruleY = 0;
    double scrollBarTop = 0;        // the scroll bar runs from just under the rule
    double scrollBarHeight = 0;     // to the bottom of the window
    QList<BoxPlacement> boxes;
    QList<LabelPlacement> labels;   // in painting order: label number = index + 1
    QList<Stroke> connectors;       // three per chord-bearing lyric line shown
    int TopLine = 1;                // the first line shown, from 1: the one asked for, or less
    int LastShownLine = 0;          // from 1
    bool scrollBarVisible = false;
    int scrollMaximum = 1;          // the largest TopLine: from it the song's end fills the view
    double contentWidth = 0;        // the right edge of the widest text or label shown
    // Chords shown that are valid, in painting order, for the recent chords.
    QStringList shownChords;
    // The font role applied last: the window measures its line height in it.
    QString lastRole;
    Fonts lastFont;
};

// What a chord's label shows: a valid chord in the notation ("C" or "Do"),
// anything else as written (a leading apostrophe marks free text and is dropped).
struct LabelText
{
    QString caption;
    QString role;           // "Chord", or "Comment" for free text
    bool isChord = false;
};
LabelText labelText(const QString& name, const QString& notation);

// Lays out the song window: header, one box per line shown from TopLine until
// the bottom limit (or the last slot), the chord labels over their characters,
// never overlapping, and the strokes tying each chord row to its lyric. Every
// line above TopLine is walked too, so fonts and the tablature state are right.
// A TopLine past the last full screen shows that screen. A box is at least as
// wide as its text, so it never scrolls its text away from the chord labels.
// Times the line layout (counter 1) and the label placing (counter 3) when
// counters are given. An empty song lays out as one empty lyric line.
SongLayout layoutSong(const QList<song::SongLine>& lines, const FontSet& fonts, const LayoutInput& input,
                      const TextMeasure& measure, TimingCounters* counters = nullptr);

// The font of a role; a set without it falls back to "Lyric", then to the
// first role it has, then to a plain 10-point face, so a damaged set never
// leaves text without a font.
Fonts fontForRole(const FontSet& fonts, const QString& role);

// How far the scroll bar pages: the lines that fit under the header in the
// font applied last (measured on "Hola"), and 60 % of that. The large change
// is at least 1 so that paging always moves.
struct ScrollPage
{
    int visibleLines = 0;
    int largeChange = 1;
};
ScrollPage scrollPage(const SongLayout& layout, double innerHeight, const TextMeasure& measure);

// The number of the label that shows chord `chordIndex` of line `lineIndex`; 0 when none does.
int labelNumberOf(const SongLayout& layout, int lineIndex, int chordIndex);

// The box that keeps the caret after a paint: slot 1 when none had it, never
// below the last box shown. 0 when no box is shown.
int caretSlot(int currentSlot, const SongLayout& layout);

} // namespace lvx::editor
