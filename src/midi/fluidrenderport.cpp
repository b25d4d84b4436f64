#include "renderport.h"
#include "soundfontsynth.h"
#include "synthport.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lvx::midi {

namespace {

constexpr int FramesPerMillisecond = RenderPort::SampleRate / 1000;
static_assert(FramesPerMillisecond == 64, "one millisecond must be one FluidSynth block");

// After the last voice ends the reverb still rings this long.
constexpr qint32 ReverbTail = 250;
constexpr qint32 TailStep = 10;

qint16 toSample(float value)
{
    return qint16(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

class FluidRenderPort final : public RenderPort
{
public:
    explicit FluidRenderPort(std::unique_ptr<SoundFontSynth> synth) : m_synth(std::move(synth)) {}

    MidiError sendShort(quint32 message) override;
    void wait(qint32 milliseconds) override;
    double elapsed() const override { return double(m_milliseconds); }
    void renderTail(qint32 maxMilliseconds) override;
    const QList<qint16>& samples() const override { return m_samples; }

private:
    void renderMilliseconds(qint32 milliseconds);

    std::unique_ptr<SoundFontSynth> m_synth;
    qint64 m_milliseconds = 0;
    QList<qint16> m_samples;
};

} // namespace

MidiError FluidRenderPort::sendShort(quint32 message)
{
    return m_synth->apply(message);
}

void FluidRenderPort::wait(qint32 milliseconds)
{
    if (milliseconds > 0)
        renderMilliseconds(milliseconds);
}

void FluidRenderPort::renderTail(qint32 maxMilliseconds)
{
    qint32 rendered = 0;
    while (rendered < maxMilliseconds && fluid_synth_get_active_voice_count(m_synth->synth()) > 0) {
        renderMilliseconds(TailStep);
        rendered += TailStep;
    }
    renderMilliseconds(std::min(ReverbTail, std::max(0, maxMilliseconds - rendered)));
}

void FluidRenderPort::renderMilliseconds(qint32 milliseconds)
{
    // Float output: the 16-bit writer of FluidSynth dithers, which would put
    // noise into the silence before the first note.
    const int frames = milliseconds * FramesPerMillisecond;
    std::vector<float> left(size_t(frames), 0.0f);
    std::vector<float> right(size_t(frames), 0.0f);
    fluid_synth_write_float(m_synth->synth(), frames, left.data(), 0, 1, right.data(), 0, 1);
    m_samples.reserve(m_samples.size() + 2 * frames);
    for (int frame = 0; frame < frames; ++frame) {
        m_samples.append(toSample(left[size_t(frame)]));
        m_samples.append(toSample(right[size_t(frame)]));
    }
    m_milliseconds += milliseconds;
}

std::unique_ptr<RenderPort> createFluidRenderPort(MidiError& error)
{
    auto synth = std::make_unique<SoundFontSynth>(RenderPort::SampleRate);
    error = synth->start();
    if (error != MidiError::None)
        return nullptr;
    return std::make_unique<FluidRenderPort>(std::move(synth));
}

} // namespace lvx::midi
