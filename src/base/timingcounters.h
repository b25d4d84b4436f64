#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace lvx {

// Named stopwatches that add up the time spent in the steps of a repaint.
// Entry 0 (no name) times the whole repaint, so the report can show every
// other entry as a share of it.
class TimingCounters final
{
public:
    struct Counter
    {
        QString name;
        qint32 start = 0;
        qint32 accumulated = 0;
    };

    TimingCounters();

    void TimerReset();
    void TimerAdd(const QString& name);
    void TimerStart(int index);
    void TimerStop(int index);

    // One line per counter: seconds, share of counter 0, name, CR LF.
    QString TimerReport() const;

    const QList<Counter>& counters() const { return m_counters; }

    // The system millisecond clock as the counters read it (wraps like a 32-bit tick count).
    qint32 now() const;

private:
    QList<Counter> m_counters;
    QElapsedTimer m_clock;
};

// Counter indexes as start-up creates them.
enum TimingCounter : int {
    TimerPaintPage = 0,
    TimerPrintLine = 1,
    TimerAddChord = 2,
    TimerSetLabel = 3,
    TimerSetText = 4,
    TimerDrawLines = 5,
    TimerSetLabelProp = 6,
};

} // namespace lvx
