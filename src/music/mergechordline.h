#pragma once

#include <QString>

namespace lvx::music {

// One line of ChordPro from a chord line printed above its lyric line: each chord
// goes in brackets just before the lyric character under its first letter.
//   "G   D7" over "Hello world" -> "[G]Hell[D7]o world"
QString MergeChordLine(const QString& chordLine, const QString& lyricLine);

} // namespace lvx::music
