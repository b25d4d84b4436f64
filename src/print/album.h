#pragma once

#include <QString>
#include <QStringList>

namespace lvx {
class Messages;
}

namespace lvx::print {

// An ordered list of song files printed as one document: a songbook.
struct Album
{
    QStringList AlbumFiles;
    QString AlbumPath;
    bool AlbumChanged = false;

    void NewAlbum();
    // Reads an album file; songs that are gone are reported and dropped.
    bool OpenAlbum(const QString& path, Messages& messages);
    // Writes the album to AlbumPath (which must be set).
    bool SaveAlbum(Messages& messages);

    void addSong(const QString& path);
    // Removes entry index; returns the entry to select afterwards (-1: none left).
    int deleteSong(int index);
    // Swap with the neighbour; false, and nothing changed, at the ends.
    bool moveUp(int index);
    bool moveDown(int index);
};

// How an album prints as a book: with contents pages first (listed in album
// order or by title, and, when asked, once more grouped by artist), and the
// name its footers carry there.
struct BookOptions
{
    bool contents = false;
    bool sortedByTitle = false;
    bool byArtist = false;
    QString name;
};

// The album window's choices, kept in the settings store between runs.
BookOptions loadBookOptions();
void saveBookOptions(const BookOptions& options);

// Whether a file can be an album: text, not the bytes of an image or a program
// (which would read as a flood of missing songs).
bool isAlbumText(const QString& path);

// The most an album file may hold: a list of paths, read whole, far beyond any
// real book (a hundred thousand songs), and still never a flood of memory.
inline constexpr qint64 MaxAlbumBytes = 16 * 1024 * 1024;

// The song files an album file names, one per line, as full paths (a relative
// line is read from the album's folder); empty lines are skipped, missing files
// are reported in one message, each line followed by " file not found".
QStringList readAlbumFile(const QString& path, Messages& messages, bool* ok = nullptr);
bool writeAlbumFile(const QString& path, const QStringList& files, Messages& messages);

} // namespace lvx::print
