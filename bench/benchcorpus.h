#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace lvx::bench {

struct CorpusFile
{
    QString path;
    QByteArray bytes;
};

// The generated benchmark corpus, held in memory so that the timed loops measure
// the song code and not the disk: songs/*.cho in name order and max/max_song.cho.
struct Corpus
{
    QList<CorpusFile> songs;
    qint64 songBytes = 0;
    CorpusFile maxSong;
};

// Empty songs and an error text when the folder is not a generated corpus.
Corpus loadCorpus(const QString& folder, QString& error);

// Registers the benchmarks of one group; they keep a reference to the corpus.
void registerMaxSongBenchmarks(const Corpus& corpus);
void registerCorpusBenchmarks(const Corpus& corpus);

} // namespace lvx::bench
