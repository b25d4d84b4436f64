#pragma once

#include "midierror.h"

#include <QString>
#include <QtGlobal>

#include <fluidsynth.h>

namespace lvx::midi {

// The General MIDI sound font the built-in synthesizer plays: $LIRAVOX_SOUNDFONT
// when set (even when it names nothing, so a test can take the sound font away),
// otherwise the first installed one found. Empty when there is none.
QString generalMidiSoundFont();

// A FluidSynth synthesizer playing the General MIDI sound font, fed with packed
// short messages. The live output and the WAV renderer share it. Reading the
// sound font takes most of the time a start costs, so it waits for the first
// message.
class SoundFontSynth final
{
public:
    explicit SoundFontSynth(int sampleRate);
    ~SoundFontSynth();
    Q_DISABLE_COPY_MOVE(SoundFontSynth)

    // Creates the synthesizer once a sound font is there to load.
    MidiError start();
    MidiError apply(quint32 message);

    fluid_settings_t* settings() const { return m_settings; }
    fluid_synth_t* synth() const { return m_synth; }

private:
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
    QString m_soundFont;
    bool m_loaded = false;

    MidiError loadSoundFont();
};

} // namespace lvx::midi
