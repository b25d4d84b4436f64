#include "midierror.h"

namespace lvx::midi {

QString errorText(MidiError error)
{
    switch (error) {
    case MidiError::None:
        return QStringLiteral("No error.");
    case MidiError::NotOpen:
        return QStringLiteral("No MIDI output device is open.");
    case MidiError::BadDevice:
        return QStringLiteral("There is no MIDI output device with this number.");
    case MidiError::PortFailed:
        return QStringLiteral("The MIDI output device could not be opened.");
    case MidiError::SendFailed:
        return QStringLiteral("The MIDI output device did not take the message.");
    case MidiError::NoSoundFont:
        return QStringLiteral("The built-in synthesizer found no General MIDI sound font.");
    case MidiError::SynthFailed:
        return QStringLiteral("The built-in synthesizer could not be started.");
    case MidiError::NoAudio:
        return QStringLiteral("The built-in synthesizer found no working audio output.");
    }
    return QStringLiteral("Unknown MIDI error.");
}

} // namespace lvx::midi
