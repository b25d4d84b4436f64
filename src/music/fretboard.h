#pragma once

#include "chordsearch.h"

#include <QString>
#include <QStringView>

namespace lvx::music {

class ChordTypeTable;
struct GuitarChordDef;

// The fingering editor's fretboard: row 1 is the string sounding at the base
// position, rows 2..13 the twelve frets above it. Column 1 is string 1 (high E).
inline constexpr int FretboardRows = 13;
inline constexpr int FretboardFrets = FretboardRows - 1;
inline constexpr int MaxBaseFret = 15;

inline constexpr QStringView ChordNotFoundMessage = u"Chord Not Found";

// Maps a point on the fretboard to the string and row under it; 0 when the
// point lies outside the six strings or the thirteen rows.
struct FretboardGrid
{
    int stringSpacing = 1;
    int fretSpacing = 1;

    int stringAt(int x) const;
    int rowAt(int y) const;
};

// "Fret:" and the base fret, then the frets of strings 1..6, each followed by a blank.
QString defineText(const GuitarChordDef& def);

// The pitch classes the played strings sound.
PitchSet fingeringPitchClasses(const GuitarChordDef& def);

// The chord the played strings make, in the given notation; empty when no chord
// type fits or no string is played (a table type without intervals would
// otherwise name silence).
QString findChordName(const ChordTypeTable& table, const GuitarChordDef& def, const QString& notation);

// The MIDI note a click on the fretboard sounds at once. The piano plays it an
// octave higher, as its chords sound.
int fretClickNote(int baseFret, int string, int row, bool piano);

} // namespace lvx::music
