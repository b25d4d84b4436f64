#include "soundmodule.h"

#include "midilog.h"
#include "midiport.h"
#include "midisystem.h"
#include "renderport.h"
#include "wavfile.h"

#include "base/modules.h"

namespace lvx::midi {

namespace {

SoundModule loadSoundModule()
{
    const QString builtAt = QStringLiteral(LIRAVOX_SOUND_MODULE);
    QString error;
    SoundModule module;
    module.createSystemMidi
        = reinterpret_cast<CreateSystemMidiFunction>(resolveModuleFunction(builtAt, "liravoxCreateSystemMidi", error));
    module.createRenderPort
        = reinterpret_cast<CreateRenderPortFunction>(resolveModuleFunction(builtAt, "liravoxCreateRenderPort", error));
    if (module.createSystemMidi == nullptr || module.createRenderPort == nullptr) {
        qCDebug(lcMidi) << "No sound module:" << error;
        return {};
    }
    return module;
}

// The machine's outputs as the module gives them, the module loaded on the
// first question: creating this costs nothing at start-up.
class ModuleMidiSystem final : public MidiSystem
{
public:
    QStringList outputNames() override { return system() ? m_system->outputNames() : QStringList(); }
    bool mapperAvailable() override { return system() && m_system->mapperAvailable(); }
    std::unique_ptr<MidiPort> openOutput(qint32 device, MidiError& error) override
    {
        if (system())
            return m_system->openOutput(device, error);
        error = device == MidiMapper ? MidiError::SynthFailed : MidiError::BadDevice;
        return nullptr;
    }

private:
    std::unique_ptr<MidiSystem> m_system;
    bool m_tried = false;

    bool system()
    {
        if (!m_tried) {
            m_tried = true;
            if (const SoundModule* module = soundModule())
                m_system.reset(module->createSystemMidi());
        }
        return m_system != nullptr;
    }
};

} // namespace

const SoundModule* soundModule()
{
    static const SoundModule module = loadSoundModule();
    return module.createSystemMidi != nullptr ? &module : nullptr;
}

std::unique_ptr<MidiSystem> createSystemMidi()
{
    return std::make_unique<ModuleMidiSystem>();
}

std::unique_ptr<RenderPort> RenderPort::create(MidiError& error)
{
    const SoundModule* module = soundModule();
    if (module == nullptr) {
        error = MidiError::SynthFailed;
        return nullptr;
    }
    error = MidiError::None;
    return std::unique_ptr<RenderPort>(module->createRenderPort(&error));
}

bool RenderPort::writeWav(const QString& path, QString& error) const
{
    return writeWavFile(path, samples(), Channels, SampleRate, error);
}

} // namespace lvx::midi
