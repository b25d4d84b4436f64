#pragma once

#include "printstate.h"

#include <QList>
#include <QString>

namespace lvx {
class Messages;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class Surface;

// One song of a songbook's contents.
struct ContentsEntry
{
    QString title;        // what it is listed under
    int page = 0;
    QString sortTitle;    // what it is sorted by, when the song says (its "sorttitle")
    QString artist;       // empty when the song names none
    QString sortArtist;   // what its artist is sorted by, when the song says
};

// How a songbook lists a song, in its contents and its bookmarks: under the
// song's title, or its file name without folder and extension when it has
// none; with the artists it names (several joined by ", ").
ContentsEntry contentsEntry(const song::Song& song, const QString& path);

// In the order a reader looks titles up: by sort title where a song gives one,
// case and accents aside, numbers by value; equal titles keep their order.
void sortContents(QList<ContentsEntry>& entries);

// One line of a contents page: a song and its page, or the heading of a group.
struct ContentsLine
{
    QString text;
    int page = 0;
    bool heading = false;
};

// The entries one line each, in their order.
QList<ContentsLine> contentsLines(const QList<ContentsEntry>& entries);

// The artist heading of the songs that name no artist.
inline constexpr char16_t UnknownArtist[] = u"Unknown artist";

// The entries under their artists: each artist a heading, in a reader's order
// of its sort name (the first "sortartist" its songs give, else the name),
// its songs below in the entries' order; songs without an artist come last,
// under UnknownArtist.
QList<ContentsLine> contentsByArtist(const QList<ContentsEntry>& entries);

// Draws contents from the current page on: the caption in the Title font,
// then one line per entry in the Lyric font, its title, a dotted leader and
// its page number at the right margin; a heading in bold, the songs under it
// indented. The header and footer are those of songs; a full page goes on on
// a new one, and a heading never ends a page alone. `look` gives the fonts
// and margins. Returns the number of pages drawn.
int DrawContentsPages(Surface& target, PrintState& state, const song::Song& look, Messages& messages,
                      const QString& caption, const QList<ContentsLine>& lines);

} // namespace lvx::print
