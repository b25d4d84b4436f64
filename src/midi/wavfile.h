#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace lvx::midi {

// Writes 16-bit PCM samples (interleaved when there are several channels) as a
// RIFF WAVE file. False with the reason in error when the file cannot be written.
bool writeWavFile(const QString& path, const QList<qint16>& samples, int channels, int sampleRate, QString& error);

} // namespace lvx::midi
