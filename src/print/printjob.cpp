#include "printjob.h"

#include "chorddiagram.h"
#include "contentspage.h"
#include "measuringsurface.h"
#include "pagerenderer.h"
#include "printmarkup.h"
#include "surface.h"

#include "song/song.h"
#include "song/songcontext.h"

#include <QFileInfo>
#include <QScopedValueRollback>

#include <vector>

#include <algorithm>
#include <cmath>

namespace lvx::print {

namespace {

const QList<music::GuitarChordDef> NoDefinitions;

// The song with margins the page can hold: none below 0, none taking more than
// two fifths of the page's width or height, so the text always has room and
// every page holds lines. The song itself keeps what its file said.
song::Song withUsableMargins(const song::Song& song, const Surface& page)
{
    song::Song fitted = song;
    const auto fit = [](qint16& margin, double extent) {
        if (extent > 0)
            margin = qint16(std::clamp(double(margin), 0.0, std::floor(extent * 0.4)));
    };
    fit(fitted.MargenL, page.ScaleWidth());
    fit(fitted.MargenR, page.ScaleWidth());
    fit(fitted.MargenT, page.ScaleHeight());
    fit(fitted.MargenB, page.ScaleHeight());
    return fitted;
}

// What a PDF tells of the book in its document information: its name, or the
// title of its one song; the artist every song shares, if they share one.
void tellDocumentInfo(Surface& printer, const QList<ContentsEntry>& printed, const QString& bookName)
{
    if (printed.isEmpty())
        return;
    const QString title = !bookName.isEmpty() || printed.size() > 1 ? bookName : printed.first().title;
    const QString& artist = printed.first().artist;
    const bool shared = std::ranges::all_of(printed, [&artist](const ContentsEntry& entry) {
        return entry.artist == artist;
    });
    printer.setDocumentInfo(title, shared ? artist : QString());
}

} // namespace

PrintJob::PrintJob(song::SongContext& context, const song::Song* globalDictionary)
    : m_context(context), m_globalDictionary(globalDictionary), m_messages(&context.messages)
{
}

void PrintJob::prepare(Surface& measuring, const song::Song& song)
{
    state.SectionOpen = false;
    state.diagram = SetDiagramSize(song.ChordSize, m_context.app.instrument == u"Piano");
    state.ColorPrinting = m_context.app.colorPrinting;
    state.HeaderTemplate = m_context.app.pageHeader;
    state.FooterTemplate = m_context.app.pageFooter;
    BuildPrintMarkup(measuring, song, m_context.app, state, *m_messages);
}

void PrintJob::PrintSongPages(Surface& printer, const song::Song& original)
{
    const song::Song song = withUsableMargins(original, printer);
    state.ToPaper = true;
    state.ToPreview = false;
    state.ScaleNum = 1;
    state.ScaleDen = 1.0;
    prepare(printer, song);
    const DiagramSources sources{m_context.app, m_context.music.chordTypes, song.chordDefs,
                                 m_globalDictionary != nullptr ? m_globalDictionary->chordDefs : NoDefinitions,
                                 m_bookFingerings};
    PageRenderer renderer(state, song, *m_messages, [&](Surface& target, Surface& reference) {
        DrawChordDiagrams(target, reference, state, song, sources, notes);
    });
    renderer.renderPages(printer, printer, m_context.app.LyricsOnly, [&printer](bool) {
        printer.NewPage();
        return true;
    });
}

bool PrintJob::RenderPreviewPage(Surface& picture, Surface& printer, const song::Song& original, int& page)
{
    const song::Song song = withUsableMargins(original, printer);
    state.ToPaper = false;
    state.ToPreview = true;
    prepare(printer, song);
    picture.Clear();
    state.TextTop = song.MargenT;
    state.TextLeft = song.MargenL;
    const DiagramSources sources{m_context.app, m_context.music.chordTypes, song.chordDefs,
                                 m_globalDictionary != nullptr ? m_globalDictionary->chordDefs : NoDefinitions};
    PageRenderer renderer(state, song, *m_messages, [&](Surface& target, Surface& reference) {
        DrawChordDiagrams(target, reference, state, song, sources, notes);
    });
    int counter = 1;
    state.PreviewPage = counter;
    bool lastPage = false;
    const bool reachedEnd = renderer.renderPages(picture, printer, m_context.app.LyricsOnly, [&](bool lastLine) {
        printer.Discard();
        ++counter;
        lastPage = lastLine;
        if (counter > page)
            return false;
        state.PreviewPage = counter;
        picture.Clear();
        return true;
    });
    printer.Discard();
    if (reachedEnd) {
        page = counter;
        return true;
    }
    return lastPage;
}

void PrintJob::PrintAlbum(Surface& printer, const QStringList& files, const BookOptions& options)
{
    const QString keptFileName = m_context.app.CurrentFileName;
    // One print is one moment: the song defaults are read once for all its songs.
    const std::optional<song::LoadDefaults> keptDefaults = m_context.jobDefaults;
    m_context.jobDefaults = song::readLoadDefaults();
    FingeringMemo fingerings;
    const QScopedValueRollback bookFingerings(m_bookFingerings, &fingerings);
    QList<ContentsEntry> printed;
    if (options.contents) {
        printed = printBook(printer, files, options);
    } else {
        for (qsizetype index = 0; index < files.size(); ++index) {
            const std::unique_ptr<song::Song> song = loadAlbumSong(files[index]);
            if (!song)
                continue;
            printed.append(contentsEntry(*song, files[index]));
            printer.addBookmark(printed.last().title);
            PrintSongPages(printer, *song);
            if (index < files.size() - 1)
                printer.NewPage();
        }
    }
    tellDocumentInfo(printer, printed, options.name);
    m_context.app.CurrentFileName = keptFileName;
    m_context.jobDefaults = keptDefaults;
}

std::unique_ptr<song::Song> PrintJob::loadAlbumSong(const QString& file)
{
    if (!QFileInfo(file).isFile()) {
        m_context.messages.inform(file + u" file not found");
        return nullptr;
    }
    auto song = std::make_unique<song::Song>(m_context);
    m_context.app.CurrentFileName = file;
    song->LoadFile();
    return song;
}

int PrintJob::drawContents(Surface& target, const QList<ContentsEntry>& entries, const BookOptions& options)
{
    // The contents look like a new song: the fonts and margins of the settings.
    song::Song look(m_context);
    look.resetForLoad();
    state.ToPaper = true;
    state.ToPreview = false;
    state.ScaleNum = 1;
    state.ScaleDen = 1.0;
    state.ColorPrinting = m_context.app.colorPrinting;
    state.HeaderTemplate = m_context.app.pageHeader;
    state.FooterTemplate = m_context.app.pageFooter;
    state.PrintSubTitle = options.name;
    int pages = DrawContentsPages(target, state, look, *m_messages, QStringLiteral("Contents"), contentsLines(entries));
    if (options.byArtist) {
        target.NewPage();
        pages += DrawContentsPages(target, state, look, *m_messages, QStringLiteral("Contents by artist"),
                                   contentsByArtist(entries));
    }
    return pages;
}

QList<ContentsEntry> PrintJob::printBook(Surface& printer, const QStringList& files, const BookOptions& options)
{
    std::vector<std::unique_ptr<song::Song>> songs;
    QList<ContentsEntry> entries;
    for (const QString& file : files) {
        if (std::unique_ptr<song::Song> song = loadAlbumSong(file)) {
            entries.append(contentsEntry(*song, file));
            songs.push_back(std::move(song));
        }
    }
    if (songs.empty())
        return entries;

    // A dry run on the same measures finds every song's first page; what it
    // would report, the real print reports.
    {
        RecordingMessages silent;
        const QScopedValueRollback<Messages*> quiet(m_messages, &silent);
        MeasuringSurface dryRun(printer);
        drawContents(dryRun, entries, options);
        for (size_t index = 0; index < songs.size(); ++index) {
            dryRun.NewPage();
            entries[qsizetype(index)].page = dryRun.Page();
            PrintSongPages(dryRun, *songs[index]);
        }
    }

    QList<ContentsEntry> listed = entries;
    if (options.sortedByTitle)
        sortContents(listed);
    drawContents(printer, listed, options);
    for (size_t index = 0; index < songs.size(); ++index) {
        printer.NewPage();
        printer.addBookmark(entries[qsizetype(index)].title);
        PrintSongPages(printer, *songs[index]);
    }
    return entries;
}

} // namespace lvx::print
