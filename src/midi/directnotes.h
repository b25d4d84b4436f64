#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace lvx::midi {

class MidiLib;

// Single notes the chord editor and the piano search send at once, velocity 127
// on channel 0, with no note off: the instrument's own decay ends them.

// A click on the chord editor's fretboard: the note of that string at the
// clicked row (row 1 is the open string), an octave up when the instrument
// setting is "Piano".
int fretboardNote(const QString& instrument, int baseFret, int openStringPitch, int row);
void playFretboardNote(MidiLib& midi, int baseFret, int openStringPitch, int row);

// The piano search keyboard: key 0 is the C below middle C.
inline constexpr int PianoKeys = 36;
using PianoKeyboard = std::array<bool, PianoKeys>;
int pianoKeyNote(int key);
// A key pressed: the piano patch, then its note.
void playPianoKey(MidiLib& midi, int key);
// "Play Chord": the piano patch, then each pressed key from the lowest, 100 ms apart.
void playPianoKeys(MidiLib& midi, const PianoKeyboard& pressed);

} // namespace lvx::midi
