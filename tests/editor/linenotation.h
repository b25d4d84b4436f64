#pragma once

#include "song/songline.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lvx::test {

// Songs written the way a reader sees them: lines separated by " | ", a lyric
// with its chords in brackets ("He[G]llo"), a directive line as "{21}Start of
// Chorus", a line kept as a fact about the song as "{12m}{key: G}". A chord out of order or past the end of the text is written with its
// position, "[G@7]", so a sort or padding fault shows in the comparison.
inline song::SongLine parseLine(const QString& notation)
{
    song::SongLine line;
    QString rest = notation;
    if (rest.startsWith(u'{')) {
        const qsizetype close = rest.indexOf(u'}');
        QString kind = rest.mid(1, close - 1);
        line.metadata = kind.endsWith(u'm');
        if (line.metadata)
            kind.chop(1);
        line.kind = qint16(kind.toInt());
        rest = rest.mid(close + 1);
    }
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest.at(i) != u'[') {
            line.text += rest.at(i);
            continue;
        }
        const qsizetype close = rest.indexOf(u']', i);
        QString name = rest.mid(i + 1, close - i - 1);
        qint16 position = qint16(line.text.size());
        if (const qsizetype at = name.indexOf(u'@'); at > 0) {
            position = qint16(name.mid(at + 1).toInt());
            name.truncate(at);
        }
        line.chords.append(song::ChordPlacement{name, position});
        i = close;
    }
    return line;
}

inline QList<song::SongLine> parseSong(const QString& notation)
{
    QList<song::SongLine> lines;
    for (const QString& part : notation.split(QStringLiteral(" | ")))
        lines.append(parseLine(part));
    return lines;
}

inline QString showLine(const song::SongLine& line)
{
    QString out = line.kind == song::KindLyric ? QString() : u'{' + QString::number(line.kind) + u'}';
    qsizetype copied = 0;
    for (const song::ChordPlacement& chord : line.chords) {
        if (chord.position >= copied && chord.position <= line.text.size()) {
            out += line.text.mid(copied, chord.position - copied);
            copied = chord.position;
            out += u'[' + chord.name + u']';
            continue;
        }
        if (chord.position > line.text.size()) {
            out += line.text.mid(copied);
            copied = line.text.size();
        }
        out += u'[' + chord.name + u'@' + QString::number(chord.position) + u']';
    }
    return out + line.text.mid(copied);
}

inline QString showSong(const QList<song::SongLine>& lines)
{
    QStringList parts;
    for (const song::SongLine& line : lines)
        parts.append(showLine(line));
    return parts.join(QStringLiteral(" | "));
}

} // namespace lvx::test
