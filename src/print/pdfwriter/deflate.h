#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

namespace lvx::print::pdf {

// Deflates one stream after another with the same compressor. Setting one up
// costs a few hundred kilobytes of cleared memory: a document of thousands of
// pages sets it up once, not once a page.
class Deflater final
{
public:
    // Level 1 is fastest, 12 smallest.
    explicit Deflater(int level);
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // A zlib stream of the data, as a PDF's FlateDecode filter reads it.
    QByteArray deflate(QByteArrayView data);

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream;
};

// One stream on its own.
QByteArray deflate(QByteArrayView data, int level);

} // namespace lvx::print::pdf
