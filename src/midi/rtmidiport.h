#pragma once

#include "midierror.h"

#include <QStringList>

#include <memory>

namespace lvx::midi {

class MidiPort;

// The system's MIDI output ports through RtMidi (the ALSA sequencer on Linux)
// that can sound, numbered from 0 in the system's order. No sequencer at all
// means no ports.
QStringList rtMidiOutputNames();
std::unique_ptr<MidiPort> openRtMidiOutput(int index, MidiError& error);

// A port that only hands its notes on ("Midi Through", a virtual raw MIDI
// port): on most desktops nothing listens there, and a chord sent to it is silence.
bool isPassThroughPort(const QString& systemName);
// The positions in the system's list of the ports offered as devices.
QList<int> soundingPorts(const QStringList& systemNames);

} // namespace lvx::midi
