// The 1000-song corpus: every song decoded, read into a fresh Song (as opening a
// file does) and written back, with and without the file reading.

#include "benchcorpus.h"

#include "base/messages.h"
#include "song/song.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace lvx::bench {

namespace {

enum class Source { Memory, Files };

void readSong(song::Song& song, const CorpusFile& file, Source source, Messages& messages)
{
    const song::TextFile text = source == Source::Files ? song::ReadTextFile(file.path, messages)
                                                        : song::decodeText(file.bytes, false);
    song.StringToLinesRec(text.text);
}

void finish(benchmark::State& state, const Corpus& corpus, const RecordingMessages& messages)
{
    state.SetBytesProcessed(state.iterations() * corpus.songBytes);
    state.counters["songs"] = double(corpus.songs.size());
    state.counters["messages"] = double(messages.entries().size());
}

void runReadWrite(benchmark::State& state, const Corpus& corpus, Source source, bool write)
{
    RecordingMessages messages;
    song::SongContext context{messages};
    for (auto _ : state) {
        for (const CorpusFile& file : corpus.songs) {
            song::Song song(context);
            readSong(song, file, source, messages);
            if (write) {
                const QString written = song.LinesToString();
                benchmark::DoNotOptimize(written.constData());
            }
        }
        benchmark::ClobberMemory();
    }
    finish(state, corpus, messages);
}

void runWriteOnly(benchmark::State& state, const Corpus& corpus)
{
    RecordingMessages messages;
    song::SongContext context{messages};
    std::vector<std::unique_ptr<song::Song>> songs;
    songs.reserve(corpus.songs.size());
    for (const CorpusFile& file : corpus.songs) {
        songs.push_back(std::make_unique<song::Song>(context));
        readSong(*songs.back(), file, Source::Memory, messages);
    }
    for (auto _ : state) {
        for (const auto& song : songs) {
            const QString written = song->LinesToString();
            benchmark::DoNotOptimize(written.constData());
        }
        benchmark::ClobberMemory();
    }
    finish(state, corpus, messages);
}

template<typename Run>
void add(const char* name, Run run)
{
    benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

void registerCorpusBenchmarks(const Corpus& corpus)
{
    add("corpus/read_write", [&corpus](benchmark::State& state) {
        runReadWrite(state, corpus, Source::Memory, true);
    });
    add("corpus/read", [&corpus](benchmark::State& state) { runReadWrite(state, corpus, Source::Memory, false); });
    add("corpus/write", [&corpus](benchmark::State& state) { runWriteOnly(state, corpus); });
    add("corpus/files_read_write", [&corpus](benchmark::State& state) {
        runReadWrite(state, corpus, Source::Files, true);
    });
}

} // namespace lvx::bench
