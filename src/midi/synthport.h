#pragma once

#include "midierror.h"

#include <QStringList>

#include <memory>

namespace lvx::midi {

class MidiPort;

// The audio outputs the built-in synthesizer tries, in order, among those this
// FluidSynth offers: the desktop sound servers first, then the raw devices.
QStringList synthAudioDrivers();

// The built-in General MIDI synthesizer playing through the first audio output
// that starts; nullptr with the reason when there is no sound font or no output.
std::unique_ptr<MidiPort> openSynthOutput(MidiError& error);

} // namespace lvx::midi
