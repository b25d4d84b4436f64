#pragma once

#include "midierror.h"

#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace lvx::midi {

class MidiPort;

// Device -1: the built-in General MIDI synthesizer, shown as "Midi Mapper".
inline constexpr qint32 MidiMapper = -1;

// Where the MIDI outputs come from: devices 0..n-1 are the system's output ports,
// device -1 the built-in synthesizer. Tests put their own outputs behind it.
class MidiSystem
{
public:
    virtual ~MidiSystem() = default;

    // The names of devices 0..n-1 as the system gives them.
    virtual QStringList outputNames() = 0;
    // Whether device -1 can sound at all (a sound font and a working audio output).
    virtual bool mapperAvailable() = 0;
    // The open output, or nullptr with the reason in error.
    virtual std::unique_ptr<MidiPort> openOutput(qint32 device, MidiError& error) = 0;
};

// The machine's own: RtMidi output ports and the FluidSynth synthesizer.
std::unique_ptr<MidiSystem> createSystemMidi();

} // namespace lvx::midi
