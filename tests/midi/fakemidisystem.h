#pragma once

#include "midi/midiport.h"
#include "midi/midisystem.h"
#include "midi/recordingport.h"

#include <QList>
#include <QStringList>

// A port on a virtual clock that knows how many of its kind are open.
class TrackedPort final : public lvx::midi::MidiPort
{
public:
    explicit TrackedPort(int& openCount) : m_openCount(openCount) { ++m_openCount; }
    ~TrackedPort() override { --m_openCount; }

    lvx::midi::MidiError sendShort(quint32 message) override { return recorder.sendShort(message); }
    void wait(qint32 milliseconds) override { recorder.wait(milliseconds); }
    double elapsed() const override { return recorder.elapsed(); }

    lvx::midi::RecordingPort recorder{lvx::midi::RecordingPort::Clock::Virtual};

private:
    int& m_openCount;
};

// Devices as a test wants them: named ports, a mapper that works or not, and a
// record of every device number asked for.
class FakeMidiSystem final : public lvx::midi::MidiSystem
{
public:
    QStringList names;
    bool mapperWorks = true;
    bool refuseOpen = false;
    QList<qint32> requested;
    int openPorts = 0;
    TrackedPort* lastPort = nullptr;

    QStringList outputNames() override { return names; }
    bool mapperAvailable() override { return mapperWorks; }

    std::unique_ptr<lvx::midi::MidiPort> openOutput(qint32 device, lvx::midi::MidiError& error) override
    {
        using lvx::midi::MidiError;
        requested.append(device);
        if (device == lvx::midi::MidiMapper && !mapperWorks) {
            error = MidiError::NoAudio;
            return nullptr;
        }
        if (device != lvx::midi::MidiMapper && (device < 0 || device >= names.size())) {
            error = MidiError::BadDevice;
            return nullptr;
        }
        if (refuseOpen) {
            error = MidiError::PortFailed;
            return nullptr;
        }
        error = MidiError::None;
        auto port = std::make_unique<TrackedPort>(openPorts);
        lastPort = port.get();
        return port;
    }
};
