#include "chorddiagram.h"

#include "surface.h"

#include "base/numbers.h"
#include "midi/playbacknotes.h"
#include "music/chordsymbol.h"
#include "music/chordtypetable.h"
#include "music/computedfingering.h"
#include "music/modos.h"
#include "music/notetables.h"

#include <algorithm>
#include <array>
#include <span>

namespace lvx::print {

using music::ChordSymbol;

namespace {

constexpr std::array<double, 3> SizeFactors{0.8, 1.0, 1.3};
constexpr double PianoWidening = 1.5;
constexpr int DiagramMargin = 200;      // from the cell's corner to the grid or keyboard
constexpr int NutThickness = 20;
constexpr int PianoBassOctave = 12;     // the keyboard's bass sounds an octave above the guitar's range start
const QString DiagramFont = QStringLiteral("Arial");
const QString NotFoundSuffix = QStringLiteral(" (not found)");

bool hasNotes(const ChordSymbol& chord)
{
    return chord.tone >= 0 && chord.tone <= 11 && chord.bass >= 0 && chord.bass <= 11;
}

const music::Modos* chordType(const ChordSymbol& chord, const DiagramSources& sources)
{
    return sources.chordTypes.findByAlias(chord.mode.isEmpty() ? QStringLiteral("maj") : chord.mode);
}

void setDiagramFont(Surface& target, double size)
{
    target.FontName = DiagramFont;
    target.FontSize = size;
}

void printAt(Surface& target, double x, double y, const QString& text)
{
    target.CurrentX = x;
    target.CurrentY = y;
    target.Print(text);
}

// Draws a diagram as a recurring drawing (a surface may keep it and place it
// again), known by everything its drawing depends on besides its place: the
// name shown, the shape (frets or keys), the sizes, and the colour and style
// of the text. A name so long that how much of it shows depends on the place
// is drawn as it is.
template <typename Draw>
void drawDiagram(Surface& target, const PrintState& state, const QString& name, std::span<const int> shape, Draw&& draw)
{
    if (name.size() > 64) {
        draw();
        return;
    }
    QByteArray key;
    key.reserve(160);
    const auto add = [&key](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
    add(state.diagram.baseWidth);
    add(state.diagram.baseHeight);
    add(state.scaled(state.diagram.nameSize));
    add(state.scaled(state.diagram.fretSize));
    add(target.ForeColor);
    add(target.FontBold);
    add(target.FontItalic);
    add(shape.size());
    key.append(reinterpret_cast<const char*>(shape.data()), qsizetype(shape.size_bytes()));
    key.append(reinterpret_cast<const char*>(name.utf16()), name.size() * qsizetype(sizeof(char16_t)));
    drawRecurring(target, key, std::forward<Draw>(draw));
}

// ---- which fingering a guitar diagram shows

using GuitarSelection = FingeringMemo::Choice;

// A stored shape gets the chord's own name and is drawn as stored: every
// circle filled. Only a computed shape marks its bass string hollow.
GuitarSelection fromDictionary(const music::GuitarChordDef& def, FingeringOrigin origin, const QString& name)
{
    GuitarSelection selection{{name, qMax<int>(def.baseFret, 0), false, {}, origin}, music::fingeringNotes(def)};
    std::array<int, 7>& strings = selection.fingering.strings;
    for (int string = 1; string <= music::GuitarStrings; ++string)
        strings[string] = def.frets[string];
    return selection;
}

GuitarSelection chooseGuitarFingering(const ChordSymbol& chord, const DiagramSources& sources)
{
    GuitarSelection selection;
    selection.fingering.strings.fill(-1);
    if (!hasNotes(chord)) {
        selection.fingering.drawn = false;
        return selection;
    }
    const QString name = music::FormatChord(chord, sources.app.notation);
    const music::FingeringMatch match = music::findFingering(chord, sources.songDefs, sources.globalDefs);
    if (match.def != nullptr) {
        const auto origin = match.source == music::FingeringSource::Song ? FingeringOrigin::Song : FingeringOrigin::Global;
        return fromDictionary(*match.def, origin, name);
    }
    const music::Modos* type = chordType(chord, sources);
    if (type == nullptr) {
        selection.fingering.name = name + NotFoundSuffix;
        return selection;
    }
    selection.fingering.name = name;
    selection.fingering.origin = FingeringOrigin::Computed;
    const std::optional<music::ComputedFingering> computed = music::computeFingering(chord, *type);
    if (!computed) {
        selection.fingering.drawn = false;
        return selection;
    }
    selection.fingering.baseFret = computed->baseFret;
    selection.fingering.barre = computed->barre;
    selection.fingering.strings = computed->strings;
    selection.notes = music::computedNotes(*computed);
    return selection;
}

GuitarSelection selectGuitarFingering(const ChordSymbol& chord, const DiagramSources& sources)
{
    // A chord the song defines (or, for a slash chord, its plain chord) takes
    // the song's own shape; the book's choice is only for the others.
    if (sources.memo == nullptr)
        return chooseGuitarFingering(chord, sources);
    FingeringMemo::Entry& entry =
        sources.memo->entries[{chord.tone, chord.toneSharp, chord.bass, chord.bassSharp, chord.mode, chord.text}];
    if (!entry.names)
        entry.names = music::fingeringNames(chord);
    static const QList<music::GuitarChordDef> none;
    if (music::findFingering(chord, *entry.names, sources.songDefs, none).def != nullptr)
        return chooseGuitarFingering(chord, sources);
    if (!entry.choice)
        entry.choice = chooseGuitarFingering(chord, sources);
    return *entry.choice;
}

// ---- guitar grid

struct Grid
{
    double x = 0;       // top-left corner, on the nut
    double y = 0;
    int width = 0;
    int height = 0;
};

// The six strings, five frets and the nut's second line, as one figure: every
// diagram of a size has the same.
void drawGridLines(Surface& target, const Grid& grid)
{
    std::array<LineSegment, 12> lines;
    for (int i = 0; i <= 5; ++i) {
        const double x = (i * grid.width) / 5;
        lines[size_t(i)] = {x, 0, x, double(grid.height)};
    }
    for (int i = 0; i <= 4; ++i) {
        const double y = (i * grid.height) / 4;
        lines[size_t(6 + i)] = {0, y, double(grid.width), y};
    }
    lines[11] = {0, NutThickness, double(grid.width), NutThickness};
    target.Lines(grid.x, grid.y, lines);
}

// Rows show fret numbers counted from 1; with a barre the first row is the
// barre's own fret, so the numbers start one lower.
void drawFretNumbers(Surface& target, const Grid& grid, const DrawnFingering& fingering, const PrintState& state)
{
    setDiagramFont(target, state.scaled(state.diagram.fretSize));
    for (int row = 0; row <= 3; ++row) {
        const int fret = fingering.baseFret + row + (fingering.barre ? 0 : 1);
        printAt(target, grid.x + grid.width * 1.1, grid.y + row * grid.height / 4.0 + grid.height / 4.0 / 5,
                QString::number(fret));
    }
}

void drawMutedMark(Surface& target, double x, double y, int size)
{
    target.Line(x - size, y + size, x + size, y - size);
    target.Line(x - size, y - size, x + size, y + size);
}

// Fret 0 sits above the nut. Under a barre every stopped string moves down a row,
// since the barre itself holds the first one.
void drawStringMarks(Surface& target, const Grid& grid, const DrawnFingering& fingering)
{
    const int markSize = toInt32(grid.height / 5.0 / 3.0);
    const int radius = grid.width / 15;
    target.FillColor = 0;
    for (int string = 1; string <= music::GuitarStrings; ++string) {
        const int value = fingering.strings[string];
        int fret = music::fretOf(value);
        if (fingering.barre && fret >= 1)
            ++fret;
        const double x = grid.x + (6 - string) * grid.width / 5.0;
        if (fret == -1)
            drawMutedMark(target, x, grid.y - grid.height / 8.0, markSize);
        else if (fret >= 0)
            target.Circle(x, grid.y + fret * grid.height / 4.0 - grid.height / 8.0, radius, !music::hasBassMark(value));
    }
}

void drawGuitarDiagram(Surface& target, const DrawnFingering& fingering, const PrintState& state)
{
    const DiagramSize& size = state.diagram;
    const Grid grid{target.CurrentX + DiagramMargin, target.CurrentY + DiagramMargin, toInt32(size.baseWidth * 0.7),
                    toInt32(size.baseHeight * 1.4)};
    drawGridLines(target, grid);
    drawFretNumbers(target, grid, fingering, state);
    setDiagramFont(target, state.scaled(size.nameSize));
    printAt(target, grid.x, grid.y + grid.height * 1.1, fingering.name);
    if (fingering.barre)
        target.Line(grid.x, grid.y + grid.height / 8.0, grid.x + grid.width, grid.y + grid.height / 8.0);
    // Not found: the grid stays empty under the name.
    if (fingering.origin != FingeringOrigin::NotFound)
        drawStringMarks(target, grid, fingering);
}

// ---- piano keyboard

bool isBlackKey(int pitch)
{
    return !music::SolfegeNotes[pitch % 12].natural;
}

// The bass first, then the chord tones in interval order, each above the one
// before it; a tone that doubles the bass is not repeated.
QList<int> pianoVoicing(const ChordSymbol& chord, const music::Modos& type)
{
    QList<int> notes{PianoBassOctave + chord.bass};
    for (int slot = 0; slot < qMin(int(type.GetNumInv()), music::Modos::MaxIntervals); ++slot) {
        const int interval = type.GetInv(slot);
        int note = PianoBassOctave + chord.tone + interval;
        if (interval < 0 || note % 12 == chord.bass)
            continue;
        while (note <= notes.last())
            note += 12;
        notes.append(note);
    }
    return notes;
}

// Twenty semitones span the base width; seven white keys take the room of twelve.
// The width is kept even so that half a key is a whole number of twips.
int whiteKeyWidth(int baseWidth)
{
    return 2 * toInt32(toInt32(baseWidth / 20.0 * 12 / 7) / 2.0);
}

struct Keyboard
{
    double left = 0;
    double top = 0;
    int keyWidth = 0;
    double height = 0;
};

void drawWhiteKey(Surface& target, const Keyboard& board, double centre, bool marked)
{
    const double x1 = centre - board.keyWidth / 2;
    const double x2 = centre + board.keyWidth / 2;
    const double bottom = board.top + board.height;
    target.Line(x1, board.top, x2, board.top);
    target.Line(x2, board.top, x2, bottom);
    target.Line(x2, bottom, x1, bottom);
    target.Line(x1, bottom, x1, board.top);
    if (marked)
        target.Circle(centre, board.top + 0.9 * board.height, 0.05 * board.height, true);
}

// A marked black key is split around its circle so the mark shows.
void drawBlackKey(Surface& target, const Keyboard& board, double boundary, bool marked)
{
    const double x1 = boundary - board.keyWidth / 3.0;
    const double x2 = boundary + board.keyWidth / 3.0;
    const double h = board.height;
    if (!marked) {
        target.FillRect(x1, board.top, x2, board.top + 0.8 * h);
        return;
    }
    target.FillRect(x1, board.top, x2, board.top + 0.4 * h);
    target.FillRect(x1, board.top + 0.6 * h, x2, board.top + 0.7 * h);
    target.Circle(boundary, board.top + 0.5 * h, 0.05 * h, true);
}

// From the white key four semitones below the bass up to the highest chord note,
// and one white key further when that note is black so it sits between two.
void drawKeyboard(Surface& target, const Keyboard& board, const QList<int>& marked)
{
    int key = marked.first() - 4;
    if (isBlackKey(key))
        --key;
    const int last = marked.last() + (isBlackKey(marked.last()) ? 1 : 0);
    target.FillColor = 0;
    for (int whiteKeys = 0; key <= last; ++key) {
        const double boundary = board.left + whiteKeys * board.keyWidth;
        if (isBlackKey(key)) {
            drawBlackKey(target, board, boundary, marked.contains(key));
        } else {
            drawWhiteKey(target, board, boundary + board.keyWidth / 2, marked.contains(key));
            ++whiteKeys;
        }
    }
}

void drawPianoDiagram(Surface& target, const ChordSymbol& chord, const DiagramSources& sources,
                      const PrintState& state, midi::PlaybackNotes& notes)
{
    if (!hasNotes(chord))
        return;
    const DiagramSize& size = state.diagram;
    const double px = target.CurrentX;
    const double py = target.CurrentY;
    const music::Modos* type = chordType(chord, sources);
    const QString name = music::FormatChord(chord, sources.app.notation) + (type != nullptr ? QString() : NotFoundSuffix);
    // Not found: the name alone.
    const QList<int> voiced = type != nullptr ? pianoVoicing(chord, *type) : QList<int>();
    drawDiagram(target, state, name, voiced, [&] {
        setDiagramFont(target, state.scaled(size.nameSize));
        printAt(target, px + DiagramMargin, py + size.baseHeight + 1.6 * target.TextHeight(QStringLiteral("ABC")), name);
        if (!voiced.isEmpty()) {
            drawKeyboard(target,
                         {px + DiagramMargin, py + DiagramMargin, whiteKeyWidth(size.baseWidth), double(size.baseHeight)},
                         voiced);
        }
    });
    for (const int note : voiced)
        notes.append(note);
}

} // namespace

DiagramSize SetDiagramSize(int sizeIndex, bool piano)
{
    const double factor = SizeFactors[qBound(0, sizeIndex, int(SizeFactors.size()) - 1)];
    DiagramSize size;
    size.baseWidth = toInt32(800 * factor * (piano ? PianoWidening : 1.0));
    size.baseHeight = toInt32(450 * factor);
    size.nameSize = toInt32(8 * factor);
    size.fretSize = toInt32(6 * factor);
    size.cellWidth = size.baseWidth + 250;
    size.cellHeight = size.baseHeight + 400;
    return size;
}

DrawnFingering guitarFingering(const ChordSymbol& chord, const DiagramSources& sources)
{
    return selectGuitarFingering(chord, sources).fingering;
}

void DrawChordDiagram(Surface& target, const ChordSymbol& chord, const DiagramSources& sources, const PrintState& state,
                      midi::PlaybackNotes& notes)
{
    notes.clear();
    const double penX = target.CurrentX;
    const double penY = target.CurrentY;
    if (sources.app.instrument == u"Piano") {
        drawPianoDiagram(target, chord, sources, state, notes);
    } else {
        const GuitarSelection selection = selectGuitarFingering(chord, sources);
        if (selection.fingering.drawn) {
            for (const int note : selection.notes)
                notes.append(note);
            const DrawnFingering& fingering = selection.fingering;
            std::array<int, 10> shape{fingering.baseFret, fingering.barre, int(fingering.origin)};
            std::copy(fingering.strings.begin(), fingering.strings.end(), shape.begin() + 3);
            drawDiagram(target, state, fingering.name, shape, [&] { drawGuitarDiagram(target, fingering, state); });
        }
    }
    target.CurrentX = penX;
    target.CurrentY = penY;
}

} // namespace lvx::print
