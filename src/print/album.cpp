#include "album.h"

#include "base/messages.h"
#include "base/settings.h"
#include "song/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace lvx::print {

namespace {

const QString Section = QStringLiteral("Printer");
const QString ContentsKey = QStringLiteral("AlbumContents");
const QString SortedKey = QStringLiteral("AlbumContentsSorted");
const QString ByArtistKey = QStringLiteral("AlbumContentsByArtist");

} // namespace

BookOptions loadBookOptions()
{
    BookOptions options;
    options.contents = GetSettingFlag(Section, ContentsKey, QStringLiteral("false"));
    options.sortedByTitle = GetSettingFlag(Section, SortedKey, QStringLiteral("false"));
    options.byArtist = GetSettingFlag(Section, ByArtistKey, QStringLiteral("false"));
    return options;
}

void saveBookOptions(const BookOptions& options)
{
    SaveSettingFlag(Section, ContentsKey, options.contents);
    SaveSettingFlag(Section, SortedKey, options.sortedByTitle);
    SaveSettingFlag(Section, ByArtistKey, options.byArtist);
}

bool isAlbumText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;   // reading it reports why it cannot be opened
    // Text holds no control characters but line ends, tabs, form feeds and an
    // old editor's end-of-file mark; an image or a program is full of them,
    // NUL or not.
    constexpr qint64 Sample = 65536;
    const QByteArray bytes = file.read(Sample);
    return std::none_of(bytes.cbegin(), bytes.cend(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return (value < 0x20 && value != '\t' && value != '\n' && value != '\r' && value != '\f' && value != 0x1a)
            || value == 0x7f;
    });
}

QStringList readAlbumFile(const QString& path, Messages& messages, bool* ok)
{
    const song::TextFile file = song::ReadWholeTextFile(path, MaxAlbumBytes, messages);
    if (ok != nullptr)
        *ok = file.ok;
    // A relative entry is relative to the album, wherever the album was opened from.
    const QDir albumFolder = QFileInfo(path).absoluteDir();
    QStringList songs;
    QStringList missing;
    song::forEachLine(file.text, [&](QStringView line) {
        if (line.isEmpty())
            return;
        const QFileInfo song(albumFolder, line.toString());
        if (song.isFile())
            songs.append(song.absoluteFilePath());
        else
            missing.append(line + u" file not found");
    });
    if (!missing.isEmpty())
        messages.inform(listedInBrief(missing));
    return songs;
}

bool writeAlbumFile(const QString& path, const QStringList& files, Messages& messages)
{
    QString text;
    for (const QString& file : files)
        text += file + u"\r\n";
    text.chop(2);   // the writer ends the last line itself
    song::TextEncoding encoding = song::TextEncoding::Utf8;
    return song::WriteTextFile(path, text, encoding, messages);
}

void Album::NewAlbum()
{
    AlbumFiles.clear();
    AlbumPath.clear();
    AlbumChanged = false;
}

bool Album::OpenAlbum(const QString& path, Messages& messages)
{
    bool ok = false;
    const QStringList files = readAlbumFile(path, messages, &ok);
    if (!ok)
        return false;
    AlbumFiles = files;
    AlbumPath = path;
    AlbumChanged = false;
    return true;
}

bool Album::SaveAlbum(Messages& messages)
{
    if (AlbumPath.isEmpty() || !writeAlbumFile(AlbumPath, AlbumFiles, messages))
        return false;
    AlbumChanged = false;
    return true;
}

void Album::addSong(const QString& path)
{
    AlbumFiles.append(path);
    AlbumChanged = true;
}

int Album::deleteSong(int index)
{
    if (index < 0 || index >= AlbumFiles.size())
        return AlbumFiles.isEmpty() ? -1 : 0;
    AlbumFiles.removeAt(index);
    AlbumChanged = true;
    if (AlbumFiles.isEmpty())
        return -1;
    return qMax(0, index - 1);
}

bool Album::moveUp(int index)
{
    if (index < 1 || index >= AlbumFiles.size())
        return false;
    AlbumFiles.swapItemsAt(index, index - 1);
    AlbumChanged = true;
    return true;
}

bool Album::moveDown(int index)
{
    if (index < 0 || index >= AlbumFiles.size() - 1)
        return false;
    AlbumFiles.swapItemsAt(index, index + 1);
    AlbumChanged = true;
    return true;
}

} // namespace lvx::print
