#include "chorddiagram.h"
#include "surface.h"

#include "base/numbers.h"
#include "music/chordsymbol.h"
#include "song/song.h"

#include <QPointF>

#include <algorithm>
#include <array>

namespace lvx::print {

namespace {

constexpr int TextGap = 300;    // between the text and the first diagram

// The song's filters: the common chord kinds can be left out, but a sharp or
// flat root or a bass other than the root asks for a diagram anyway. With
// diagrams switched off nothing gets one.
bool showsDiagram(const music::ChordSymbol& chord, const song::Song& song)
{
    bool show = true;
    if (chord.mode == u"maj" && !song.PrintMajorFlag)
        show = false;
    if (chord.mode == u"m" && !song.PrintMinorFlag)
        show = false;
    if (chord.mode == u"7" && !song.PrintSeventhFlag)
        show = false;
    static constexpr std::array<int, 5> AccidentalRoots{1, 3, 6, 8, 10};
    if (std::ranges::find(AccidentalRoots, chord.tone) != AccidentalRoots.end() && song.PrintBemolFlag)
        show = true;
    if (chord.tone != chord.bass && song.PrintBassNotRootFlag)
        show = true;
    if (!song.PrintChordsFlag)
        show = false;
    return show;
}

// Beside the text the diagrams keep to a band at the right edge, unless the
// text reaches into it; below the text they start at the left margin.
QPointF firstCell(const Surface& reference, const PrintState& state, const song::Song& song)
{
    const DiagramSize& cell = state.diagram;
    if (song.ChordPosition == 0) {
        const double band = toInt32(reference.ScaleWidth() - song.MargenR - 2.4 * cell.cellWidth);
        return {std::max(state.TextRight + TextGap, band), double(song.MargenT + toInt32(1.2 * cell.cellHeight))};
    }
    return {double(song.MargenL), state.TextBottom + TextGap};
}

} // namespace

void DrawChordDiagrams(Surface& target, Surface& reference, PrintState& state, const song::Song& song,
                       const DiagramSources& sources, midi::PlaybackNotes& notes)
{
    const qsizetype count = state.UsedChords.size();
    for (qsizetype index = state.NextChordIndex; index < count; ++index) {
        UsedChord& used = state.UsedChords[index];
        if (showsDiagram(used.chord, song))
            used.print = true;   // set for this print only: the list is rebuilt for every print
    }

    const DiagramSize& cell = state.diagram;
    const QPointF start = firstCell(reference, state, song);
    const double right = reference.ScaleWidth() - song.MargenR - cell.cellWidth;
    const double bottom = reference.ScaleHeight() - song.MargenB - cell.cellHeight;
    target.ForeColor = 0;
    double x = start.x();
    double y = start.y();
    for (qsizetype index = state.NextChordIndex; index < count; ++index) {
        if (!state.UsedChords[index].print)
            continue;
        if (x > right) {
            x = start.x();
            y += toInt32(1.4 * cell.cellHeight);
        }
        if (y > bottom) {
            state.NextChordIndex = int(index);   // the rest goes on the next page
            return;
        }
        target.CurrentX = x;
        target.CurrentY = y;
        x += toInt32(1.2 * cell.cellWidth);
        DrawChordDiagram(target, state.UsedChords[index].chord, sources, state, notes);
    }
    state.NextChordIndex = int(count);
}

} // namespace lvx::print
