// liravox_bench [--corpus=DIR] [benchmark options]
// The corpus folder (gen_corpus.py output) comes from --corpus, else from
// LIRAVOX_BENCH_CORPUS, else /tmp/liravox-bench.

#include "benchcorpus.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* CorpusOption = "--corpus=";

// Takes --corpus=DIR out of the arguments, which Google Benchmark would reject.
QString takeCorpusFolder(int& argc, char** argv)
{
    QString folder = qEnvironmentVariable("LIRAVOX_BENCH_CORPUS", QStringLiteral("/tmp/liravox-bench"));
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], CorpusOption, std::strlen(CorpusOption)) == 0)
            folder = QFile::decodeName(argv[i] + std::strlen(CorpusOption));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return folder;
}

// Song code may look at the settings or the program folder: point both at a
// throw-away folder so that a benchmark never touches the user's files.
void isolate(const QTemporaryDir& dir)
{
    qputenv("LIRAVOX_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Cannot create a temporary folder\n");
        return 1;
    }
    isolate(dir);
    const QString folder = takeCorpusFolder(argc, argv);
    QString error;
    const lvx::bench::Corpus corpus = lvx::bench::loadCorpus(folder, error);
    if (corpus.songs.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::fprintf(stderr, "corpus %s: %lld songs, %lld bytes; max song %lld bytes\n", qPrintable(folder),
                 static_cast<long long>(corpus.songs.size()), static_cast<long long>(corpus.songBytes),
                 static_cast<long long>(corpus.maxSong.bytes.size()));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    lvx::bench::registerMaxSongBenchmarks(corpus);
    lvx::bench::registerCorpusBenchmarks(corpus);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
