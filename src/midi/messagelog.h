#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

namespace lvx::midi {

struct LoggedMessage
{
    double time = 0;        // milliseconds
    quint32 message = 0;    // packed as sent

    quint8 status() const;
    quint8 data1() const;
    quint8 data2() const;
};

// Every short message with the time it was sent, in sending order.
class MessageLog final
{
public:
    void record(double time, quint32 message) { m_messages.append({time, message}); }
    void clear() { m_messages.clear(); }
    const QList<LoggedMessage>& messages() const { return m_messages; }

    // One line per message: "time_ms status data1 data2", in decimal, the time
    // rounded to whole milliseconds.
    QStringList lines() const;

private:
    QList<LoggedMessage> m_messages;
};

} // namespace lvx::midi
