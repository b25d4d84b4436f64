#pragma once

#include "lineediting.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <optional>

namespace lvx::editor {

// A selection over the song's lines: where it was started and where the caret
// went, either first. Line indexes and offsets as everywhere in the editor.
struct LineRange
{
    LinePosition anchor;
    LinePosition caret;

    LinePosition first() const { return std::min(anchor, caret); }
    LinePosition last() const { return std::max(anchor, caret); }
    bool spansLines() const { return anchor.lineIndex != caret.lineIndex; }

    friend bool operator==(const LineRange&, const LineRange&) = default;
};

// The range as the edits take it: first end first (as the anchor), both ends
// within the song, and a read-only line it touches taken whole (a directive's
// display name is not text to cut in two). A range that only reaches the end
// of such a line, or the start of one, leaves the line out.
LineRange normalizedRange(const Lines& lines, const LineRange& range);

// What a range covers of one line, for drawing it: the characters from start
// to end, and whether the line's end (its break to the next line) is in it.
struct LineSpan
{
    int start = 0;
    int end = 0;
    bool throughEnd = false;

    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};
std::optional<LineSpan> spanOnLine(const Lines& lines, const LineRange& range, int lineIndex);

// The whole lines a command on the range works on (making them a chorus): a
// range that ends at the start of a line, or starts at the end of one, leaves
// that line out, as the musician who selected with Shift+Down means it.
struct WholeLines
{
    int first = 0;
    int last = 0;
};
WholeLines wholeLines(const Lines& lines, const LineRange& range);

// Two parts put on one line again where they can share one: an empty lyric part
// gives way to the other, a text joins a line that takes typing; else they stay
// two lines. `boundary` gets where the parts meet (line 0 or 1 of the result).
Lines joinParts(const SongLine& upper, const SongLine& lower, LinePosition& boundary);

// The records of a range, each a line: the part of its first line from the
// range's start, the lines between whole, the part of its last line up to the
// range's end. A chord goes with the character it stands over; one after a
// line's text stands over the line's end. The song's facts, which the view does
// not show, stay out. Within one line this is copyPart.
Lines copyRange(const Lines& lines, const LineRange& range);
// Removes the range with its chords, joining what is left of its first and
// last line; the song's facts inside it stay. Returns where the caret goes.
LinePosition deleteRange(Lines& lines, const LineRange& range);
// Records of copyRange pasted at a position: the first joins the text before
// the position, the last the text after it, the others go in between as they
// are. A single record is pasted as pasteClip pastes it. Returns where the
// caret goes: after what was pasted.
LinePosition pasteLines(Lines& lines, LinePosition at, const Lines& clip);
// Typing over a range: the range goes, the text comes in at the caret; where
// the caret lands on a line that takes no typing, the text goes on a new line.
LinePosition typeOverRange(Lines& lines, const LineRange& range, const QString& typed);

} // namespace lvx::editor
