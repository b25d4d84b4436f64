#pragma once

#include "song/songline.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace lvx::editor {

using song::SongLine;
using Lines = QList<SongLine>;

// Editing rules of the song window on line records. Line indexes are 0-based
// positions in the list; offsets are 0-based character offsets (a chord at
// position p stands over the character with offset p).

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
// A directive line (kind 10 or more) splits only at 0 or at its end: offsets
// inside it count as its end, so its display name is never cut in two.
void splitLine(Lines& lines, int index, int s);
// `lower` appended to `upper`: upper's chords up to its length stay, lower's
// follow shifted by that length, upper's chords beyond its text come last
// shifted by the length of lower's text. Returns upper's old length. Text past
// the longest line allowed is cut; the joins check first and never cut.
int mergeLines(SongLine& upper, const SongLine& lower);
// BackSpace at the start of line `index` (> 0): joins it to the line above and
// removes it; a directive line above (kind 10 or more, or an end of block: its
// text is a name the file does not hold) is removed instead, so no typed text is lost. Returns the caret offset in the line that now holds the text.
// Nothing happens on line 0, on a directive or end-of-block line, when the
// joined text would be longer than a line may be, or when chords would land on a
// line that is no lyric (the caret offset is then 0).
int joinWithPrevious(Lines& lines, int index);
// Delete at the end of line `index` (not the last): a lyric line below is merged
// in; the line below is removed whatever its kind. Returns the caret offset.
// Nothing changes on the last line, on a directive or end-of-block line, when the joined text
// would be longer than a line may be, or when chords would land on a line that
// is no lyric.
int joinWithNext(Lines& lines, int index);
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
// its end, and the chords are sorted again.
void moveChord(SongLine& line, int chordIndex, int p);

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
// For each line, whether it lies inside a tablature section (after a start of
// tablature line, up to the line before the end of tablature line).
QList<bool> tabSectionLines(const Lines& lines);

// -- clipboard
// The part of a lyric line from s, n characters, with the chords standing on
// it; any other line whole.
SongLine copyPart(const SongLine& line, int s, int n);
// A lyric clip goes into line `index` at offset p with its chords; any other
// clip is inserted as a new line before line `index`. A lyric clip goes in as a
// line of its own before a directive line too (its text would never be saved),
// and before a comment or block name when it carries chords (they would not be),
// and at the end when `index` is past the last line. An empty clip (never
// filled) and a paste that would make the line too long do nothing.
void pasteClip(Lines& lines, int index, int p, const SongLine& clip);

// -- directive lines of the Insert menu
struct InsertCommand
{
    QString objectName;   // "mnuIComment"
    QString caption;      // "&Comment"
    qint16 kind;
    QString text;         // the new line's text
    bool snapshot;        // whether the command takes an undo snapshot first
};
const QList<InsertCommand>& insertCommands();

} // namespace lvx::editor
