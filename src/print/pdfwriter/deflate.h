#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

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

// Deflates streams on the background thread while the caller lays out the next
// pages, a batch at a time: handing a thread work costs about as much as
// deflating a small page. Streams come back in the order they went in, always
// the same number behind, so a document comes out byte for byte the same
// every time.
class BackgroundDeflater final
{
public:
    // Receives a finished stream: the object number and dictionary entries it
    // was queued with, and the deflated data.
    using Sink = std::function<void(int number, const QByteArray& entries, const QByteArray& deflated)>;

    BackgroundDeflater(int level, Sink sink);
    // Waits for the batches sent; streams not yet handed to the sink are
    // dropped.
    ~BackgroundDeflater();
    BackgroundDeflater(const BackgroundDeflater&) = delete;
    BackgroundDeflater& operator=(const BackgroundDeflater&) = delete;

    // Queues a stream, then hands the sink the batches more than two behind,
    // waiting for them if need be.
    void add(int number, QByteArray entries, std::string data);
    // Hands the sink every stream still queued.
    void finish();

private:
    struct Batch
    {
        std::vector<int> numbers;
        std::vector<QByteArray> entries;
        std::vector<std::string> plain;
        std::vector<QByteArray> deflated;
        std::future<void> done;
    };

    Deflater m_deflater;  // the background thread's alone
    Sink m_sink;
    std::unique_ptr<Batch> m_filling;
    std::deque<std::unique_ptr<Batch>> m_sent;  // oldest first

    void send();
    void handOver(size_t keep);
};

} // namespace lvx::print::pdf
