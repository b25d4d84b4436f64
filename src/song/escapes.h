#pragma once

#include "songline.h"

#include <QString>
#include <QStringView>

namespace lvx::song {

// A few characters cannot stand as themselves in every place of a ChordPro line:
// "[" in a lyric opens a chord, "]" ends a chord name, "{" or "|" at the start of
// a lyric make a directive or a bar line of it, blanks around a directive's
// argument are trimmed away. The writer puts them there as ChordPro's \uXXXX
// escapes, and the reader turns exactly those escapes back into their
// characters, so whatever the editor lets a musician type reads back the same.

// The text with every escape of those characters replaced by the character.
QString decodeEscapes(QStringView text);
// Appends piece to out, escapes decoded; cheap when the piece holds none.
void appendDecoded(QString& out, QStringView piece);

// A lyric line as it is written: its chords in brackets, and escaped whatever
// would not read back as this lyric, inside a tablature section or outside.
QString writtenLyric(const SongLine& line, bool inTab);
// A comment's text or a block's name as a directive argument.
QString writtenArgument(const QString& text);

} // namespace lvx::song
