#include "clipformat.h"

#include "linelimits.h"

#include "song/song.h"

#include <QDataStream>
#include <QMimeData>

#include <array>

using namespace Qt::StringLiterals;

namespace lvx::editor {

using namespace detail;

namespace {

constexpr quint32 ClipMagic = 0x4c56584c;   // "LVXL"
constexpr quint32 ClipVersion = 1;

constexpr std::array<qint16, 15> SongKinds{
    song::KindLyric,       song::KindComment,      song::KindBlockStart,  song::KindBlockEnd,
    song::KindNewPage,     song::KindColumnBreak,  song::KindKept,        song::KindChorusStart,
    song::KindChorusEnd,   song::KindBridgeStart,  song::KindBridgeEnd,   song::KindTabStart,
    song::KindTabEnd,      song::KindTwoColumnsOn, song::KindTwoColumnsOff,
};

// A record from outside made one a song can hold: a kind the program does not
// know is carried as text it does not understand, and only lyrics keep chords.
SongLine safeLine(SongLine line)
{
    if (std::find(SongKinds.begin(), SongKinds.end(), line.kind) == SongKinds.end())
        line.kind = song::KindKept;
    line.text.truncate(MaxLineLength);
    line.metadata = false;
    if (line.kind != song::KindLyric)
        line.chords.clear();
    for (song::ChordPlacement& chord : line.chords)
        chord.position = toPosition(chord.position);
    sortChords(line);
    return line;
}

} // namespace

QByteArray encodeClip(const Lines& clip)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << ClipMagic << ClipVersion << quint32(clip.size());
    for (const SongLine& line : clip) {
        out << line.kind << line.text << line.source << quint32(line.chords.size());
        for (const song::ChordPlacement& chord : line.chords)
            out << chord.name << chord.position;
    }
    return bytes;
}

std::optional<Lines> decodeClip(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    quint32 count = 0;
    in >> magic >> version >> count;
    if (in.status() != QDataStream::Ok || magic != ClipMagic || version != ClipVersion)
        return std::nullopt;
    Lines clip;
    // The counts come from outside: the records are read until the bytes end.
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        SongLine line;
        quint32 chords = 0;
        in >> line.kind >> line.text >> line.source >> chords;
        for (quint32 k = 0; k < chords && in.status() == QDataStream::Ok; ++k) {
            song::ChordPlacement chord;
            in >> chord.name >> chord.position;
            line.chords.append(chord);
        }
        clip.append(safeLine(std::move(line)));
    }
    if (in.status() != QDataStream::Ok || clip.isEmpty())
        return std::nullopt;
    return clip;
}

QString clipText(const Lines& clip)
{
    return song::writtenLines(clip).join(u'\n');
}

Lines readClipText(song::SongContext& context, const QString& text)
{
    song::Song read(context);
    read.StringToLinesRec(text);
    Lines clip = std::move(read.lines);
    // What was pasted shows where it went, facts too.
    for (SongLine& line : clip)
        line.metadata = false;
    if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        clip.append(SongLine{});
    return clip;
}

QMimeData* clipMimeData(const Lines& clip)
{
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(ClipMimeType), encodeClip(clip));
    data->setText(clipText(clip));
    return data;
}

std::optional<Lines> clipFromMimeData(const QMimeData* data, song::SongContext& context)
{
    if (!data)
        return std::nullopt;
    if (data->hasFormat(QString::fromLatin1(ClipMimeType))) {
        if (std::optional<Lines> clip = decodeClip(data->data(QString::fromLatin1(ClipMimeType))))
            return clip;
    }
    if (!data->hasText())
        return std::nullopt;
    const QString text = data->text();
    if (text.isEmpty() || text.size() > MaxPastedText)
        return std::nullopt;
    return readClipText(context, text);
}

} // namespace lvx::editor
