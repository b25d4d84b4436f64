#include "textfile.h"

#include "base/messages.h"
#include "base/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lvx::song {

namespace {

FileStamp stampOf(const struct stat& info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

// Windows-1252 in 0x80..0x9F; the five unassigned bytes keep their C1 code point
// so that any byte sequence reads and writes back unchanged.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray Utf8Bom("\xEF\xBB\xBF");

struct UnicodeForm
{
    TextEncoding encoding;
    QByteArray bom;
    QStringConverter::Encoding converter;
    qsizetype unit;   // bytes per code unit
};

// The four-byte marks first: the UTF-32 LE mark starts like the UTF-16 LE one.
const std::array<UnicodeForm, 4> UnicodeForms{{
    {TextEncoding::Utf32LE, QByteArray("\xFF\xFE\x00\x00", 4), QStringConverter::Utf32LE, 4},
    {TextEncoding::Utf32BE, QByteArray("\x00\x00\xFE\xFF", 4), QStringConverter::Utf32BE, 4},
    {TextEncoding::Utf16LE, QByteArray("\xFF\xFE"), QStringConverter::Utf16LE, 2},
    {TextEncoding::Utf16BE, QByteArray("\xFE\xFF"), QStringConverter::Utf16BE, 2},
}};

const UnicodeForm* unicodeForm(TextEncoding encoding)
{
    for (const UnicodeForm& form : UnicodeForms) {
        if (form.encoding == encoding)
            return &form;
    }
    return nullptr;
}

// UTF-16 or UTF-32 after its mark; a code unit or a surrogate pair the size cap
// cut in two at the end is dropped.
QString decodeUnicode(const UnicodeForm& form, QByteArray bytes, bool truncated)
{
    bytes.remove(0, form.bom.size());
    bytes.chop(bytes.size() % form.unit);
    QString text = QStringDecoder(form.converter, QStringDecoder::Flag::Stateless).decode(bytes);
    if (truncated && !text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

QString decodeCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

bool encodeCp1252(const QString& text, QByteArray& bytes)
{
    bytes.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            bytes[i] = char(c);
            continue;
        }
        const auto found = std::find(Cp1252High.begin(), Cp1252High.end(), c);
        if (found == Cp1252High.end())
            return false;
        bytes[i] = char(0x80 + (found - Cp1252High.begin()));
    }
    return true;
}

// Bytes of a multi-byte UTF-8 sequence that the size cap cut off at the end.
qsizetype cutSequenceLength(const QByteArray& bytes)
{
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;   // a continuation byte: keep looking for the lead
        const int needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

bool isValidUtf8(const QByteArray& bytes, QString& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

TextFile decodeText(QByteArray bytes, bool truncated)
{
    TextFile result;
    result.truncated = truncated;
    for (const UnicodeForm& form : UnicodeForms) {
        if (bytes.startsWith(form.bom)) {
            result.text = decodeUnicode(form, bytes, truncated);
            result.encoding = form.encoding;
            return result;
        }
    }
    const bool bom = bytes.startsWith(Utf8Bom);
    if (bom)
        bytes.remove(0, Utf8Bom.size());
    if (isAscii(bytes)) {
        result.text = QString::fromLatin1(bytes);
        result.encoding = bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
        return result;
    }
    QByteArray candidate = bytes;
    if (truncated)
        candidate.chop(cutSequenceLength(candidate));
    if (isValidUtf8(candidate, result.text)) {
        result.encoding = bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
        return result;
    }
    // Not UTF-8: every byte is a Windows-1252 character, the mark included.
    result.text = decodeCp1252(bom ? Utf8Bom + bytes : bytes);
    result.encoding = TextEncoding::Windows1252;
    return result;
}

bool encodeText(const QString& text, TextEncoding encoding, QByteArray& bytes)
{
    switch (encoding) {
    case TextEncoding::Windows1252:
        return encodeCp1252(text, bytes);
    case TextEncoding::Utf8Bom:
        bytes = Utf8Bom + text.toUtf8();
        return true;
    case TextEncoding::Utf8:
        break;
    default:
        if (const UnicodeForm* form = unicodeForm(encoding)) {
            bytes = form->bom + QByteArray(QStringEncoder(form->converter)(text));
            return true;
        }
    }
    bytes = text.toUtf8();
    return true;
}

QString fileContent(const QString& text)
{
    if (text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r'))
        return text;
    return text + u"\r\n";
}

TextFile ReadTextFile(const QString& path, Messages& messages, MissingFile missing)
{
    // Read with the system's calls: one status of the open file tells a folder
    // from a file and stamps it, where a QFile asks three times. A song book
    // reads a thousand files.
    // Not blocking: opening a named pipe would otherwise wait for a writer.
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        const int error = errno;
        // Reading a file that is not there leaves it there, empty.
        if (error == ENOENT && missing == MissingFile::Create && QFile(path).open(QIODevice::WriteOnly))
            return {};
        messages.inform(u"Cannot open file " + path + u": " + qt_error_string(error));
        return failedRead();
    }
    const auto closing = qScopeGuard([descriptor] { ::close(descriptor); });
    struct stat info = {};
    const bool known = ::fstat(descriptor, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        const QString reason = !known                 ? qt_error_string(errno)
                               : S_ISDIR(info.st_mode) ? QStringLiteral("file to open is a directory")
                                                       : QStringLiteral("it is not a plain file");
        messages.inform(u"Cannot open file " + path + u": " + reason);
        return failedRead();
    }
    // One byte past the limit tells whether there is more, whatever size the
    // file had a moment before: one that grew meanwhile is still marked as
    // read in part, and never saved over. The bytes go through a buffer kept
    // for it: a fresh one of the limit's size costs more than a song's read.
    thread_local QByteArray buffer(MaxReadBytes + 1, Qt::Uninitialized);
    qint64 read = 0;
    while (read <= MaxReadBytes) {
        const ssize_t got = ::read(descriptor, buffer.data() + read, size_t(MaxReadBytes + 1 - read));
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            messages.inform(u"Cannot open file " + path + u": " + qt_error_string(errno));
            return failedRead();
        }
        read += got;
    }
    const bool truncated = read > MaxReadBytes;
    if (truncated)
        messages.inform(u"File to Large, read first 60000 bytes\n" + path, QStringLiteral("Error"));
    TextFile result = decodeText(QByteArray::fromRawData(buffer.constData(), qMin(read, qint64(MaxReadBytes))), truncated);
    // Taken from the file just read, so no other save can come in between.
    result.stamp = stampOf(info);
    return result;
}

FileStamp fileStamp(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return stampOf(info);
}

QByteArray encodeForFile(const QString& content, TextEncoding& encoding)
{
    QByteArray bytes;
    if (!encodeText(content, encoding, bytes)) {
        encoding = TextEncoding::Utf8;
        encodeText(content, encoding, bytes);
    }
    return bytes;
}

bool WriteTextFile(const QString& path, const QString& text, TextEncoding& encoding, Messages& messages)
{
    const QByteArray bytes = encodeForFile(fileContent(text), encoding);
    QString reason;
    if (writeFileSafely(path, bytes, reason))
        return true;
    messages.inform(u"Cannot save file " + path + u": " + reason);
    return false;
}

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

} // namespace lvx::song
