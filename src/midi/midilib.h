#pragma once

#include "instrumentnames.h"
#include "midierror.h"
#include "midisystem.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace lvx {
struct AppState;
class Messages;
} // namespace lvx

namespace lvx::midi {

class MessageLog;
class MidiPort;

// The text the device list shows for device -1.
inline constexpr QStringView MidiMapperName = u"Midi Mapper";
// The longest device name the device list keeps.
inline constexpr int DeviceNameLength = 32;

// The program's one MIDI output: the device list, opening and closing by device
// number, short messages on the open output, and the instrument names. The
// handle and the open flag live in the application state, where start-up, the
// exit and the options read them; failures are shown through the messages.
class MidiLib final
{
public:
    MidiLib(AppState& app, Messages& messages, std::unique_ptr<MidiSystem> system = createSystemMidi());
    ~MidiLib();
    Q_DISABLE_COPY_MOVE(MidiLib)

    AppState& app() const { return m_app; }

    // Devices 0..n-1, the system's output ports.
    qint16 countDevices();
    // Refreshes and returns the device names, each cut at its first NUL and to 32 characters.
    const QStringList& listDevices();
    const QStringList& devices() const { return m_devices; }
    // Whether anything can sound: a port, or the built-in synthesizer with an audio output.
    bool hasOutputDevice();

    // Opens device 0..n-1 or MidiMapper (-1); a failure shows its text.
    void open(qint16 device);
    // The same without a message: false when nothing opened.
    bool openQuietly(qint16 device);
    // Opens a port made elsewhere (a recorder, the WAV renderer) as the output.
    void openPort(std::unique_ptr<MidiPort> port);
    // Closes the output the application state's handle names, if it is ours,
    // and clears the open flag and the handle.
    void close();
    bool isOpen() const;

    // Sends on the open output; a failure shows its text.
    void sendShort(quint32 message);
    void send(quint8 status, quint8 data1, quint8 data2);
    // Velocity 0 ends the note.
    void noteOn(quint8 channel, quint8 note, quint8 velocity);
    void programChange(qint16 channel, qint16 program);
    void showError(MidiError error);

    // Lets time pass on the output's clock while the user interface stays live.
    void wait(qint32 milliseconds);
    // Milliseconds on that clock.
    double elapsed() const;

    // Every message sent from now on is also kept in log, timed from now;
    // nullptr stops it.
    void setMonitor(MessageLog* log);

    // One playback, one message: while a playback is in progress (playbacks
    // started inside it included) only its first failure is shown, and
    // playbackFailed() tells the player to stop sending.
    class Playback final
    {
    public:
        explicit Playback(MidiLib& midi);
        ~Playback();
        Q_DISABLE_COPY_MOVE(Playback)

    private:
        MidiLib& m_midi;
    };
    bool playbackFailed() const { return m_playbackFailed; }

    // Sound is off from a failed message, or while nothing is open, until an
    // output opens; the listener hears every change.
    bool soundOff() const { return m_soundOff; }
    void setSoundListener(std::function<void(bool off)> listener);

    InstrumentNames& instrumentNames() { return m_instruments; }
    const InstrumentNames& instrumentNames() const { return m_instruments; }

private:
    MidiError openDevice(qint16 device);

    AppState& m_app;
    Messages& m_messages;
    std::unique_ptr<MidiSystem> m_system;
    std::unique_ptr<MidiPort> m_port;
    qint32 m_portHandle = 0;
    qint32 m_lastHandle = 0;
    QStringList m_devices;
    InstrumentNames m_instruments;
    QElapsedTimer m_clock;
    MessageLog* m_monitor = nullptr;
    double m_monitorStart = 0;
    int m_playbacks = 0;
    bool m_playbackFailed = false;
    bool m_soundOff = true;
    std::function<void(bool)> m_soundListener;

    void setSoundOff(bool off);
};

} // namespace lvx::midi
