#include "benchcorpus.h"

#include <QDir>
#include <QFile>

namespace lvx::bench {

namespace {

bool readWhole(const QString& path, CorpusFile& file)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    file.path = path;
    file.bytes = input.readAll();
    return true;
}

} // namespace

Corpus loadCorpus(const QString& folder, QString& error)
{
    Corpus corpus;
    const QDir songs(folder + u"/songs");
    const QStringList names = songs.entryList({QStringLiteral("*.cho")}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        error = u"No songs/*.cho under " + folder;
        return {};
    }
    for (const QString& name : names) {
        CorpusFile file;
        if (!readWhole(songs.filePath(name), file)) {
            error = u"Cannot read " + songs.filePath(name);
            return {};
        }
        corpus.songBytes += file.bytes.size();
        corpus.songs.append(file);
    }
    if (!readWhole(folder + u"/max/max_song.cho", corpus.maxSong)) {
        error = u"Cannot read " + folder + u"/max/max_song.cho";
        return {};
    }
    return corpus;
}

} // namespace lvx::bench
