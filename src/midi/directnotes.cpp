#include "directnotes.h"

#include "chordplayer.h"
#include "midilib.h"

#include "base/appstate.h"

namespace lvx::midi {

namespace {

constexpr int PianoKeyBaseNote = 48;
constexpr qint32 PianoKeyDelay = 100;

} // namespace

int fretboardNote(const QString& instrument, int baseFret, int openStringPitch, int row)
{
    const int base = instrument == u"Piano" ? PianoKeyBaseNote : PlaybackBaseNote;
    return base + baseFret + openStringPitch + row - 1;
}

void playFretboardNote(MidiLib& midi, int baseFret, int openStringPitch, int row)
{
    const int note = fretboardNote(midi.app().instrument, baseFret, openStringPitch, row);
    midi.noteOn(PlaybackChannel, quint8(note), PlaybackVelocity);
}

int pianoKeyNote(int key)
{
    return PianoKeyBaseNote + key;
}

void playPianoKey(MidiLib& midi, int key)
{
    const MidiLib::Playback playback(midi);
    midi.programChange(PlaybackChannel, qBound(qint16(0), midi.app().pianoPatch, qint16(127)));
    if (!midi.playbackFailed())
        midi.noteOn(PlaybackChannel, quint8(pianoKeyNote(key)), PlaybackVelocity);
}

void playPianoKeys(MidiLib& midi, const PianoKeyboard& pressed)
{
    const MidiLib::Playback playback(midi);
    midi.programChange(PlaybackChannel, qBound(qint16(0), midi.app().pianoPatch, qint16(127)));
    for (int key = 0; key < PianoKeys; ++key) {
        if (midi.playbackFailed())
            return;
        if (!pressed[size_t(key)])
            continue;
        midi.noteOn(PlaybackChannel, quint8(pianoKeyNote(key)), PlaybackVelocity);
        midi.wait(PianoKeyDelay);
    }
}

} // namespace lvx::midi
