// Album files: the input is the file's bytes. A file that is no album text is
// refused; an album names at most one song per line, reports each missing one,
// saves and reads back as the same list, and prints its songs as one book.

#include "fuzzsupport.h"
#include "pagesurface.h"

#include "print/album.h"
#include "print/printjob.h"

#include <QDir>
#include <QFile>

using namespace lvx;

namespace {

// Two songs an album may name ("a.cho", "b.cho" in the current folder).
void writeSongs()
{
    for (const char* name : {"a.cho", "b.cho"}) {
        QFile song(QString::fromLatin1(name));
        if (!song.exists() && song.open(QIODevice::WriteOnly))
            song.write("{t:Song}\r\n[C]one [G]line\r\n");
    }
}

void writeBytes(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    QDir::setCurrent(fuzz::scratchFolder());
    writeSongs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = QStringLiteral("album.abm");
    writeBytes(path, data, size);
    if (!print::isAlbumText(path))
        return 0;
    fuzz::QuietMessages messages;
    print::Album album;
    if (!album.OpenAlbum(path, messages))
        return 0;
    const qsizetype lines = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).count('\n')
        + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).count('\r') + 1;
    if (album.AlbumFiles.size() + messages.shown > lines)
        fuzz::fail("More songs and messages than album lines");

    const QStringList opened = album.AlbumFiles;
    if (!album.SaveAlbum(messages))
        fuzz::fail("An album could not be saved where it was read");
    album.OpenAlbum(path, messages);
    if (album.AlbumFiles != opened)
        fuzz::fail("An album saved and opened again lists other songs", opened.join(u'\n'), album.AlbumFiles.join(u'\n'));

    song::SongContext context{messages};
    print::PrintJob job(context, nullptr);
    fuzz::PageSurface paper;
    job.PrintAlbum(paper, album.AlbumFiles.mid(0, 20));
    return 0;
}
