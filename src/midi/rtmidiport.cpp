#include "rtmidiport.h"

#include "midilog.h"
#include "midiport.h"
#include "shortmessage.h"

#include <QFileInfo>

#include <rtmidi/RtMidi.h>

#include <array>
#include <exception>

namespace lvx::midi {

namespace {

constexpr RtMidi::Api OutputApi =
#ifdef Q_OS_LINUX
    RtMidi::LINUX_ALSA;
#else
    RtMidi::UNSPECIFIED;
#endif

const char* const ClientName = "Liravox";

// RtMidi reports a sequencer that is not there on stderr before it throws;
// on Linux the missing device file says the same quietly.
bool sequencerPresent()
{
#ifdef Q_OS_LINUX
    return QFileInfo::exists(QStringLiteral("/dev/snd/seq"));
#else
    return true;
#endif
}

// Warnings and errors after construction come here instead of stderr (and
// instead of exceptions); the caller checks the outcome.
void logRtMidiError(RtMidiError::Type, const std::string& text, void*)
{
    qCDebug(lcMidi) << "RtMidi:" << text.c_str();
}

std::unique_ptr<RtMidiOut> createOutput()
{
    if (!sequencerPresent())
        return nullptr;
    try {
        auto output = std::make_unique<RtMidiOut>(OutputApi, ClientName);
        output->setErrorCallback(logRtMidiError, nullptr);
        return output;
    } catch (const std::exception& error) {
        qCDebug(lcMidi) << "No MIDI sequencer:" << error.what();
        return nullptr;
    }
}

class RtMidiPort final : public MidiPort
{
public:
    explicit RtMidiPort(std::unique_ptr<RtMidiOut> output) : m_output(std::move(output)) {}

    MidiError sendShort(quint32 message) override
    {
        const int length = messageLength(statusByte(message));
        if (length == 0)
            return MidiError::SendFailed;
        // A data byte with its top bit set would read as a new status byte and
        // throw the receiver out of step.
        const std::array<unsigned char, 3> bytes{statusByte(message), quint8(data1Byte(message) & 0x7F),
                                                 quint8(data2Byte(message) & 0x7F)};
        try {
            m_output->sendMessage(bytes.data(), size_t(length));
        } catch (const std::exception& error) {
            qCDebug(lcMidi) << "MIDI send failed:" << error.what();
            return MidiError::SendFailed;
        }
        return MidiError::None;
    }

private:
    std::unique_ptr<RtMidiOut> m_output;
};

QStringList systemPortNames(RtMidiOut& output)
{
    QStringList names;
    const unsigned int count = output.getPortCount();
    for (unsigned int index = 0; index < count; ++index)
        names.append(QString::fromStdString(output.getPortName(index)));
    return names;
}

} // namespace

bool isPassThroughPort(const QString& systemName)
{
    return systemName.contains(u"Midi Through", Qt::CaseInsensitive)
        || systemName.contains(u"VirMIDI", Qt::CaseInsensitive)
        || systemName.contains(u"Virtual Raw MIDI", Qt::CaseInsensitive);
}

QList<int> soundingPorts(const QStringList& systemNames)
{
    QList<int> positions;
    for (qsizetype index = 0; index < systemNames.size(); ++index) {
        if (!isPassThroughPort(systemNames.at(index)))
            positions.append(int(index));
    }
    return positions;
}

QStringList rtMidiOutputNames()
{
    QStringList names;
    const std::unique_ptr<RtMidiOut> output = createOutput();
    if (!output)
        return names;
    const QStringList all = systemPortNames(*output);
    for (int position : soundingPorts(all))
        names.append(all.at(position));
    return names;
}

std::unique_ptr<MidiPort> openRtMidiOutput(int index, MidiError& error)
{
    std::unique_ptr<RtMidiOut> output = createOutput();
    const QList<int> positions = output ? soundingPorts(systemPortNames(*output)) : QList<int>();
    if (index < 0 || index >= positions.size()) {
        error = MidiError::BadDevice;
        return nullptr;
    }
    output->openPort(unsigned(positions.at(index)), "Liravox Output");
    if (!output->isPortOpen()) {
        error = MidiError::PortFailed;
        return nullptr;
    }
    error = MidiError::None;
    return std::make_unique<RtMidiPort>(std::move(output));
}

} // namespace lvx::midi
