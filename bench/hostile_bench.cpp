// liravox_hostile_bench [benchmark options]: songs made to hurt, each as large
// as a file the program reads (60000 bytes): the longest blank runs before "{"
// or "|", a line of tabs, one enormous chord, a line of brackets, thousands of
// chords, a chord font of size 0 under a long lyric, a title font of 32767
// points, a line of print tags. Each goes through every step a song takes: reading, writing,
// transposing, the source editor's conversions, the song window's layout, the
// print markup, a preview page and the PDF. The goal is under 100 ms a step.

#include "base/fonts.h"
#include "base/messages.h"
#include "editor/songlayout.h"
#include "editor/ui/songwidgets.h"
#include "print/imagesurface.h"
#include "print/paintersurface.h"
#include "print/pdfsurface.h"
#include "print/pdfwriter/pdfdocumentsurface.h"
#include "print/printjob.h"
#include "print/printmarkup.h"
#include "song/song.h"
#include "song/sourceconversions.h"

#include <QApplication>
#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>

using namespace lvx;

namespace {

constexpr qsizetype FileBytes = 60000;

struct HostileSong
{
    const char* name;
    QByteArray bytes;
};

// Repeats piece until the file is full, then ends it with tail.
QByteArray filled(const QByteArray& head, const QByteArray& piece, const QByteArray& tail)
{
    QByteArray bytes = head;
    while (bytes.size() + piece.size() + tail.size() <= FileBytes)
        bytes += piece;
    return bytes + tail;
}

QList<HostileSong> hostileSongs()
{
    return {
        {"blanks_before_brace", filled("a", "\t", "{")},
        {"blanks_before_bar", filled("a", "\t", "|x")},
        {"tabs_60000", QByteArray(FileBytes, '\t')},
        {"chord_of_60000", filled("[", "C", "]")},
        {"brackets_60000", QByteArray(FileBytes, '[')},
        {"chords_20000", filled({}, "[C]", {})},
        {"distinct_chords", [] {
             QByteArray bytes;
             for (int n = 0; bytes.size() < FileBytes - 16; ++n)
                 bytes += "[C" + QByteArray::number(n) + "]x";
             return bytes;
         }()},
         {"chord_font_0", filled("{font: Chord,Arial,0,255,false,true}\n", "W", "[C]")},
         {"title_font_32767", filled("{font: Title,Arial,32767,0,true,false}\n{t:", "W", "}\n[C]x")},
         {"empty_lines_60000", QByteArray(FileBytes, '\n')},
         {"unclosed_tags", filled({}, "a <\n", {})},
         {"tags_on_one_line", filled({}, "<b>", {})},
    };
}

enum class Step { Read, Write, Transpose, Convert, Layout, Markup, Preview, Pdf };

struct Rig
{
    // The song read as a loaded one is: with the song fonts first, so that its
    // font directives have roles to change.
    explicit Rig(const QByteArray& bytes) : text(song::decodeText(bytes, false).text)
    {
        loadSongFontDefaults(*song.fonts);
        song.StringToLinesRec(text);
    }

    RecordingMessages messages;
    song::SongContext context{messages};
    song::Song song{context};
    QString text;
};

QSizeF letterTwips()
{
    return {12240, 15840};
}

void runStep(benchmark::State& state, const QByteArray& bytes, Step step)
{
    Rig rig(bytes);
    for (auto _ : state) {
        switch (step) {
        case Step::Read:
            rig.song.StringToLinesRec(song::decodeText(bytes, false).text);
            break;
        case Step::Write:
            benchmark::DoNotOptimize(rig.song.LinesToString().size());
            break;
        case Step::Transpose: {
            song::Song copy = rig.song;
            copy.Transpose(5);
            break;
        }
        case Step::Convert:
            benchmark::DoNotOptimize(song::ConvertSolfegeChords(rig.text, rig.messages).size());
            benchmark::DoNotOptimize(song::mergeChordLines(rig.text).size());
            break;
        case Step::Layout: {
            const editor::ScreenMeasure measure(15);
            editor::LayoutInput input;
            input.innerWidth = 18000;
            input.innerHeight = 12000;
            benchmark::DoNotOptimize(editor::layoutSong(rig.song.lines, *rig.song.fonts, input, measure).boxes.size());
            break;
        }
        case Step::Markup: {
            QBuffer nowhere;
            nowhere.open(QIODevice::WriteOnly);
            print::PdfDocumentSurface measuring(&nowhere, print::defaultPaper(), print::Orientation::Portrait);
            print::PrintState printState;
            print::BuildPrintMarkup(measuring, rig.song, rig.context.app, printState, rig.messages);
            break;
        }
        case Step::Preview: {
            print::PrintJob job(rig.context, nullptr);
            print::ImageSurface picture(QSize(850, 1100), letterTwips());
            print::PainterSurface measuring(nullptr, letterTwips());
            int page = 1;
            job.RenderPreviewPage(picture, measuring, rig.song, page);
            break;
        }
        case Step::Pdf: {
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            print::PdfDocumentSurface pdf(&out, print::defaultPaper(), print::Orientation::Portrait);
            print::PrintJob job(rig.context, nullptr);
            job.PrintSongPages(pdf, rig.song);
            pdf.end();
            state.counters["pdf_bytes"] = double(out.size());
            break;
        }
        }
        rig.messages.clear();
    }
    state.counters["lines"] = double(rig.song.lines.size());
}

void registerAll(const QList<HostileSong>& songs)
{
    const std::pair<const char*, Step> steps[] = {
        {"read", Step::Read},       {"write", Step::Write},   {"transpose", Step::Transpose},
        {"convert", Step::Convert}, {"layout", Step::Layout}, {"markup", Step::Markup},
        {"preview", Step::Preview}, {"pdf", Step::Pdf},
    };
    for (const HostileSong& song : songs) {
        for (const auto& [stepName, step] : steps) {
            const std::string name = std::string("hostile/") + song.name + '/' + stepName;
            benchmark::RegisterBenchmark(name.c_str(), [bytes = song.bytes, step = step](benchmark::State& state) {
                runStep(state, bytes, step);
            })->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.2);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir scratch;
    qputenv("LIRAVOX_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("data"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    print::installFontSubstitutions();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    registerAll(hostileSongs());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024);
    return 0;
}
