#include "midistartup.h"

#include "midilib.h"

#include "base/appstate.h"
#include "base/settings.h"

namespace lvx::midi {

namespace {

QString midiSection()
{
    return QStringLiteral("Midi");
}

void saveHandle(qint32 handle)
{
    SaveSetting(midiSection(), QStringLiteral("LastHandle"), QString::number(handle));
}

// A saved port that is still there is opened, and its failure reported. The
// mapper, or a port that has gone since, means the built-in synthesizer; that
// one cannot sound on a machine without audio, which is no news at start-up.
void openSavedDevice(MidiLib& midi, qint16 device)
{
    if (device >= 0 && device < midi.countDevices())
        midi.open(device);
    else
        midi.openQuietly(qint16(MidiMapper));
}

// With no port that can sound, the built-in synthesizer is the device to
// start with: a new user hears the first chord clicked.
void readDeviceAndPatches(MidiLib& midi)
{
    AppState& app = midi.app();
    const qint16 firstChoice = midi.countDevices() > 0 ? 0 : qint16(MidiMapper);
    app.midiDevice = GetSettingInteger(midiSection(), QStringLiteral("MidiDev"), firstChoice);
    app.guitarPatch = GetSettingInteger(midiSection(), QStringLiteral("GuitarPatch"), 24);
    app.pianoPatch = GetSettingInteger(midiSection(), QStringLiteral("PianoPatch"), 0);
}

} // namespace

void midiStartUp(MidiLib& midi)
{
    AppState& app = midi.app();
    app.PlayingCount = 0;

    const bool anyDevice = midi.hasOutputDevice();
    app.midiHandle = anyDevice ? GetSettingInteger(midiSection(), QStringLiteral("LastHandle"), 0) : 0;
    if (app.midiHandle != 0)
        midi.close();

    readDeviceAndPatches(midi);
    if (anyDevice)
        openSavedDevice(midi, app.midiDevice);
    saveHandle(app.midiHandle);

    midi.instrumentNames().fill();
}

void openConfiguredOutput(MidiLib& midi)
{
    readDeviceAndPatches(midi);
    if (midi.hasOutputDevice())
        openSavedDevice(midi, midi.app().midiDevice);
}

void midiShutDown(MidiLib& midi)
{
    if (midi.isOpen())
        midi.close();
    saveHandle(0);
}

void changeMidiDevice(MidiLib& midi, qint16 device)
{
    AppState& app = midi.app();
    if (device != app.midiDevice) {
        midi.close();
        midi.open(device);
    }
    app.midiDevice = device;
    SaveSetting(midiSection(), QStringLiteral("MidiDev"), QString::number(device));
}

} // namespace lvx::midi
