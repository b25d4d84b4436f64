#include "lineediting.h"

#include "linelimits.h"

namespace lvx::editor {

using namespace detail;
using song::ChordPlacement;

namespace {

void shiftFrom(SongLine& line, qsizetype from, qsizetype delta)
{
    for (ChordPlacement& chord : line.chords) {
        if (chord.position >= from)
            chord.position = toPosition(chord.position + delta);
    }
}

// The text a join would produce must still fit a line; refusing the join keeps
// every character, where cutting the text would silently lose some.
bool mergeFits(const SongLine& upper, const SongLine& lower)
{
    return upper.text.size() + lower.text.size() <= MaxLineLength;
}

// Chords stand only on lyric lines: a comment or a block name that took a
// lyric's chords would drop them when the song is saved, so such a join is
// refused like one that would not fit.
bool mergeKeepsChords(const SongLine& upper, const SongLine& lower)
{
    return upper.kind == song::KindLyric || lower.chords.isEmpty();
}

bool isEmptyLyric(const SongLine& line)
{
    return line.kind == song::KindLyric && line.text.isEmpty() && line.chords.isEmpty();
}

} // namespace

bool takesTyping(qint16 kind)
{
    return kind == song::KindLyric || kind == song::KindComment || kind == song::KindBlockStart;
}

QString typingRefusal(const SongLine& line)
{
    if (takesTyping(line.kind))
        return {};
    const QString reason =
        line.kind == song::KindKept ? QStringLiteral("it is kept as the file had it") : QStringLiteral("it is a directive");
    return u"This line cannot take text: " + reason + u". Press Enter for a new lyric line below.";
}

bool isHeaderPlaceholder(const QString& text)
{
    return text == u"(title)" || text == u"(subtitle)";
}

void shiftForTyping(SongLine& line, int caret)
{
    shiftFrom(line, std::max(caret, 0), 1);
}

void shiftForBackspace(SongLine& line, int caret)
{
    if (caret > 0)
        shiftFrom(line, caret, -1);
}

void shiftForReplace(SongLine& line, int start, int length, int inserted)
{
    start = std::max(start, 0);
    length = std::max(length, 0);
    inserted = std::max(inserted, 0);
    const qsizetype end = qsizetype(start) + length;
    for (ChordPlacement& chord : line.chords) {
        if (chord.position >= end)
            chord.position = toPosition(chord.position + qsizetype(inserted) - length);
        else if (chord.position > start)
            chord.position = toPosition(start);
    }
}

void deleteCharacter(SongLine& line, int s)
{
    if (s < 0 || s >= line.text.size())
        return;
    QList<ChordPlacement> kept;
    kept.reserve(line.chords.size());
    for (ChordPlacement chord : std::as_const(line.chords)) {
        if (chord.position == s)
            continue;
        if (chord.position > s && chord.position >= 1)
            --chord.position;
        kept.append(chord);
    }
    line.chords = kept;
    line.text.remove(s, 1);
}

std::pair<SongLine, SongLine> splitParts(const SongLine& whole, int s)
{
    // A directive's text (and an end of block's) is only its display name: Enter
    // on it adds a line before or after it rather than cutting the name in two.
    qsizetype at = clampOffset(s, whole.text);
    if (isReadOnlyLine(whole) && at != 0)
        at = whole.text.size();

    SongLine first;
    SongLine second;
    first.text = whole.text.left(at);
    second.text = whole.text.mid(at);
    for (const ChordPlacement& chord : whole.chords) {
        if (chord.position >= at)
            second.chords.append(ChordPlacement{chord.name, toPosition(chord.position - at)});
        else
            first.chords.append(chord);
    }
    if (at == 0) {
        first.kind = song::KindLyric;
        second.kind = whole.kind;
    } else {
        first.kind = whole.kind;
        second.kind = song::KindLyric;
    }
    // A directive's own written form stays with the part that keeps its kind; the
    // unplaced text after a lyric stays at its end.
    (at == 0 || whole.kind == song::KindLyric ? second : first).source = whole.source;
    return {first, second};
}

void splitLine(Lines& lines, int index, int s)
{
    if (index < 0 || index >= lines.size())
        return;
    auto [first, second] = splitParts(lines.at(index), s);
    lines[index] = std::move(first);
    lines.insert(index + 1, std::move(second));
}

int mergeLines(SongLine& upper, const SongLine& lower)
{
    const qsizetype n = upper.text.size();
    QList<ChordPlacement> chords;
    QList<ChordPlacement> beyond;
    for (const ChordPlacement& chord : std::as_const(upper.chords)) {
        if (chord.position <= n)
            chords.append(chord);
        else
            beyond.append(ChordPlacement{chord.name, toPosition(chord.position + lower.text.size())});
    }
    for (const ChordPlacement& chord : lower.chords)
        chords.append(ChordPlacement{chord.name, toPosition(chord.position + n)});
    chords.append(beyond);
    upper.chords = chords;
    upper.text = QString(upper.text + lower.text).left(MaxLineLength);
    if (upper.kind == song::KindLyric && lower.kind == song::KindLyric)
        upper.source += lower.source;   // the unplaced text after each lyric, kept at the end
    return int(n);
}

std::optional<LinePosition> joinLines(Lines& lines, int upperIndex)
{
    if (upperIndex < 0 || upperIndex + 1 >= lines.size())
        return std::nullopt;
    const SongLine& upper = lines.at(upperIndex);
    const SongLine& lower = lines.at(upperIndex + 1);
    if (takesTyping(upper.kind) && isTextLine(lower)) {
        if (!joinsAsText(upper, lower))
            return std::nullopt;
        const int n = mergeLines(lines[upperIndex], lower);
        lines.removeAt(upperIndex + 1);
        return LinePosition{upperIndex, n};
    }
    // A structural line stays; an empty line beside it is all a join may take.
    if (isEmptyLyric(lower)) {
        const int n = int(upper.text.size());
        lines.removeAt(upperIndex + 1);
        return LinePosition{upperIndex, n};
    }
    if (isEmptyLyric(upper)) {
        lines.removeAt(upperIndex);
        return LinePosition{upperIndex, 0};
    }
    return std::nullopt;
}

bool joinsAsText(const SongLine& upper, const SongLine& lower)
{
    return takesTyping(upper.kind) && isTextLine(lower) && mergeFits(upper, lower) && mergeKeepsChords(upper, lower);
}

void removeLine(Lines& lines, int index)
{
    if (index >= 0 && index < lines.size())
        lines.removeAt(index);
}

void insertLine(Lines& lines, int index, const SongLine& line)
{
    lines.insert(std::clamp<qsizetype>(index, 0, lines.size()), line);
}

} // namespace lvx::editor
