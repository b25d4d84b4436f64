#pragma once

#include <QList>
#include <QString>

namespace lvx::song {

class Song;

// One row of a song's properties: a fact's name and value, and which fact of
// the song it is (its index in file order), -1 for a row the song lacks yet.
// Title and subtitle are rows too, kept in the song's own boxes.
struct PropertyRow
{
    QString name;
    QString value;
    qsizetype fact = -1;

    friend bool operator==(const PropertyRow&, const PropertyRow&) = default;
};

// The rows a musician edits: title and subtitle, then the common facts in a
// fixed order (each as often as the song gives it, once empty when it gives
// none), then every other fact the song has, in file order.
QList<PropertyRow> propertyRows(const Song& song);

// Writes the rows back: a changed value rewrites its fact's line in place, a
// fact emptied loses its line, a new fact with a value gets a line of its own
// after the song's last fact (at the top when it has none). Rows left as they
// were change nothing. A row without a name is ignored. True, and the song
// marked modified, when anything changed.
bool applyPropertyRows(Song& song, const QList<PropertyRow>& rows);

} // namespace lvx::song
