#pragma once

#include <QString>

namespace lvx::song {

// Rewrites a line of chords between bar lines ("| G  Am | C |") as bracketed
// chords, each bar becoming the text label "['|]"; words that do not start with
// a note letter become text labels too. Leading blanks and blanks between words
// are kept one for one.
QString BarLineToChordPro(const QString& line);

// Whether a line is written in bar notation and so is read through
// BarLineToChordPro: its first non-blank character is "|" and every word
// between the bars is a chord (bare or bracketed), a rest, a repeat sign or
// count, or a rhythm mark ("." "/" "%"). A line with words is a lyric that
// starts with a repeat sign ("|: Dneska[F] jsem v lese") and stays one.
// alsoChord names further chords, such as solfege names for a line in solfege.
using ChordWordTest = bool (*)(QStringView word);
bool IsBarNotation(QStringView line, ChordWordTest alsoChord = nullptr);

} // namespace lvx::song
