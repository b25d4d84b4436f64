#include "lineediting.h"

#include "linelimits.h"

#include "base/numbers.h"

#include <algorithm>

namespace lvx::editor {

using namespace detail;
using song::ChordPlacement;

namespace {

// A dragged label may land up to this many blanks past the end of the lyric.
constexpr qsizetype DragPadding = 100;

// Only lyric lines outside tablature get labels; any chords elsewhere are not counted.
bool showsLabels(const SongLine& line, bool inTab)
{
    return !inTab && line.kind == song::KindLyric;
}

bool isChordOf(const Lines& lines, ChordRef ref)
{
    return ref.lineIndex >= 0 && ref.lineIndex < lines.size() && ref.chordIndex >= 0
        && ref.chordIndex < lines.at(ref.lineIndex).chords.size();
}

} // namespace

void insertChord(SongLine& line, int s, const QString& name)
{
    const qint16 position = toPosition(s);
    const auto after = std::find_if(line.chords.cbegin(), line.chords.cend(),
                                    [position](const ChordPlacement& chord) { return chord.position > position; });
    line.chords.insert(after - line.chords.cbegin(), ChordPlacement{name, position});
}

void removeChord(SongLine& line, int chordIndex)
{
    if (chordIndex >= 0 && chordIndex < line.chords.size())
        line.chords.removeAt(chordIndex);
}

void sortChords(SongLine& line)
{
    // Chords written back to back share a position and must keep their order.
    std::stable_sort(line.chords.begin(), line.chords.end(),
                     [](const ChordPlacement& a, const ChordPlacement& b) { return a.position < b.position; });
}

int dragTarget(const QString& text, double boxLeft, double labelLeft,
               const std::function<double(QStringView)>& width)
{
    const QString padded = QString(text + QString(DragPadding, u' ')).left(MaxLineLength);
    const auto reaches = [&](qsizetype p) {
        return roundHalfEven(boxLeft + width(QStringView(padded).left(p))) >= labelLeft;
    };
    // A longer prefix is never narrower, so the first boundary at or right of the
    // label is found by bisection; on a line of thousands of characters measuring
    // every prefix in turn would stall the drag.
    qsizetype low = 0;
    qsizetype high = padded.size();
    if (!reaches(high))
        return int(high);
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (reaches(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return int(low);
}

int moveChord(SongLine& line, int chordIndex, int p)
{
    if (chordIndex < 0 || chordIndex >= line.chords.size())
        return -1;
    const qint16 position = toPosition(p);
    if (position > line.text.size())
        line.text += QString(position - line.text.size(), u' ');
    line.chords[chordIndex].position = position;
    // The chord keeps its place among chords on the same character, as the sort keeps them.
    const auto before = std::count_if(line.chords.cbegin(), line.chords.cend(), [&](const ChordPlacement& chord) {
        const qsizetype index = &chord - line.chords.constData();
        return chord.position < position || (chord.position == position && index < chordIndex);
    });
    sortChords(line);
    return int(before);
}

QList<bool> tabSectionLines(const Lines& lines)
{
    QList<bool> inTab;
    inTab.reserve(lines.size());
    bool inside = false;
    bool pending = false;
    for (const SongLine& line : lines) {
        if (line.kind == song::KindTabStart)
            pending = true;
        else if (line.kind == song::KindTabEnd)
            inside = false;
        inTab.append(inside);
        if (pending) {
            pending = false;
            inside = true;
        }
    }
    return inTab;
}

bool foldTablatureChords(Lines& lines)
{
    const QList<bool> inTab = tabSectionLines(lines);
    bool changed = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SongLine& line = lines[i];
        if (!inTab.at(i) || line.kind != song::KindLyric || (line.chords.isEmpty() && line.source.isEmpty()))
            continue;
        QString text = song::lyricWithChords(line) + line.source;
        if (text.size() > MaxLineLength)
            continue;
        line.text = std::move(text);
        line.chords.clear();
        line.source.clear();
        changed = true;
    }
    return changed;
}

std::optional<ChordRef> labelChord(const Lines& lines, int topIndex, int labelNumber)
{
    if (labelNumber < 1)
        return std::nullopt;
    const QList<bool> inTab = tabSectionLines(lines);
    qsizetype total = 0;
    for (qsizetype i = std::max(topIndex, 0); i < lines.size(); ++i) {
        const SongLine& line = lines.at(i);
        if (!showsLabels(line, inTab.at(i)))
            continue;
        total += line.chords.size();
        if (total >= labelNumber)
            return ChordRef{int(i), int(line.chords.size() - (total - labelNumber)) - 1};
    }
    return std::nullopt;
}

std::optional<ChordRef> chordFromCaret(const Lines& lines, int lineIndex, int caret, bool forward)
{
    if (lineIndex < 0 || lineIndex >= lines.size() || !showsLabels(lines.at(lineIndex), tabSectionLines(lines).at(lineIndex)))
        return std::nullopt;
    const QList<ChordPlacement>& chords = lines.at(lineIndex).chords;
    const auto reached = std::find_if(chords.cbegin(), chords.cend(),
                                      [caret](const ChordPlacement& chord) { return chord.position >= caret; });
    const qsizetype index = (reached - chords.cbegin()) - (forward ? 0 : 1);
    if (index < 0 || index >= chords.size())
        return std::nullopt;
    return ChordRef{lineIndex, int(index)};
}

std::optional<ChordRef> nextChord(const Lines& lines, ChordRef from, bool forward)
{
    if (!isChordOf(lines, from))
        return std::nullopt;
    const QList<bool> inTab = tabSectionLines(lines);
    const int step = forward ? 1 : -1;
    int chordIndex = from.chordIndex + step;
    for (int i = from.lineIndex; i >= 0 && i < lines.size(); i += step) {
        const SongLine& line = lines.at(i);
        if (i != from.lineIndex)
            chordIndex = forward ? 0 : int(line.chords.size()) - 1;
        if (showsLabels(line, inTab.at(i)) && chordIndex >= 0 && chordIndex < line.chords.size())
            return ChordRef{i, chordIndex};
    }
    return std::nullopt;
}

std::optional<ChordRef> stepChord(Lines& lines, ChordRef chord, int delta)
{
    if (!isChordOf(lines, chord))
        return std::nullopt;
    SongLine& line = lines[chord.lineIndex];
    const qsizetype target = line.chords.at(chord.chordIndex).position + qsizetype(delta);
    if (target < 0 || target > MaxLineLength)
        return std::nullopt;
    return ChordRef{chord.lineIndex, moveChord(line, chord.chordIndex, int(target))};
}

} // namespace lvx::editor
