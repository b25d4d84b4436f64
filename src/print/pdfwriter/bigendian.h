#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace lvx::print::pdf {

// Big-endian reads from font data. Reads past the end give 0 and views are
// clipped to the data, so a damaged font file measures oddly instead of
// crashing the print.
class BigEndian final
{
public:
    BigEndian() = default;
    explicit BigEndian(QByteArrayView data) : m_data(data) {}

    qsizetype size() const { return m_data.size(); }
    bool isEmpty() const { return m_data.isEmpty(); }
    QByteArrayView view() const { return m_data; }

    quint8 u8(qsizetype at) const { return inside(at, 1) ? quint8(m_data[at]) : 0; }
    quint16 u16(qsizetype at) const { return quint16(u8(at) << 8 | u8(at + 1)); }
    qint16 s16(qsizetype at) const { return qint16(u16(at)); }
    quint32 u32(qsizetype at) const { return quint32(u16(at)) << 16 | u16(at + 2); }

    BigEndian part(qsizetype offset, qsizetype length) const
    {
        if (offset < 0 || offset > m_data.size() || length < 0)
            return {};
        return BigEndian(m_data.sliced(offset, qMin(length, m_data.size() - offset)));
    }

private:
    QByteArrayView m_data;

    bool inside(qsizetype at, qsizetype count) const { return at >= 0 && at + count <= m_data.size(); }
};

} // namespace lvx::print::pdf
