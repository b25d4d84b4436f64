#pragma once

#include <QString>

namespace lvx::song {

// Rewrites a line of chords between bar lines ("| G  Am | C |") as bracketed
// chords, each bar becoming the text label "['|]"; words that do not start with
// a note letter become text labels too. Leading blanks and blanks between words
// are kept one for one.
QString BarLineToChordPro(const QString& line);

} // namespace lvx::song
