#pragma once

#include <QString>

#include <array>

namespace lvx::music {

class ChordTypeTable;

// The search keyboard: three octaves, key 0 the C below middle C.
inline constexpr int PianoSearchKeys = 36;
inline constexpr int PianoWhiteKeys = 21;
using PianoKeys = std::array<bool, PianoSearchKeys>;

// True for the keys a keyboard shows raised and dark (C#, D#, F#, G#, A#).
bool isBlackKey(int key);
// The key of white key number whiteIndex (0..20) counted from the left.
int whiteKeyIndex(int whiteIndex);
// The note name under white key whiteIndex: a letter, or a syllable when the
// notation is not "C".
QString whiteKeyCaption(int whiteIndex, const QString& notation);

// The chord the pressed keys make; the lowest pressed key is its bass, so the
// same notes in another inversion get a slash. Empty when no key is pressed or
// no chord type fits the notes exactly.
QString pianoChordName(const ChordTypeTable& table, const PianoKeys& pressed, const QString& notation);
// What the window shows for the pressed keys: the name, or "Chord not found".
QString pianoChordCaption(const ChordTypeTable& table, const PianoKeys& pressed, const QString& notation);

} // namespace lvx::music
