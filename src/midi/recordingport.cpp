#include "recordingport.h"

namespace lvx::midi {

MidiError RecordingPort::sendShort(quint32 message)
{
    m_log.record(elapsed(), message);
    return m_failure;
}

void RecordingPort::wait(qint32 milliseconds)
{
    if (m_clockKind == Clock::Wall)
        MidiPort::wait(milliseconds);
    else if (milliseconds > 0)
        m_virtualTime += milliseconds;
}

double RecordingPort::elapsed() const
{
    return m_clockKind == Clock::Wall ? MidiPort::elapsed() : m_virtualTime;
}

} // namespace lvx::midi
