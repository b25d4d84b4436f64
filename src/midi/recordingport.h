#pragma once

#include "messagelog.h"
#include "midiport.h"

namespace lvx::midi {

// A port that sounds nothing and keeps every message with the time it arrived.
// On the wall clock it measures real playback timing; on a virtual clock a wait
// only moves the clock on, so a whole chord is recorded at once and its times are
// exactly the scheduled ones.
class RecordingPort final : public MidiPort
{
public:
    enum class Clock { Wall, Virtual };

    explicit RecordingPort(Clock clock = Clock::Wall) : m_clockKind(clock) {}

    MidiError sendShort(quint32 message) override;
    void wait(qint32 milliseconds) override;
    double elapsed() const override;

    const MessageLog& log() const { return m_log; }
    void clear() { m_log.clear(); }

    // From now on every message is still recorded but reported as failed.
    void failWith(MidiError error) { m_failure = error; }

private:
    Clock m_clockKind;
    double m_virtualTime = 0;
    MessageLog m_log;
    MidiError m_failure = MidiError::None;
};

} // namespace lvx::midi
