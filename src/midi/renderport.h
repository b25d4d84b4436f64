#pragma once

#include "midiport.h"

#include <QList>
#include <QString>

#include <memory>

namespace lvx::midi {

// The built-in synthesizer without an audio device: what it is sent becomes
// samples in memory, and a wait renders that much sound instead of waiting.
// Every millisecond is exactly one of FluidSynth's 64-frame blocks, so each
// message takes effect on the very sample its time falls on.
class RenderPort : public MidiPort
{
public:
    static constexpr int SampleRate = 64000;
    static constexpr int Channels = 2;

    // nullptr with the reason when the synthesizer cannot start.
    static std::unique_ptr<RenderPort> create(MidiError& error);

    // Lets the notes still sounding ring out, for at most the given time.
    virtual void renderTail(qint32 maxMilliseconds = 3000) = 0;

    // Interleaved left and right samples from time 0.
    virtual const QList<qint16>& samples() const = 0;
    bool writeWav(const QString& path, QString& error) const;
};

} // namespace lvx::midi
