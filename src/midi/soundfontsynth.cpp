#include "soundfontsynth.h"

#include "midilog.h"
#include "shortmessage.h"

#include <QFile>
#include <QFileInfo>

namespace lvx::midi {

namespace {

// Loud enough to hear a single guitar string, with headroom for ten notes at
// full velocity.
constexpr double SynthGain = 0.5;

void logFluidSynth(int level, const char* message, void*)
{
    qCDebug(lcMidi) << "FluidSynth" << level << message;
}

// FluidSynth prints its complaints (every audio driver that fails to start) on
// stderr; the program shows its own texts instead.
void quietFluidSynthLog()
{
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, logFluidSynth, nullptr);
}

MidiError applyChannelMessage(fluid_synth_t* synth, quint32 message)
{
    const quint8 status = statusByte(message);
    const int channel = status & 0x0F;
    const int data1 = data1Byte(message) & 0x7F;
    const int data2 = data2Byte(message) & 0x7F;
    int result = FLUID_OK;
    switch (status & 0xF0) {
    case NoteOffStatus:
        // Nothing is sounding on that key is not a failure of the output.
        fluid_synth_noteoff(synth, channel, data1);
        break;
    case NoteOnStatus:
        if (data2 == 0)
            fluid_synth_noteoff(synth, channel, data1);
        else
            result = fluid_synth_noteon(synth, channel, data1, data2);
        break;
    case 0xA0:
        result = fluid_synth_key_pressure(synth, channel, data1, data2);
        break;
    case ControlChangeStatus:
        result = fluid_synth_cc(synth, channel, data1, data2);
        break;
    case ProgramChangeStatus:
        result = fluid_synth_program_change(synth, channel, data1);
        break;
    case 0xD0:
        result = fluid_synth_channel_pressure(synth, channel, data1);
        break;
    case 0xE0:
        result = fluid_synth_pitch_bend(synth, channel, data1 + data2 * 128);
        break;
    default:
        // System messages mean nothing to a synthesizer on its own.
        break;
    }
    return result == FLUID_OK ? MidiError::None : MidiError::SendFailed;
}

} // namespace

QString generalMidiSoundFont()
{
    if (qEnvironmentVariableIsSet("LIRAVOX_SOUNDFONT")) {
        const QString chosen = qEnvironmentVariable("LIRAVOX_SOUNDFONT");
        return QFileInfo(chosen).isFile() ? chosen : QString();
    }
    const QStringList installed{
        QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
        QStringLiteral("/usr/share/soundfonts/default.sf2"),
    };
    for (const QString& path : installed) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

SoundFontSynth::SoundFontSynth(int sampleRate)
{
    quietFluidSynthLog();
    m_settings = new_fluid_settings();
    if (m_settings) {
        fluid_settings_setnum(m_settings, "synth.sample-rate", sampleRate);
        fluid_settings_setnum(m_settings, "synth.gain", SynthGain);
    }
}

SoundFontSynth::~SoundFontSynth()
{
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
}

MidiError SoundFontSynth::start()
{
    m_soundFont = generalMidiSoundFont();
    if (m_soundFont.isEmpty())
        return MidiError::NoSoundFont;
    if (!m_settings || !(m_synth = new_fluid_synth(m_settings)))
        return MidiError::SynthFailed;
    return MidiError::None;
}

MidiError SoundFontSynth::loadSoundFont()
{
    if (m_loaded)
        return MidiError::None;
    if (fluid_synth_sfload(m_synth, QFile::encodeName(m_soundFont).constData(), 1) == FLUID_FAILED) {
        qCDebug(lcMidi) << "Cannot load the sound font" << m_soundFont;
        return MidiError::NoSoundFont;
    }
    m_loaded = true;
    return MidiError::None;
}

MidiError SoundFontSynth::apply(quint32 message)
{
    if (!m_synth)
        return MidiError::NotOpen;
    const MidiError loaded = loadSoundFont();
    return loaded != MidiError::None ? loaded : applyChannelMessage(m_synth, message);
}

} // namespace lvx::midi
