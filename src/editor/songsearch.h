#pragma once

#include "editor/lineediting.h"

#include <QString>

#include <optional>

namespace lvx::editor {

// Find in a song's line records. A text search looks for the words in the
// lyrics and comments, ignoring case, never in chord names; a chord search
// matches whole chord names, as written or as their labels show them, so "G"
// finds [G] but neither [G7] nor the "g" of a word.
struct SongSearch
{
    QString text;
    bool chords = false;
    bool letters = true;    // chord labels show letter names, else solfege
};

struct SearchHit
{
    int lineIndex = 0;
    int offset = 0;         // where the match starts in the line's text; a chord's position
    int length = 0;         // characters matched; 0 for a chord
    int chordIndex = -1;    // 0-based index into the line's chords, -1 for text
    bool wrapped = false;   // found only after going round the song's end (or its start, backwards)
};

// Forwards: the first match at or after `from`, going on from the first line
// after the last. Backwards: the last match before `from`, going on from the
// last line after the first. Nothing when the song holds no match (or the
// search is empty). `from` may lie anywhere, even outside the song.
std::optional<SearchHit> findInSong(const Lines& lines, const SongSearch& search, LinePosition from, bool backwards);

} // namespace lvx::editor
