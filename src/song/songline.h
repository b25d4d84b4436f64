#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lvx::song {

// What a line of a song is. The numbers are stable: other code compares them.
enum LineKind : qint16 {
    KindChordDef = 1,     // read from a file, never stored as a line
    KindModeDef = 2,      // read from a file, never stored as a line
    KindLyric = 5,
    KindComment = 6,
    KindBlockStart = 8,
    KindBlockEnd = 9,
    KindNewPage = 10,
    KindColumnBreak = 11,
    KindKept = 12,        // a source line the program does not understand, carried as it was read
    KindChorusStart = 21,
    KindChorusEnd = 22,
    KindBridgeStart = 31,
    KindBridgeEnd = 32,
    KindTabStart = 41,
    KindTabEnd = 42,
    KindTwoColumnsOn = 101,
    KindTwoColumnsOff = 102,
};

// A chord as written between the brackets, and how many lyric characters precede it.
struct ChordPlacement
{
    QString name;
    qint16 position = 0;

    friend bool operator==(const ChordPlacement&, const ChordPlacement&) = default;
};

// One line of a song: a lyric with its chords taken out, or a directive line.
struct SongLine
{
    qint16 kind = KindLyric;
    QString text;
    QList<ChordPlacement> chords;   // lyric lines only, in ascending position
    // A directive line as it was read, when its own form says more than the
    // program's form would: another tool's name, a label, a short name. Saving
    // writes it back as read while the line still reads as this record. For a
    // lyric: the text from an unclosed "[" on, which has no place over the
    // lyric but is written back after it.
    QString source = {};
    // A kept line that states a fact about the song (artist, key...): it
    // stays in its place in the file but is no part of the song's body.
    bool metadata = false;
    // The source line exactly as the file had it (tabs, short names, spacing),
    // for a song saved in its own style: written back while it still reads as
    // this line. How the line was spelled, not what it is: equality ignores it.
    QString read = {};

    friend bool operator==(const SongLine& a, const SongLine& b)
    {
        return a.kind == b.kind && a.text == b.text && a.chords == b.chords && a.source == b.source
               && a.metadata == b.metadata;
    }
};

// The lyric with every chord put back in brackets where it stands.
QString lyricWithChords(const SongLine& line);
// The lines as a song's body writes them, one text a line: a lyric with its
// chords in brackets, a directive line in the form it is saved in.
QStringList writtenLines(const QList<SongLine>& lines);

} // namespace lvx::song
