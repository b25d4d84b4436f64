// Selections over lines: what they cover, and cutting, copying and pasting
// them on the line records.

#include "linerange.h"

#include "linelimits.h"

namespace lvx::editor {

using namespace detail;

namespace {

// What a split leaves where there is nothing: an empty lyric part.
bool isBlankPart(const SongLine& line)
{
    return line.kind == song::KindLyric && line.text.isEmpty() && line.chords.isEmpty() && line.source.isEmpty()
        && !line.metadata;
}

int textLength(const SongLine& line)
{
    return int(line.text.size());
}

// Lines `first` to `last` of the song replaced by `replacement`.
void replaceLines(Lines& lines, int first, int last, const Lines& replacement)
{
    Lines result;
    result.reserve(lines.size() - (last - first + 1) + replacement.size());
    result.append(lines.mid(0, first));
    result.append(replacement);
    result.append(lines.mid(last + 1));
    lines = std::move(result);
}

} // namespace

LineRange normalizedRange(const Lines& lines, const LineRange& range)
{
    if (lines.isEmpty())
        return {};
    const auto within = [&lines](LinePosition at) {
        at.lineIndex = std::clamp(at.lineIndex, 0, int(lines.size()) - 1);
        at.offset = std::clamp(at.offset, 0, textLength(lines.at(at.lineIndex)));
        return at;
    };
    LinePosition first = within(range.first());
    LinePosition last = within(range.last());
    if (first == last)
        return {first, last};
    const SongLine& firstLine = lines.at(first.lineIndex);
    if (isReadOnlyLine(firstLine) && first.offset < textLength(firstLine))
        first.offset = 0;
    const SongLine& lastLine = lines.at(last.lineIndex);
    if (isReadOnlyLine(lastLine) && last.offset > 0)
        last.offset = textLength(lastLine);
    return {first, last};
}

std::optional<LineSpan> spanOnLine(const Lines& lines, const LineRange& range, int lineIndex)
{
    const LineRange taken = normalizedRange(lines, range);
    const LinePosition first = taken.anchor;
    const LinePosition last = taken.caret;
    if (lineIndex < first.lineIndex || lineIndex > last.lineIndex || lines.at(lineIndex).metadata)
        return std::nullopt;
    LineSpan span;
    span.start = lineIndex == first.lineIndex ? first.offset : 0;
    span.end = lineIndex == last.lineIndex ? last.offset : textLength(lines.at(lineIndex));
    span.throughEnd = lineIndex < last.lineIndex;
    if (span.start == span.end && !span.throughEnd)
        return std::nullopt;
    return span;
}

WholeLines wholeLines(const Lines& lines, const LineRange& range)
{
    const LineRange taken = normalizedRange(lines, range);
    WholeLines whole{taken.anchor.lineIndex, taken.caret.lineIndex};
    if (whole.last > whole.first && taken.caret.offset == 0)
        --whole.last;
    if (whole.last > whole.first && !lines.isEmpty()) {
        const int length = textLength(lines.at(whole.first));
        if (length > 0 && taken.anchor.offset == length)
            ++whole.first;
    }
    return whole;
}

Lines joinParts(const SongLine& upper, const SongLine& lower, LinePosition& boundary)
{
    if (isBlankPart(upper)) {
        boundary = {0, 0};
        return {lower};
    }
    if (isBlankPart(lower)) {
        boundary = {0, textLength(upper)};
        return {upper};
    }
    if (joinsAsText(upper, lower)) {
        SongLine joined = upper;
        boundary = {0, mergeLines(joined, lower)};
        return {joined};
    }
    // Two lines that cannot share one stay apart; the caret goes where typing lands.
    boundary = takesTyping(upper.kind) ? LinePosition{0, textLength(upper)} : LinePosition{1, 0};
    return {upper, lower};
}

Lines copyRange(const Lines& lines, const LineRange& range)
{
    if (lines.isEmpty())
        return {};
    const LineRange taken = normalizedRange(lines, range);
    const LinePosition first = taken.anchor;
    const LinePosition last = taken.caret;
    if (first.lineIndex == last.lineIndex)
        return {copyPart(lines.at(first.lineIndex), first.offset, last.offset - first.offset)};
    Lines clip;
    clip.reserve(last.lineIndex - first.lineIndex + 1);
    clip.append(splitParts(lines.at(first.lineIndex), first.offset).second);
    for (int i = first.lineIndex + 1; i < last.lineIndex; ++i) {
        if (!lines.at(i).metadata)
            clip.append(lines.at(i));
    }
    clip.append(splitParts(lines.at(last.lineIndex), last.offset).first);
    return clip;
}

LinePosition deleteRange(Lines& lines, const LineRange& range)
{
    if (lines.isEmpty())
        return {};
    const LineRange taken = normalizedRange(lines, range);
    const LinePosition first = taken.anchor;
    const LinePosition last = taken.caret;
    if (first == last)
        return first;
    Lines replacement;
    for (int i = first.lineIndex + 1; i < last.lineIndex; ++i) {
        if (lines.at(i).metadata)
            replacement.append(lines.at(i));
    }
    const int facts = int(replacement.size());
    LinePosition boundary;
    replacement.append(joinParts(splitParts(lines.at(first.lineIndex), first.offset).first,
                                 splitParts(lines.at(last.lineIndex), last.offset).second, boundary));
    replaceLines(lines, first.lineIndex, last.lineIndex, replacement);
    return {first.lineIndex + facts + boundary.lineIndex, boundary.offset};
}

LinePosition pasteLines(Lines& lines, LinePosition at, const Lines& clip)
{
    if (clip.isEmpty())
        return at;
    if (lines.isEmpty())
        lines.append(SongLine{});
    at.lineIndex = std::clamp(at.lineIndex, 0, int(lines.size()) - 1);
    if (clip.size() == 1)
        return pasteClip(lines, at.lineIndex, at.offset, clip.first());
    const auto [head, tail] = splitParts(lines.at(at.lineIndex), at.offset);
    LinePosition boundary;
    Lines pasted = joinParts(head, clip.first(), boundary);
    pasted.append(clip.mid(1, clip.size() - 2));
    const int before = int(pasted.size());
    pasted.append(joinParts(clip.last(), tail, boundary));
    replaceLines(lines, at.lineIndex, at.lineIndex, pasted);
    return {at.lineIndex + before + boundary.lineIndex, boundary.offset};
}

LinePosition typeOverRange(Lines& lines, const LineRange& range, const QString& typed)
{
    LinePosition caret = deleteRange(lines, range);
    if (typed.isEmpty() || lines.isEmpty())
        return caret;
    if (!takesTyping(lines.at(caret.lineIndex).kind)) {
        // Before the line at its start, after it at its end.
        caret = {caret.lineIndex + (caret.offset > 0 ? 1 : 0), 0};
        insertLine(lines, caret.lineIndex, SongLine{});
    }
    SongLine& line = lines[caret.lineIndex];
    if (line.text.size() + typed.size() > MaxLineLength)
        return caret;
    shiftForReplace(line, caret.offset, 0, int(typed.size()));
    line.text.insert(caret.offset, typed);
    return {caret.lineIndex, caret.offset + int(typed.size())};
}

} // namespace lvx::editor
