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

void moveChord(SongLine& line, int chordIndex, int p)
{
    if (chordIndex < 0 || chordIndex >= line.chords.size())
        return;
    const qint16 position = toPosition(p);
    if (position > line.text.size())
        line.text += QString(position - line.text.size(), u' ');
    line.chords[chordIndex].position = position;
    sortChords(line);
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
        // Only lyric lines outside tablature get labels; any chords elsewhere are not counted.
        if (inTab.at(i) || line.kind != song::KindLyric)
            continue;
        total += line.chords.size();
        if (total >= labelNumber)
            return ChordRef{int(i), int(line.chords.size() - (total - labelNumber)) - 1};
    }
    return std::nullopt;
}

} // namespace lvx::editor
