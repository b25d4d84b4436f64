#include "mergechordline.h"

#include "base/text.h"

namespace lvx::music {

namespace {
constexpr qsizetype ChordLinePadding = 100;
constexpr qsizetype LyricLinePadding = 200;
} // namespace

QString MergeChordLine(const QString& chordLine, const QString& lyricLine)
{
    // The padding makes every chord end in a blank column, so the walk never
    // finishes inside a chord.
    const QString chords = chordLine + QString(ChordLinePadding, Blank);
    const QString lyrics = lyricLine + QString(LyricLinePadding, Blank);

    QString result;
    QString chord;
    qsizetype chordStartIndex = -1;
    for (qsizetype columnIndex = 0; columnIndex < chords.size(); ++columnIndex) {
        const QChar c = chords[columnIndex];
        if (chordStartIndex < 0) {
            if (c == Blank) {
                result += lyrics.mid(columnIndex, 1);
            } else {
                chordStartIndex = columnIndex;
                chord = c;
            }
        } else if (c != Blank) {
            chord += c;
        } else {
            // The lyric under the chord, and under the blank that ends it, follows the bracket.
            result += QChar(u'[') + chord + QChar(u']') + lyrics.mid(chordStartIndex, columnIndex - chordStartIndex + 1);
            chordStartIndex = -1;
        }
    }
    // A lyric line longer than the chord line plus its padding keeps its tail.
    result += lyrics.mid(chords.size());
    return trimTrailingBlanks(result);
}

} // namespace lvx::music
