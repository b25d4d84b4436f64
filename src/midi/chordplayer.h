#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace lvx {
struct AppState;
}

namespace lvx::midi {

class MidiLib;
class PlaybackNotes;

// Note-list entries count from the C two octaves below middle C.
inline constexpr int PlaybackBaseNote = 36;
inline constexpr quint8 PlaybackVelocity = 127;
// Every chord and note sounds on the first channel.
inline constexpr quint8 PlaybackChannel = 0;

// What a chord sounds like on one instrument.
struct PlaybackVoice
{
    qint16 patch = 0;
    qint16 sustain = 0;   // how long each note sounds, milliseconds
    qint16 delay = 0;     // between the starts of successive notes, milliseconds
};

// The longest a note sounds and the longest between two notes (either way), whatever the settings say.
inline constexpr qint16 LongestSustain = 10000;
inline constexpr qint16 LongestDelay = 2000;

// The guitar's voice when the instrument setting is exactly "Guitar", otherwise the
// piano's; a patch outside 0..127 or a time outside its range is used clamped.
PlaybackVoice voiceFor(const AppState& app);

// One note on (velocity 127) or note off (velocity 0) at its time in milliseconds.
struct NoteEvent
{
    qint32 time = 0;
    quint8 note = 0;
    quint8 velocity = 0;

    friend bool operator==(const NoteEvent&, const NoteEvent&) = default;
};

// For entries 1..10 that hold a note: its note on at t and its note off at
// t + sustain, then t moves on by delay. Empty entries take no time.
QList<NoteEvent> chordEvents(const PlaybackNotes& notes, qint16 sustain, qint16 delay);
// Into time order; events at the same time keep the order they had.
void sortByTime(QList<NoteEvent>& events);

// Sounds the playback note list as an arpeggio, lowest entry first, with the
// instrument's patch, sustain and delay, on channel 0. The user interface stays
// live while it waits, so a playback can start inside another; the playing
// counter counts them, and a counter of -1 silences this one.
void PlayChordNotes(MidiLib& midi, const PlaybackNotes& notes);

// The options' Test buttons: a C major chord with its octave on the instrument
// with a voice not yet applied; the settings in force are back afterwards.
void playTestChord(MidiLib& midi, const QString& instrument, const PlaybackVoice& voice);

} // namespace lvx::midi
