#include "midiport.h"

#include "base/system.h"

namespace lvx::midi {

MidiPort::MidiPort()
{
    m_clock.start();
}

MidiPort::~MidiPort() = default;

void MidiPort::wait(qint32 milliseconds)
{
    Delay(milliseconds);
}

double MidiPort::elapsed() const
{
    return elapsedMilliseconds(m_clock);
}

double elapsedMilliseconds(const QElapsedTimer& clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace lvx::midi
