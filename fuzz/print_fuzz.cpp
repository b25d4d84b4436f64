// One song file's bytes printed: the print markup, the pages with their chord
// diagrams (guitar or piano, chosen by the input's last byte), and a preview
// page. Pages are drawn on a surface that measures like paper and draws
// nothing. What the markup and the pages may grow to is bounded by the song:
// no markup line longer than its source line and a page of padding, no more
// pages than markup lines.

#include "fuzzsupport.h"
#include "pagesurface.h"

#include "print/printjob.h"

#include <algorithm>

using namespace lvx;

namespace {

// Tags, font names and a page width of blanks around a line's own text.
constexpr qsizetype MarkupAllowance = 4000;

qsizetype longestSourceLine(const song::Song& song)
{
    qsizetype longest = 0;
    for (const song::SongLine& line : song.lines) {
        qsizetype length = line.text.size();
        for (const song::ChordPlacement& chord : line.chords)
            length += chord.name.size() + 2;
        longest = std::max(longest, length);
    }
    return std::max(longest, std::max(song.title.size(), song.subtitle.size()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    context.app.instrument = data[size - 1] % 2 == 0 ? QStringLiteral("Guitar") : QStringLiteral("Piano");
    context.app.LyricsOnly = data[size - 1] % 7 == 3;
    context.app.ChordsOnly = data[size - 1] % 7 == 5;
    const auto song = fuzz::readSong(context, fuzz::fileText(data, size - 1));

    print::PrintJob job(context, song.get());
    fuzz::PageSurface paper;
    job.PrintSongPages(paper, *song);
    const qsizetype longest = longestSourceLine(*song) * 2 + MarkupAllowance;
    for (const QString& line : std::as_const(job.state.MarkupLines)) {
        if (line.size() > longest)
            fuzz::fail("A markup line grew past its source line and a page", line.left(200));
    }
    if (paper.pages > job.state.MarkupLines.size() + 2)
        fuzz::fail("More pages than markup lines");

    fuzz::PageSurface picture;
    fuzz::PageSurface measuring;
    int page = 2;
    job.RenderPreviewPage(picture, measuring, *song, page);
    return 0;
}
