#pragma once

#include <QString>
#include <QStringView>

namespace lvx::song {

class Song;

// A song as a plain-text chord sheet, the form musicians pass around: each
// chord name on a line of its own, above the character of the lyric where it
// sounds; comments as their text, a blank line between sections, tablature as
// written. Lines end with CR LF.
struct ChordSheet
{
    QString text;
    // Song lines that reading the sheet back would not return as they are:
    // chords too close together to stand over their own characters, names or
    // lyrics that would read as something else.
    int linesNotKept = 0;
};

ChordSheet chordSheetText(const Song& song);

// A chord sheet read as ChordPro text: a chord line followed by a lyric line
// becomes one line with bracketed chords, a chord line alone keeps its chords
// over blanks, runs of tablature become tab sections, and every other line
// stays as it is. Words of a chord line that are no chord names (bar lines,
// repeat marks) become text labels. Tabs are eight blanks; lines end with CR LF.
QString chordSheetToChordPro(const QString& sheet);

// How the sheet reader tells lines apart.
// A chord name as sheets write them: a note letter, its accidental, the chord
// type in the usual spellings and a bass ("C#m7b5/G#", "Asus4", "N.C.").
bool isChordWord(QStringView word);
// A line of chord names: more chords than other words, besides bar lines and
// repeat marks. "Am I blue" and "A man" are lyrics.
bool isChordLine(QStringView line);
// A tablature staff line: dashes, maybe bars ("e|--3--0--|", "E---0---"), no words.
bool isTablatureLine(QStringView line);

} // namespace lvx::song
