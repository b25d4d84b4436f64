#pragma once

#include "midierror.h"

#include <QStringList>

#include <memory>

namespace lvx::midi {

class MidiPort;
class MidiSystem;
class RenderPort;

// The desktop sound servers running for this user.
struct SoundServers
{
    bool pipeWire = false;
    bool pulseAudio = false;
};
SoundServers runningSoundServers();

// The audio outputs the built-in synthesizer tries, in order, among those
// FluidSynth offers: a sound server that is running first (PipeWire, then
// PulseAudio, which shares the card with every other program), then the raw
// devices. A server that is not running is not tried at all.
QStringList orderAudioDrivers(const QStringList& offered, SoundServers running);
QStringList synthAudioDrivers();

// The built-in General MIDI synthesizer playing through the first audio output
// that starts; nullptr with the reason when there is no sound font or no output.
// The audio output is let go two seconds after the last message and taken
// again by the next one: some outputs (ALSA's null device) keep the audio
// thread busy even in silence.
std::unique_ptr<MidiPort> openSynthOutput(MidiError& error);

// What the sound module hands out: the machine's ports and synthesizer, and
// the offline renderer.
std::unique_ptr<MidiSystem> createMachineMidi();
std::unique_ptr<RenderPort> createFluidRenderPort(MidiError& error);

} // namespace lvx::midi
