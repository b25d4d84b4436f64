#include "midiport.h"
#include "midisystem.h"
#include "rtmidiport.h"
#include "synthport.h"

namespace lvx::midi {

namespace {

class SystemMidi final : public MidiSystem
{
public:
    QStringList outputNames() override { return rtMidiOutputNames(); }

    // Only starting the synthesizer shows whether any audio output works; the
    // one started here is the one the next open of the mapper gets.
    bool mapperAvailable() override
    {
        if (m_mapperWorked)
            return true;
        MidiError error = MidiError::None;
        m_spareSynth = openSynthOutput(error);
        m_mapperWorked = m_spareSynth != nullptr;
        return m_mapperWorked;
    }

    std::unique_ptr<MidiPort> openOutput(qint32 device, MidiError& error) override
    {
        if (device != MidiMapper)
            return openRtMidiOutput(device, error);
        if (m_spareSynth) {
            error = MidiError::None;
            return std::move(m_spareSynth);
        }
        std::unique_ptr<MidiPort> synth = openSynthOutput(error);
        m_mapperWorked = m_mapperWorked || synth;
        return synth;
    }

private:
    std::unique_ptr<MidiPort> m_spareSynth;
    bool m_mapperWorked = false;
};

} // namespace

std::unique_ptr<MidiSystem> createMachineMidi()
{
    return std::make_unique<SystemMidi>();
}

} // namespace lvx::midi
