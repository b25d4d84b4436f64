#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace lvx::song {

// The line end a song file uses throughout.
enum class LineEnd { CrLf, Lf, Cr };

// The line end every line of the text ends with; CR LF, the program's own, for
// a text that mixes them or has none.
LineEnd lineEndOf(QStringView text);
QStringView lineEndText(LineEnd end);

// Where a source line that became no line of the song (a title, a definition)
// stood: before which of the song's lines, and in what order among the others
// there. Saving a song in its own style puts it back there.
struct Placement
{
    qsizetype before = 0;   // the number of song lines read before it
    qsizetype order = 0;    // four times its line number in the text

    friend auto operator<=>(const Placement&, const Placement&) = default;
};

// Placements of lines read at the given line (counted from 1) of the text.
inline Placement placementAt(qsizetype before, qsizetype sourceLine)
{
    return {before, sourceLine * 4};
}

// The song's title or subtitle line as it was read.
struct HeaderLine
{
    QString line;     // empty: the text had none
    QString value;    // what it gave
    Placement at;
};

// How a song file from another tool is written: the same line ends, the title
// where it stood, every line in the form it was read while it still says the
// same, the program's settings only where they differ from the defaults.
struct TextStyle
{
    bool own = false;           // false: the program's full header, as for its own files
    LineEnd lineEnd = LineEnd::CrLf;
    bool finalLineEnd = true;   // the file's last line had a line end
};

} // namespace lvx::song
