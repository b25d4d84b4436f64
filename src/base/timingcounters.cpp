#include "base/timingcounters.h"

namespace lvx {

namespace {

// VB-style "###0.000" with a minimum of one integer digit; "#0.000%" multiplies by 100.
QString fixed3(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

TimingCounters::TimingCounters()
{
    m_clock.start();
    m_counters.append(Counter{});
}

qint32 TimingCounters::now() const
{
    return qint32(quint32(m_clock.elapsed()));
}

void TimingCounters::TimerReset()
{
    for (Counter& counter : m_counters)
        counter.accumulated = 0;
}

void TimingCounters::TimerAdd(const QString& name)
{
    m_counters.append(Counter{name, 0, 0});
}

void TimingCounters::TimerStart(int index)
{
    if (index >= 0 && index < m_counters.size())
        m_counters[index].start = now();
}

void TimingCounters::TimerStop(int index)
{
    if (index < 0 || index >= m_counters.size())
        return;
    Counter& counter = m_counters[index];
    counter.accumulated = qint32(quint32(counter.accumulated) + (quint32(now()) - quint32(counter.start)));
}

QString TimingCounters::TimerReport() const
{
    const double total = m_counters.first().accumulated;
    QString report;
    for (const Counter& counter : m_counters) {
        // Before the first repaint nothing has been timed: show 0 % rather than dividing by zero.
        const double share = total != 0.0 ? counter.accumulated / total : 0.0;
        report += fixed3(counter.accumulated / 1000.0) + u"    " + fixed3(share * 100.0) + u"%    "
            + counter.name + u"\r\n";
    }
    return report;
}

} // namespace lvx
