#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lvx {
class Messages;
}

namespace lvx::song {

// How a song file's bytes become text, remembered so that saving writes the
// file back the way it was read.
enum class TextEncoding {
    Utf8,        // also every file that is plain ASCII
    Utf8Bom,     // UTF-8 that started with a byte-order mark
    Windows1252, // bytes that are not valid UTF-8
    // Files that start with the byte-order mark of one of these.
    Utf16LE,
    Utf16BE,
    Utf32LE,
    Utf32BE,
    // UTF-16 without a mark, told by its NUL bytes: the high half of every
    // Latin letter. Written back without one.
    Utf16LENoMark,
    Utf16BENoMark,
};

inline constexpr qsizetype MaxReadBytes = 60000;

// A file as it stood on disk at one moment: which file it was, its size and
// when it last changed. Any other program's save changes it.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;       // -1: no file there
    qint64 changed = 0;     // nanoseconds since the epoch

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp fileStamp(const QString& path);

struct TextFile
{
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
    bool ok = true;          // false when the file could not be opened or created
    bool truncated = false;  // only the first 60000 bytes were read
    FileStamp stamp;         // the file that was read, as it was then
};

// What a read that failed gives: no text, ok false.
inline TextFile failedRead()
{
    TextFile file;
    file.ok = false;
    return file;
}

enum class MissingFile { Create, Refuse };

// Reads at most 60000 bytes ("File to Large, read first 60000 bytes" beyond that,
// with the file's path). A missing file is created empty, or refused with a message.
TextFile ReadTextFile(const QString& path, Messages& messages, MissingFile missing = MissingFile::Create);

// Reads the whole file, for lists that are not songs; one larger than limit
// bytes is refused with a message naming it and the limit.
TextFile ReadWholeTextFile(const QString& path, qint64 limit, Messages& messages);

// Whether path is a regular file this user may read. Otherwise the message a
// read would give says why: "Cannot open file PATH: " and the system's reason,
// or "it is not a regular file" for a folder, a pipe or a device.
bool isReadableFile(const QString& path, Messages& messages);

// Whether a file's text gets a line end after its last line: added (CR LF)
// unless it already ends with one, or left as given, for a song whose file had
// none there.
enum class FinalLineEnd { Added, AsGiven };

// Writes the text, ended by a CR LF unless it already ends with a line end (so
// saving what was read adds nothing), through a temporary file renamed over the
// old one, so a failed save leaves the old file whole. Text that Windows-1252
// cannot hold is written as UTF-8 instead, and encoding says so afterwards.
bool WriteTextFile(const QString& path, const QString& text, TextEncoding& encoding, Messages& messages,
                   FinalLineEnd end = FinalLineEnd::Added);

// CR, LF and CR LF each end a line; a final line end adds no empty line;
// LF followed by CR is two line ends.
QStringList SplitLines(QStringView text);

// The same lines, handed one at a time to action(QStringView line), without copies.
template<typename Action>
void forEachLine(QStringView text, Action action)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        action(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        action(text.mid(start));
}

// The decoding rules on their own, for callers that already hold the bytes.
TextFile decodeText(QByteArray bytes, bool truncated);
// False when the encoding cannot hold the text.
bool encodeText(const QString& text, TextEncoding encoding, QByteArray& bytes);
// The text as WriteTextFile puts it in a file, final line end included.
QString fileContent(const QString& text, FinalLineEnd end = FinalLineEnd::Added);
// A file's content as bytes in `encoding`, or in UTF-8 when that cannot hold
// it (characters typed that the old code page lacks are kept); encoding then
// says UTF-8.
QByteArray encodeForFile(const QString& content, TextEncoding& encoding);

} // namespace lvx::song
