#pragma once

#include "song/songline.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <utility>

namespace lvx::editor {

using song::SongLine;
using Lines = QList<SongLine>;

// Editing rules of the song window on line records. Line indexes are 0-based
// positions in the list; offsets are 0-based character offsets (a chord at
// position p stands over the character with offset p).

// -- line kinds
// Lyrics, comments and a block's name take typing. Every other line (directive
// marks, and any kind this version does not edit) shows read-only: its text is
// a display name or must reach the file as it was.
bool takesTyping(qint16 kind);
inline bool isReadOnlyLine(const SongLine& line)
{
    return !takesTyping(line.kind);
}
// Why a line takes no typing, as the status bar says it when a key is typed
// there; empty for a line that takes typing. Enter on such a line starts a new
// lyric line below it.
QString typingRefusal(const SongLine& line);
// A line that is all text: joining it into another line keeps everything it holds.
inline bool isTextLine(const SongLine& line)
{
    return line.kind == song::KindLyric || line.kind == song::KindComment;
}

// -- typing inside one line
// A character typed at the caret: chords at or after it move right by one.
void shiftForTyping(SongLine& line, int caret);
// BackSpace at caret > 0: chords at or after the caret move left by one.
void shiftForBackspace(SongLine& line, int caret);
// The selection [start, start + length) replaced by `inserted` characters:
// chords inside the removed range move to its start, later ones shift by the
// change in length, so every chord stays over its character.
void shiftForReplace(SongLine& line, int start, int length, int inserted);
// Delete at offset s (before the end): the character goes, a chord at s goes
// with it, later chords move left by one.
void deleteCharacter(SongLine& line, int s);

// -- lines
// Enter at offset s: the line splits in two (the second inserted after the
// first). At offset 0 the first part is an empty lyric line and the second keeps
// the kind; otherwise the first keeps the kind and the second is a lyric line.
// A read-only line splits only at 0 or at its end: offsets inside it count as
// its end, so a directive's display name is never cut in two.
void splitLine(Lines& lines, int index, int s);
// The two parts Enter makes of a line, not yet in the song.
std::pair<SongLine, SongLine> splitParts(const SongLine& line, int s);
// `lower` appended to `upper`: upper's chords up to its length stay, lower's
// follow shifted by that length, upper's chords beyond its text come last
// shifted by the length of lower's text. Returns upper's old length. Text past
// the longest line allowed is cut; the joins check first and never cut.
int mergeLines(SongLine& upper, const SongLine& lower);
// Lines `upperIndex` and `upperIndex + 1` joined, by BackSpace at the start of
// the lower line or Delete at the end of the upper one. Text lines (lyrics and
// comments) merge into a line that takes typing. A structural line (a directive,
// a block start, a line kept as the file had it) is never removed by a join:
// next to one, only an empty lyric line goes. Returns where the caret goes, or
// nothing when the lines stay as they were (also when the joined text would be
// longer than a line may be).
struct LinePosition
{
    int lineIndex = 0;
    int offset = 0;

    friend auto operator<=>(const LinePosition&, const LinePosition&) = default;
};
std::optional<LinePosition> joinLines(Lines& lines, int upperIndex);
// Whether `lower` may join the end of `upper` as text: a text line into a line
// that takes typing, chords only into a lyric, and never longer than a line may be.
bool joinsAsText(const SongLine& upper, const SongLine& lower);
void removeLine(Lines& lines, int index);
void insertLine(Lines& lines, int index, const SongLine& line);

// -- chords
// A new chord at offset s, after the chords already at s.
void insertChord(SongLine& line, int s, const QString& name);
void removeChord(SongLine& line, int chordIndex);
// Into ascending position; equal positions keep their order.
void sortChords(SongLine& line);
// Where a dragged label lands: the smallest p in 0..text length + 100 with
// boxLeft + width(first p characters of the text padded with 100 blanks),
// rounded, at or right of labelLeft (the last p when none is).
int dragTarget(const QString& text, double boxLeft, double labelLeft,
               const std::function<double(QStringView)>& width);
// The chord moves to p: the text is padded with blanks up to p when p is past
// its end, and the chords are sorted again. Returns the chord's index after the
// sort (-1 for no such chord).
int moveChord(SongLine& line, int chordIndex, int p);

// Chord labels are numbered in painting order from line `topIndex`, skipping
// lines inside a tablature section (they show no labels). Label numbers count from 1.
// Lines other than lyric lines show no labels either, so chords left on them
// are skipped as well.
struct ChordRef
{
    int lineIndex = -1;
    int chordIndex = -1;
};
std::optional<ChordRef> labelChord(const Lines& lines, int topIndex, int labelNumber);

// -- chords from the keyboard; only chords that show a label are reached
// The chord of the caret's line at or after the caret (the first of several on
// one character), or the last one before it.
std::optional<ChordRef> chordFromCaret(const Lines& lines, int lineIndex, int caret, bool forward);
// The chord after or before `from` in the song, on whichever line it is.
std::optional<ChordRef> nextChord(const Lines& lines, ChordRef from, bool forward);
// The chord one character right (delta 1) or left (-1), as a drag moves it.
// Where it stands afterwards, or nothing when it cannot move (the start of the
// line, the longest line).
std::optional<ChordRef> stepChord(Lines& lines, ChordRef chord, int delta);
// For each line, whether it lies inside a tablature section (after a start of
// tablature line, up to the line before the end of tablature line).
QList<bool> tabSectionLines(const Lines& lines);

// A lyric inside a tablature section is text as written, as a file reads it:
// chords that came into a section (a start of tablature inserted above them, a
// paste, a join) go into the text in brackets where they stood, so the view,
// the print and the file show the line alike. A line that would grow too long
// keeps its chords apart. False when no line changed.
bool foldTablatureChords(Lines& lines);

// -- clipboard
// The part of a lyric line from s, n characters, with the chords standing on
// it; any other line whole.
SongLine copyPart(const SongLine& line, int s, int n);
// A lyric clip goes into line `index` at offset p with its chords; any other
// clip is inserted as a new line before line `index`. A lyric clip goes in as a
// line of its own before a read-only line too (its text would never be saved),
// and before a comment or block name when it carries chords (they would not be),
// and at the end when `index` is past the last line. An empty clip (never
// filled) and a paste that would make the line too long do nothing. Returns
// where the caret goes: after the text pasted, or on its line, moved down.
LinePosition pasteClip(Lines& lines, int index, int p, const SongLine& clip);

// -- the title and subtitle
// The texts a new song's header starts with: typing replaces them whole.
bool isHeaderPlaceholder(const QString& text);

// -- directive lines of the Insert menu
struct InsertCommand
{
    QString objectName;   // "mnuIComment"
    QString caption;      // "&Comment"
    qint16 kind;
    QString text;         // the new line's text
};
const QList<InsertCommand>& insertCommands();

} // namespace lvx::editor
