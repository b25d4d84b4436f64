#include "synthport.h"

#include "midilog.h"
#include "midiport.h"
#include "soundfontsynth.h"

#include <QFileInfo>
#include <QTimer>

#ifdef LIRAVOX_HAVE_ALSA
#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>
#endif

using namespace Qt::StringLiterals;

namespace lvx::midi {

namespace {

// The rate sound servers and cards most often run at.
constexpr int LiveSampleRate = 44100;
// From the last message (a note-off): long enough for the release and the reverb.
constexpr int IdleMilliseconds = 2000;

// After the sound servers. "file" would write a WAV into the current folder and
// "sdl2" needs SDL started by the program: neither is a way to hear a chord.
const char* const DeviceDrivers[] = {"alsa", "jack", "oss", "coreaudio", "dsound", "wasapi", "waveout"};

#ifdef LIRAVOX_HAVE_ALSA
// The ALSA library prints every card it cannot find on stderr; on a machine
// without sound that is the normal case, not news.
void logAlsa(const char* file, int line, const char* function, int, const char* format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    qCDebug(lcMidi) << "ALSA" << file << line << function << text;
}
#endif

void quietSoundLibraries()
{
    // Trying JACK must not start a JACK server that would take the sound card.
    if (!qEnvironmentVariableIsSet("JACK_NO_START_SERVER"))
        qputenv("JACK_NO_START_SERVER", "1");
#ifdef LIRAVOX_HAVE_ALSA
    snd_lib_error_set_handler(logAlsa);
#endif
}

void collectOption(void* data, const char*, const char* option)
{
    static_cast<QStringList*>(data)->append(QString::fromUtf8(option));
}

class SynthPort final : public MidiPort
{
public:
    explicit SynthPort(std::unique_ptr<SoundFontSynth> synth) : m_synth(std::move(synth))
    {
        m_idle.setSingleShot(true);
        m_idle.setInterval(IdleMilliseconds);
        m_idle.callOnTimeout([this] { stopAudio(); });
    }
    ~SynthPort() override { stopAudio(); }

    // Tries the drivers in order and keeps the first that starts.
    bool startAudio()
    {
        const QStringList drivers = m_workingDriver.isEmpty() ? synthAudioDrivers() : QStringList{m_workingDriver};
        for (const QString& driver : drivers) {
            fluid_settings_setstr(m_synth->settings(), "audio.driver", driver.toUtf8().constData());
            m_driver = new_fluid_audio_driver(m_synth->settings(), m_synth->synth());
            if (m_driver) {
                qCDebug(lcMidi) << "Built-in synthesizer plays through" << driver;
                m_workingDriver = driver;
                m_idle.start();
                return true;
            }
        }
        return false;
    }

    MidiError sendShort(quint32 message) override
    {
        if (!m_driver && !startAudio())
            return MidiError::NoAudio;
        m_idle.start();
        return m_synth->apply(message);
    }

    void stopAudio()
    {
        m_idle.stop();
        if (m_driver)
            delete_fluid_audio_driver(m_driver);
        m_driver = nullptr;
    }

private:
    std::unique_ptr<SoundFontSynth> m_synth;
    fluid_audio_driver_t* m_driver = nullptr;
    QString m_workingDriver;
    QTimer m_idle;
};

} // namespace

SoundServers runningSoundServers()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const auto there = [&runtime](const char* variable, const QString& socket) {
        return qEnvironmentVariableIsSet(variable) || (!runtime.isEmpty() && QFileInfo::exists(runtime + socket));
    };
    return {there("PIPEWIRE_REMOTE", u"/pipewire-0"_s), there("PULSE_SERVER", u"/pulse/native"_s)};
}

QStringList orderAudioDrivers(const QStringList& offered, SoundServers running)
{
    QStringList wanted;
    if (running.pipeWire)
        wanted.append(u"pipewire"_s);
    if (running.pulseAudio)
        wanted.append(u"pulseaudio"_s);
    for (const char* driver : DeviceDrivers)
        wanted.append(QString::fromUtf8(driver));
    QStringList drivers;
    for (const QString& driver : std::as_const(wanted)) {
        if (offered.contains(driver))
            drivers.append(driver);
    }
    return drivers;
}

QStringList synthAudioDrivers()
{
    QStringList offered;
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings)
        return offered;
    fluid_settings_foreach_option(settings, "audio.driver", &offered, collectOption);
    delete_fluid_settings(settings);
    return orderAudioDrivers(offered, runningSoundServers());
}

std::unique_ptr<MidiPort> openSynthOutput(MidiError& error)
{
    quietSoundLibraries();
    auto synth = std::make_unique<SoundFontSynth>(LiveSampleRate);
    error = synth->start();
    if (error != MidiError::None)
        return nullptr;
    auto port = std::make_unique<SynthPort>(std::move(synth));
    if (!port->startAudio()) {
        error = MidiError::NoAudio;
        return nullptr;
    }
    // Starting showed that an output works; nothing sounds until the first message.
    port->stopAudio();
    return port;
}

} // namespace lvx::midi
