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

// One line of a songbook's contents.
struct ContentsEntry
{
    QString title;
    int page = 0;
};

// The name a songbook lists a song under, in its contents and its bookmarks:
// the song's title, or its file name without folder and extension.
QString contentsTitle(const song::Song& song, const QString& path);

// In the order a reader looks titles up: case and accents aside, numbers by
// value; equal titles keep their order.
void sortContents(QList<ContentsEntry>& entries);

// Draws the contents from the current page on: "Contents" in the Title font,
// then one line per entry in the Lyric font, its title, a dotted leader and
// its page number at the right margin, with the header and footer songs have.
// A full page goes on on a new one. `look` gives the fonts and margins.
// Returns the number of pages drawn.
int DrawContentsPages(Surface& target, PrintState& state, const song::Song& look, Messages& messages,
                      const QList<ContentsEntry>& entries);

} // namespace lvx::print
