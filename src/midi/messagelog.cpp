#include "messagelog.h"

#include "shortmessage.h"

#include <cmath>

namespace lvx::midi {

quint8 LoggedMessage::status() const
{
    return statusByte(message);
}

quint8 LoggedMessage::data1() const
{
    return data1Byte(message);
}

quint8 LoggedMessage::data2() const
{
    return data2Byte(message);
}

QStringList MessageLog::lines() const
{
    QStringList result;
    result.reserve(m_messages.size());
    for (const LoggedMessage& logged : m_messages) {
        result.append(QString::number(qint64(std::llround(logged.time))) + u' ' + QString::number(logged.status()) + u' '
                      + QString::number(logged.data1()) + u' ' + QString::number(logged.data2()));
    }
    return result;
}

} // namespace lvx::midi
