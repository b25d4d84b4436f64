#include "fretboard.h"

#include "guitarchord.h"
#include "notetables.h"

namespace lvx::music {

namespace {

constexpr int GuitarBaseNote = 36;
constexpr int PianoBaseNote = 48;

// x / spacing + 1, but only for points inside the count cells from 0.
int cellAt(int position, int spacing, int count)
{
    if (position < 0 || spacing <= 0)
        return 0;
    const int cell = position / spacing + 1;
    return cell <= count ? cell : 0;
}

} // namespace

int FretboardGrid::stringAt(int x) const
{
    return cellAt(x, stringSpacing, GuitarStrings);
}

int FretboardGrid::rowAt(int y) const
{
    return cellAt(y, fretSpacing, FretboardRows);
}

QString defineText(const GuitarChordDef& def)
{
    QString text = u"Fret:" + QString::number(def.baseFret) + u"   String1 .. String6:";
    for (int string = 1; string <= GuitarStrings; ++string)
        text += QString::number(def.frets.at(string)) + u' ';
    return text;
}

PitchSet fingeringPitchClasses(const GuitarChordDef& def)
{
    PitchSet pitches;
    for (int note : fingeringNotes(def))
        pitches.set(note % 12);
    return pitches;
}

QString findChordName(const ChordTypeTable& table, const GuitarChordDef& def, const QString& notation)
{
    const PitchSet pitches = fingeringPitchClasses(def);
    if (pitches.none())
        return {};
    return chordTypeSearch(table, pitches, -1, notation);
}

int fretClickNote(int baseFret, int string, int row, bool piano)
{
    const int open = string >= 1 && string <= GuitarStrings ? OpenStringPitches.at(string) : 0;
    return (piano ? PianoBaseNote : GuitarBaseNote) + qMax(baseFret, 0) + open + row - 1;
}

} // namespace lvx::music
