#pragma once

#include <QString>

namespace lvx::song {

class Song;

// "Chords.dat" in the program folder: the chord types and the fingerings every
// song can use.
QString globalDictionaryPath();

// Loads the dictionary into song (a song never shown). A missing file is first
// copied from the one installed with the program. The public font set is left
// as it was.
void loadGlobalDictionary(Song& dictionary);

// Writes the chord types and fingerings back, and nothing else.
bool saveGlobalDictionary(Song& dictionary);

} // namespace lvx::song
