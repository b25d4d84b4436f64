#pragma once

#include "base/messages.h"
#include "base/text.h"
#include "song/song.h"

#include <QFile>

#include <memory>

// A song with its own program state and a recorder for every message it shows.
struct SongFixture
{
    lvx::RecordingMessages messages;
    lvx::song::SongContext context{messages};
    lvx::song::Song song{context};

    // The song read from text, the way a file's text is read.
    static std::unique_ptr<SongFixture> read(const QString& text)
    {
        auto fixture = std::make_unique<SongFixture>();
        fixture->song.StringToLinesRec(text);
        return fixture;
    }

    // The song of a file, opened the way the program opens one.
    static std::unique_ptr<SongFixture> open(const QString& path)
    {
        auto fixture = std::make_unique<SongFixture>();
        fixture->context.app.CurrentFileName = path;
        fixture->song.LoadFile();
        fixture->song.caption = path;
        return fixture;
    }
};

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// The song's chords where they sound: one entry per lyric line with chords,
// its text and each chord with its position. A line without lyric has no
// syllables to sound on, so only its chords' order counts there.
inline QStringList chordsOnSyllables(const lvx::song::Song& song)
{
    QStringList lines;
    for (const lvx::song::SongLine& line : song.lines) {
        if (line.chords.isEmpty() || lvx::trimLeadingBlanks(line.text).startsWith(u'#'))
            continue;
        const QString text = lvx::trimTrailingBlanks(line.text);
        QString entry = text + u'|';
        for (const lvx::song::ChordPlacement& chord : line.chords)
            entry += u' ' + chord.name + (text.isEmpty() ? QString() : u'@' + QString::number(chord.position));
        lines.append(entry);
    }
    return lines;
}
