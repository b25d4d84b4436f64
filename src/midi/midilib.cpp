#include "midilib.h"

#include "messagelog.h"
#include "midiport.h"
#include "shortmessage.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/system.h"

#include <utility>

namespace lvx::midi {

namespace {

// What a device capability record can hold: the name up to its first NUL.
QString deviceName(const QString& systemName)
{
    const qsizetype nul = systemName.indexOf(QChar(u'\0'));
    return systemName.left(nul < 0 ? systemName.size() : nul).left(DeviceNameLength);
}

} // namespace

MidiLib::MidiLib(AppState& app, Messages& messages, std::unique_ptr<MidiSystem> system)
    : m_app(app), m_messages(messages), m_system(std::move(system))
{
    m_clock.start();
}

MidiLib::~MidiLib() = default;

qint16 MidiLib::countDevices()
{
    return qint16(m_system->outputNames().size());
}

const QStringList& MidiLib::listDevices()
{
    m_devices.clear();
    for (const QString& name : m_system->outputNames())
        m_devices.append(deviceName(name));
    return m_devices;
}

bool MidiLib::hasOutputDevice()
{
    return countDevices() > 0 || m_system->mapperAvailable();
}

void MidiLib::open(qint16 device)
{
    const MidiError error = openDevice(device);
    if (error != MidiError::None)
        showError(error);
}

bool MidiLib::openQuietly(qint16 device)
{
    return openDevice(device) == MidiError::None;
}

MidiError MidiLib::openDevice(qint16 device)
{
    MidiError error = MidiError::None;
    // The mapper's -1 reaches the system as a 32-bit -1, not as 65535.
    std::unique_ptr<MidiPort> port = m_system->openOutput(qint32(device), error);
    if (!port) {
        m_app.midiHandle = 0;
        return error == MidiError::None ? MidiError::PortFailed : error;
    }
    openPort(std::move(port));
    return MidiError::None;
}

void MidiLib::openPort(std::unique_ptr<MidiPort> port)
{
    // One output at a time: a second open takes the place of the first.
    m_port = std::move(port);
    m_portHandle = ++m_lastHandle;
    m_app.midiHandle = m_portHandle;
    m_app.midiOpen = true;
    setSoundOff(false);
}

void MidiLib::close()
{
    // A handle from an earlier run names nothing of ours and closes nothing.
    if (m_port && m_app.midiHandle == m_portHandle) {
        m_port.reset();
        m_portHandle = 0;
    }
    m_app.midiHandle = 0;
    m_app.midiOpen = false;
    setSoundOff(true);
}

bool MidiLib::isOpen() const
{
    return m_app.midiOpen;
}

void MidiLib::sendShort(quint32 message)
{
    if (m_monitor)
        m_monitor->record(elapsed() - m_monitorStart, message);
    const MidiError error = m_port ? m_port->sendShort(message) : MidiError::NotOpen;
    if (error == MidiError::None)
        return;
    setSoundOff(true);
    if (m_playbacks == 0 || !std::exchange(m_playbackFailed, true))
        showError(error);
}

void MidiLib::send(quint8 status, quint8 data1, quint8 data2)
{
    sendShort(pack(status, data1, data2, 0));
}

void MidiLib::noteOn(quint8 channel, quint8 note, quint8 velocity)
{
    send(quint8(NoteOnStatus + channel), note, velocity);
}

void MidiLib::programChange(qint16 channel, qint16 program)
{
    send(quint8(ProgramChangeStatus + channel), quint8(program), 0);
}

void MidiLib::showError(MidiError error)
{
    m_messages.inform(errorText(error));
}

void MidiLib::wait(qint32 milliseconds)
{
    if (m_port)
        m_port->wait(milliseconds);
    else
        Delay(milliseconds);
}

double MidiLib::elapsed() const
{
    return m_port ? m_port->elapsed() : elapsedMilliseconds(m_clock);
}

MidiLib::Playback::Playback(MidiLib& midi) : m_midi(midi)
{
    if (m_midi.m_playbacks++ == 0)
        m_midi.m_playbackFailed = false;
}

MidiLib::Playback::~Playback()
{
    --m_midi.m_playbacks;
}

void MidiLib::setSoundListener(std::function<void(bool off)> listener)
{
    m_soundListener = std::move(listener);
    if (m_soundListener)
        m_soundListener(m_soundOff);
}

void MidiLib::setSoundOff(bool off)
{
    if (std::exchange(m_soundOff, off) != off && m_soundListener)
        m_soundListener(off);
}

void MidiLib::setMonitor(MessageLog* log)
{
    m_monitor = log;
    m_monitorStart = elapsed();
}

} // namespace lvx::midi
