#pragma once

#include <QString>

namespace lvx::midi {

// Why a MIDI operation failed. Each has a text the user is shown.
enum class MidiError {
    None,
    NotOpen,          // a message was sent while no output is open
    BadDevice,        // no device has that number
    PortFailed,       // the system refused to open the output port
    SendFailed,       // the output took the message and failed
    NoSoundFont,      // the built-in synthesizer found no General MIDI sound font
    SynthFailed,      // the built-in synthesizer could not be created
    NoAudio,          // no audio output would start for the built-in synthesizer
};

QString errorText(MidiError error);

} // namespace lvx::midi
