#pragma once

#include "midierror.h"

#include <QStringList>

#include <memory>

namespace lvx::midi {

class MidiPort;

// The system's MIDI output ports through RtMidi (the ALSA sequencer on Linux).
// No sequencer at all means no ports.
QStringList rtMidiOutputNames();
std::unique_ptr<MidiPort> openRtMidiOutput(int index, MidiError& error);

} // namespace lvx::midi
