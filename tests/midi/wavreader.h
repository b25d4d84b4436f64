#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

// A 16-bit PCM WAV file as written by the renderer, read back whole.
struct WavSound
{
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QList<qint16> samples;   // interleaved

    qsizetype frames() const { return channels > 0 ? samples.size() / channels : 0; }
    // The channels of one frame averaged.
    double mono(qsizetype frame) const
    {
        double sum = 0;
        for (int channel = 0; channel < channels; ++channel)
            sum += samples[frame * channels + channel];
        return sum / channels / 32768.0;
    }
};

// Reads the "fmt " and "data" chunks; an empty result when the file is not that.
inline WavSound readWav(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return {};
    WavSound sound;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const auto size = qsizetype(qFromLittleEndian<quint32>(bytes.constData() + at + 4));
        const char* body = bytes.constData() + at + 8;
        if (id == "fmt ") {
            sound.channels = qFromLittleEndian<quint16>(body + 2);
            sound.sampleRate = int(qFromLittleEndian<quint32>(body + 4));
            sound.bitsPerSample = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            for (qsizetype offset = 0; offset + 1 < size && at + 8 + offset + 1 < bytes.size(); offset += 2)
                sound.samples.append(qFromLittleEndian<qint16>(body + offset));
        }
        at += 8 + size + (size & 1);
    }
    return sound;
}
