#include "pdffile.h"

#include "pdfsyntax.h"

#include <QIODevice>

namespace lvx::print::pdf {

namespace {

constexpr qsizetype FlushSize = 1 << 18;

} // namespace

PdfFile::PdfFile(QIODevice* device) : m_device(device)
{
    m_buffer.reserve(FlushSize + (1 << 16));
    // The binary comment tells transfer programs the file is not text.
    m_buffer.append("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

PdfFile::~PdfFile()
{
    flush();
}

int PdfFile::reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size() - 1);
}

QByteArray& PdfFile::beginObject(int number)
{
    if (m_buffer.size() >= FlushSize)
        flush();
    m_offsets[number] = position();
    appendInteger(m_buffer, number);
    m_buffer.append(" 0 obj\n");
    return m_buffer;
}

void PdfFile::endObject()
{
    m_buffer.append("\nendobj\n");
}

void PdfFile::writeStream(int number, QByteArrayView entries, QByteArrayView data)
{
    QByteArray& out = beginObject(number);
    out.append("<< /Length ");
    appendInteger(out, data.size());
    if (!entries.isEmpty())
        out.append(' ').append(entries);
    out.append(" >>\nstream\n");
    if (data.size() >= FlushSize) {
        // A font program goes straight through rather than via the buffer.
        flush();
        m_device->write(data.data(), data.size());
        m_flushed += data.size();
    } else {
        out.append(data);
    }
    m_buffer.append("\nendstream");
    endObject();
}

void PdfFile::finish(int info)
{
    const qint64 xref = position();
    m_buffer.append("xref\n0 ");
    appendInteger(m_buffer, qint64(m_offsets.size()));
    m_buffer.append("\n0000000000 65535 f \n");
    for (size_t number = 1; number < m_offsets.size(); ++number) {
        // An object reserved but never written would point nowhere; readers
        // take a free entry for the null object instead.
        const qint64 offset = m_offsets[number];
        const QByteArray digits = QByteArray::number(qMax<qint64>(offset, 0)).rightJustified(10, '0');
        m_buffer.append(digits).append(offset >= 0 ? " 00000 n \n" : " 00000 f \n");
    }
    m_buffer.append("trailer\n<< /Size ");
    appendInteger(m_buffer, qint64(m_offsets.size()));
    m_buffer.append(" /Root 1 0 R /Info ");
    appendInteger(m_buffer, info);
    m_buffer.append(" 0 R >>\nstartxref\n");
    appendInteger(m_buffer, xref);
    m_buffer.append("\n%%EOF\n");
    flush();
}

void PdfFile::flush()
{
    if (m_buffer.isEmpty())
        return;
    m_device->write(m_buffer);
    m_flushed += m_buffer.size();
    m_buffer.resize(0);  // keeps the capacity for the next pages
}

} // namespace lvx::print::pdf
