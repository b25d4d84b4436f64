#pragma once

#include "midierror.h"

#include <QElapsedTimer>
#include <QtGlobal>

namespace lvx::midi {

// One open MIDI output: where short messages go, and the clock the chord player
// waits on between them. A live port waits on the wall clock while the event
// loop runs; an offline renderer lets time pass only in the sound it renders.
class MidiPort
{
public:
    MidiPort();
    virtual ~MidiPort();
    Q_DISABLE_COPY_MOVE(MidiPort)

    virtual MidiError sendShort(quint32 message) = 0;

    // Lets the given milliseconds pass before the next message.
    virtual void wait(qint32 milliseconds);
    // Milliseconds since the port was opened, on the clock wait() advances.
    virtual double elapsed() const;

private:
    QElapsedTimer m_clock;
};

// Milliseconds on a running timer, to the nanosecond.
double elapsedMilliseconds(const QElapsedTimer& clock);

} // namespace lvx::midi
