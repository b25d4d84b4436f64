#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

class QIODevice;

namespace lvx::print::pdf {

// A PDF file written front to back: numbered objects at recorded offsets,
// then the cross-reference table and the trailer. Objects may be numbered
// before they are written (a page names its parent long before the page tree
// is known). Output is buffered and handed to the device in large pieces.
class PdfFile final
{
public:
    // Writes the header. Object 1 is reserved for the catalogue.
    explicit PdfFile(QIODevice* device);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    static constexpr int Catalog = 1;

    // A number for an object written later.
    int reserve();

    // Starts object `number` and returns the buffer its body goes in;
    // endObject() closes it.
    QByteArray& beginObject(int number);
    void endObject();

    // A stream object; `entries` are the dictionary entries besides /Length.
    void writeStream(int number, QByteArrayView entries, QByteArrayView data);

    // The cross-reference table and trailer; nothing is written after this.
    void finish(int info);

private:
    QIODevice* m_device;
    QByteArray m_buffer;
    qint64 m_flushed = 0;
    std::vector<qint64> m_offsets{0, -1};  // per object number; -1 until written

    qint64 position() const { return m_flushed + m_buffer.size(); }
    void flush();
};

} // namespace lvx::print::pdf
