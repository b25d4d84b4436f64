#pragma once

#include <QtGlobal>

namespace lvx::midi {

class MidiLib;

// Start-up: releases the output an earlier run left open, reads the device and
// the two patches, opens the saved device and records the new handle in
// "Midi"/"LastHandle"; then fills the instrument names. Without any device the
// program stays silent and says nothing.
void midiStartUp(MidiLib& midi);

// The device and patches start-up would take, opened the same way, without
// touching "LastHandle": for a program that plays while the editor may be running.
void openConfiguredOutput(MidiLib& midi);

// Exit: closes the output when it is open and records that no handle is held.
void midiShutDown(MidiLib& midi);

// The options' device choice: when it differs from the device in use, the
// output is closed and the new device opened; then it is stored and saved.
void changeMidiDevice(MidiLib& midi, qint16 device);

} // namespace lvx::midi
