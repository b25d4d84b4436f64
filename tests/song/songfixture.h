#pragma once

#include "base/messages.h"
#include "base/text.h"
#include "song/song.h"

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
};

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
