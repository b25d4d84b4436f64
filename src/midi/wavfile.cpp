#include "wavfile.h"

#include "base/safefile.h"

#include <QDataStream>

namespace lvx::midi {

namespace {

void writeHeader(QDataStream& out, quint32 dataBytes, int channels, int sampleRate)
{
    constexpr quint16 BitsPerSample = 16;
    const quint16 blockAlign = quint16(channels * BitsPerSample / 8);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(channels) << quint32(sampleRate)
        << quint32(sampleRate) * blockAlign << blockAlign << BitsPerSample;
    out.writeRawData("data", 4);
    out << dataBytes;
}

} // namespace

bool writeWavFile(const QString& path, const QList<qint16>& samples, int channels, int sampleRate, QString& error)
{
    SafeFile file(path);
    if (!file.open()) {
        error = file.errorString();
        return false;
    }
    QDataStream out(file.device());
    out.setByteOrder(QDataStream::LittleEndian);
    writeHeader(out, quint32(samples.size()) * 2, channels, sampleRate);
    for (qint16 sample : samples)
        out << sample;
    // A write that failed on the way is kept by the file and found here.
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lvx::midi
