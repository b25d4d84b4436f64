#pragma once

#include "album.h"
#include "printstate.h"

#include "midi/playbacknotes.h"

#include <QStringList>

#include <memory>

namespace lvx {
class Messages;
}

namespace lvx::song {
class Song;
struct SongContext;
}

namespace lvx::print {

class Surface;
class FingeringMemo;
struct ContentsEntry;

// One print or preview: the page state, the notes the last diagram showed,
// and where songs find the chord dictionary.
class PrintJob final
{
public:
    PrintJob(song::SongContext& context, const song::Song* globalDictionary);

    PrintState state;
    midi::PlaybackNotes notes;

    // Prints a song on the printer: its pages, then one page more for the chord
    // diagrams that did not fit.
    void PrintSongPages(Surface& printer, const song::Song& song);

    // Draws page `page` (from 1) of the song on the picture, measuring with the
    // printer. A page past the end shows the last one and lowers `page` to it.
    // Returns whether the page shown is the last.
    bool RenderPreviewPage(Surface& picture, Surface& printer, const song::Song& song, int& page);

    // Prints the songs one after the other as one document with running page
    // numbers, each marked with a bookmark; a file that is gone is reported and
    // skipped. With contents, those pages come first and count in the numbers.
    // The document is told its title and author (setDocumentInfo).
    void PrintAlbum(Surface& printer, const QStringList& files, const BookOptions& options = {});

private:
    song::SongContext& m_context;
    const song::Song* m_globalDictionary;
    FingeringMemo* m_bookFingerings = nullptr;   // while a book prints
    Messages* m_messages;   // where layout problems are told; nowhere during a dry run

    void prepare(Surface& measuring, const song::Song& song);
    // The song of an album entry; null, and reported, when its file is gone.
    std::unique_ptr<song::Song> loadAlbumSong(const QString& file);
    // Returns the songs printed, in album order.
    QList<ContentsEntry> printBook(Surface& printer, const QStringList& files, const BookOptions& options);
    int drawContents(Surface& target, const QList<ContentsEntry>& entries, const BookOptions& options);
};

} // namespace lvx::print
