#pragma once

#include "midierror.h"

namespace lvx::midi {

class MidiSystem;
class RenderPort;

// The sound libraries (FluidSynth, RtMidi and the audio back ends they bring:
// PulseAudio, JACK, SDL, codecs) live in a module of their own, loaded the first
// time something is to sound. Programs and commands that never play start
// without them. These are the module's entry points.
extern "C" {
using CreateSystemMidiFunction = MidiSystem* (*)();
using CreateRenderPortFunction = RenderPort* (*)(MidiError* error);
}

struct SoundModule
{
    CreateSystemMidiFunction createSystemMidi = nullptr;
    CreateRenderPortFunction createRenderPort = nullptr;
};

// The module, loaded on the first call; nullptr when it cannot be loaded (the
// program is then silent, as on a machine without sound).
const SoundModule* soundModule();

} // namespace lvx::midi
