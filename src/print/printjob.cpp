#include "printjob.h"

#include "chorddiagram.h"
#include "pagerenderer.h"
#include "printmarkup.h"
#include "surface.h"

#include "song/song.h"

#include <QFileInfo>

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

} // namespace

PrintJob::PrintJob(song::SongContext& context, const song::Song* globalDictionary)
    : m_context(context), m_globalDictionary(globalDictionary)
{
}

void PrintJob::prepare(Surface& measuring, const song::Song& song)
{
    state.SectionOpen = false;
    state.diagram = SetDiagramSize(song.ChordSize, m_context.app.instrument == u"Piano");
    state.ColorPrinting = m_context.app.colorPrinting;
    BuildPrintMarkup(measuring, song, m_context.app, state, m_context.messages);
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
                                 m_globalDictionary != nullptr ? m_globalDictionary->chordDefs : NoDefinitions};
    PageRenderer renderer(state, song, m_context.messages, [&](Surface& target, Surface& reference) {
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
    PageRenderer renderer(state, song, m_context.messages, [&](Surface& target, Surface& reference) {
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

void PrintJob::PrintAlbum(Surface& printer, const QStringList& files)
{
    AppState& app = m_context.app;
    const QString keptFileName = app.CurrentFileName;
    for (qsizetype index = 0; index < files.size(); ++index) {
        const QString& file = files[index];
        if (!QFileInfo(file).isFile()) {
            m_context.messages.inform(file + u" file not found");
            continue;
        }
        song::Song song(m_context);
        app.CurrentFileName = file;
        song.LoadFile();
        PrintSongPages(printer, song);
        if (index < files.size() - 1)
            printer.NewPage();
    }
    app.CurrentFileName = keptFileName;
}

} // namespace lvx::print
