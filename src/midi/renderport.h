#pragma once

#include "midiport.h"

#include <QList>
#include <QString>

#include <memory>

namespace lvx::midi {

class SoundFontSynth;

// The built-in synthesizer without an audio device: what it is sent becomes
// samples in memory, and a wait renders that much sound instead of waiting.
// Every millisecond is exactly one of FluidSynth's 64-frame blocks, so each
// message takes effect on the very sample its time falls on.
class RenderPort final : public MidiPort
{
public:
    static constexpr int SampleRate = 64000;
    static constexpr int Channels = 2;

    // nullptr with the reason when the synthesizer cannot start.
    static std::unique_ptr<RenderPort> create(MidiError& error);
    ~RenderPort() override;

    MidiError sendShort(quint32 message) override;
    void wait(qint32 milliseconds) override;
    double elapsed() const override { return double(m_milliseconds); }

    // Lets the notes still sounding ring out, for at most the given time.
    void renderTail(qint32 maxMilliseconds = 3000);

    // Interleaved left and right samples from time 0.
    const QList<qint16>& samples() const { return m_samples; }
    bool writeWav(const QString& path, QString& error) const;

private:
    explicit RenderPort(std::unique_ptr<SoundFontSynth> synth);
    void renderMilliseconds(qint32 milliseconds);

    std::unique_ptr<SoundFontSynth> m_synth;
    qint64 m_milliseconds = 0;
    QList<qint16> m_samples;
};

} // namespace lvx::midi
