#include "textfile.h"

#include "base/messages.h"
#include "base/safefile.h"

#include <QFile>
#include <QFileInfo>
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
// The forms without a mark come last, never taken for a mark that is empty.
const std::array<UnicodeForm, 6> UnicodeForms{{
    {TextEncoding::Utf32LE, QByteArray("\xFF\xFE\x00\x00", 4), QStringConverter::Utf32LE, 4},
    {TextEncoding::Utf32BE, QByteArray("\x00\x00\xFE\xFF", 4), QStringConverter::Utf32BE, 4},
    {TextEncoding::Utf16LE, QByteArray("\xFF\xFE"), QStringConverter::Utf16LE, 2},
    {TextEncoding::Utf16BE, QByteArray("\xFE\xFF"), QStringConverter::Utf16BE, 2},
    {TextEncoding::Utf16LENoMark, QByteArray(), QStringConverter::Utf16LE, 2},
    {TextEncoding::Utf16BENoMark, QByteArray(), QStringConverter::Utf16BE, 2},
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
// cut in two at the end is dropped. clean is false when some units were not
// text (a lone surrogate), read as replacement characters.
QString decodeUnicode(const UnicodeForm& form, QByteArray bytes, bool truncated, bool* clean = nullptr)
{
    bytes.remove(0, form.bom.size());
    bytes.chop(bytes.size() % form.unit);
    QStringDecoder decoder(form.converter, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (truncated && !text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    if (clean != nullptr)
        *clean = !decoder.hasError();
    return text;
}

// UTF-16 without a mark, told by where its NULs are: in most odd bytes and in
// no even one for little endian, the other way round for big endian. Text in
// an 8-bit encoding holds no NULs; a binary file has them anywhere.
const UnicodeForm* unmarkedUtf16(const QByteArray& bytes, bool truncated)
{
    const qsizetype units = bytes.size() / 2;
    if (units == 0 || (!truncated && bytes.size() % 2 != 0))
        return nullptr;
    std::array<qsizetype, 2> nuls{0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            ++nuls[i % 2];
    }
    if (nuls[0] == 0 && nuls[1] * 2 > units)
        return unicodeForm(TextEncoding::Utf16LENoMark);
    if (nuls[1] == 0 && nuls[0] * 2 > units)
        return unicodeForm(TextEncoding::Utf16BENoMark);
    return nullptr;
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

// A file open for reading with the system's calls: one status of the open
// file tells a regular file from the rest and stamps it, where a QFile asks
// three times. A song book reads a thousand files.
class InputFile final
{
public:
    explicit InputFile(const QString& path)
    {
        // Not blocking: opening a named pipe would otherwise wait for a writer.
        descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (descriptor < 0 || ::fstat(descriptor, &info) != 0)
            error = errno;
    }
    ~InputFile()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    Q_DISABLE_COPY_MOVE(InputFile)

    // Whether there is a regular file to read; otherwise says why. A folder
    // would read as nothing, a pipe or a device as nothing or for ever.
    bool opened(const QString& path, Messages& messages) const
    {
        if (error == 0 && S_ISREG(info.st_mode))
            return true;
        const QString reason = error != 0 ? qt_error_string(error) : QStringLiteral("it is not a regular file");
        messages.inform(u"Cannot open file " + path + u": " + reason);
        return false;
    }

    int descriptor = -1;
    int error = 0;   // why it could not be opened, as errno tells
    struct stat info = {};
};

// Reads until the end of the file or until `most` bytes are in, growing the
// buffer as needed; -1 on a failed read, with errno set.
qint64 readInto(int descriptor, QByteArray& buffer, qint64 most)
{
    qint64 read = 0;
    while (read < most) {
        if (read == buffer.size())
            buffer.resize(qMin(most, qMax(qint64(4096), 2 * read)));
        const ssize_t got = ::read(descriptor, buffer.data() + read, size_t(buffer.size() - read));
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        read += got;
    }
    return read;
}

// A size for a message: whole mebibytes as such.
QString sizeText(qint64 bytes)
{
    constexpr qint64 MiB = 1024 * 1024;
    if (bytes % MiB == 0)
        return QString::number(bytes / MiB) + u" MiB";
    return QString::number(bytes) + u" bytes";
}

} // namespace

TextFile decodeText(QByteArray bytes, bool truncated)
{
    TextFile result;
    result.truncated = truncated;
    for (const UnicodeForm& form : UnicodeForms) {
        if (!form.bom.isEmpty() && bytes.startsWith(form.bom)) {
            result.text = decodeUnicode(form, bytes, truncated);
            result.encoding = form.encoding;
            return result;
        }
    }
    // Written back the same way only when every unit was text.
    if (const UnicodeForm* form = unmarkedUtf16(bytes, truncated)) {
        bool clean = false;
        QString text = decodeUnicode(*form, bytes, truncated, &clean);
        if (clean) {
            result.text = std::move(text);
            result.encoding = form->encoding;
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

QString fileContent(const QString& text, FinalLineEnd end)
{
    if (end == FinalLineEnd::AsGiven || text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r'))
        return text;
    return text + u"\r\n";
}

TextFile ReadTextFile(const QString& path, Messages& messages, MissingFile missing)
{
    const InputFile file(path);
    // Reading a file that is not there leaves it there, empty.
    if (file.error == ENOENT && missing == MissingFile::Create && QFile(path).open(QIODevice::WriteOnly))
        return {};
    if (!file.opened(path, messages))
        return failedRead();
    // One byte past the limit tells whether there is more, whatever size the
    // file had a moment before: one that grew meanwhile is still marked as
    // read in part, and never saved over. The bytes go through a buffer kept
    // for it: a fresh one of the limit's size costs more than a song's read.
    thread_local QByteArray buffer(MaxReadBytes + 1, Qt::Uninitialized);
    const qint64 read = readInto(file.descriptor, buffer, MaxReadBytes + 1);
    if (read < 0) {
        messages.inform(u"Cannot open file " + path + u": " + qt_error_string(errno));
        return failedRead();
    }
    const bool truncated = read > MaxReadBytes;
    if (truncated)
        messages.inform(u"File to Large, read first 60000 bytes\n" + path, QStringLiteral("Error"));
    TextFile result = decodeText(QByteArray::fromRawData(buffer.constData(), qMin(read, qint64(MaxReadBytes))), truncated);
    // Taken from the file just read, so no other save can come in between.
    result.stamp = stampOf(file.info);
    return result;
}

TextFile ReadWholeTextFile(const QString& path, qint64 limit, Messages& messages)
{
    const InputFile file(path);
    if (!file.opened(path, messages))
        return failedRead();
    // Sized by what the file holds now; it grows if the file does meanwhile.
    QByteArray buffer(qBound(qint64(1), qint64(file.info.st_size) + 1, limit + 1), Qt::Uninitialized);
    const qint64 read = readInto(file.descriptor, buffer, limit + 1);
    if (read < 0) {
        messages.inform(u"Cannot open file " + path + u": " + qt_error_string(errno));
        return failedRead();
    }
    if (read > limit) {
        messages.inform(u"Cannot open file " + path + u": it is larger than " + sizeText(limit));
        return failedRead();
    }
    buffer.truncate(read);
    TextFile result = decodeText(std::move(buffer), false);
    result.stamp = stampOf(file.info);
    return result;
}

bool isReadableFile(const QString& path, Messages& messages)
{
    return InputFile(path).opened(path, messages);
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

bool WriteTextFile(const QString& path, const QString& text, TextEncoding& encoding, Messages& messages,
                   FinalLineEnd end)
{
    const QByteArray bytes = encodeForFile(fileContent(text, end), encoding);
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
