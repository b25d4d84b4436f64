// The entry points of the sound module: the machine's MIDI outputs and the
// offline renderer, both built on the libraries only this module links.

#include "midisystem.h"
#include "renderport.h"
#include "soundmodule.h"
#include "synthport.h"

extern "C" Q_DECL_EXPORT lvx::midi::MidiSystem* liravoxCreateSystemMidi()
{
    return lvx::midi::createMachineMidi().release();
}

extern "C" Q_DECL_EXPORT lvx::midi::RenderPort* liravoxCreateRenderPort(lvx::midi::MidiError* error)
{
    return lvx::midi::createFluidRenderPort(*error).release();
}
