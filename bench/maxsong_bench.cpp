// The largest song a file can hold (60000 bytes), read and written back in memory.

#include "benchcorpus.h"

#include "base/messages.h"
#include "song/song.h"

#include <benchmark/benchmark.h>

namespace lvx::bench {

namespace {

enum class Work { Read, Write, ReadWrite };

void runMaxSong(benchmark::State& state, const Corpus& corpus, Work work)
{
    RecordingMessages messages;
    song::SongContext context{messages};
    song::Song song(context);
    const QString text = song::decodeText(corpus.maxSong.bytes, false).text;
    song.StringToLinesRec(text);
    for (auto _ : state) {
        if (work != Work::Write)
            song.StringToLinesRec(text);
        if (work != Work::Read) {
            const QString written = song.LinesToString();
            benchmark::DoNotOptimize(written.constData());
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * corpus.maxSong.bytes.size());
    state.counters["lines"] = double(song.lines.size());
    state.counters["messages"] = double(messages.entries().size());
}

} // namespace

void registerMaxSongBenchmarks(const Corpus& corpus)
{
    const std::pair<const char*, Work> cases[] = {
        {"max_song/read_write", Work::ReadWrite},
        {"max_song/read", Work::Read},
        {"max_song/write", Work::Write},
    };
    for (const auto& [name, work] : cases) {
        benchmark::RegisterBenchmark(name, [&corpus, work = work](benchmark::State& state) {
            runMaxSong(state, corpus, work);
        })->Unit(benchmark::kMillisecond)->UseRealTime();
    }
}

} // namespace lvx::bench
