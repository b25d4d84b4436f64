#pragma once

#include <QStringView>
#include <QtGlobal>

#include <array>

namespace lvx::music {

// Three rows of twelve fixed-width entries, indexed by row * 12 + pitch class:
// row 0 spells with sharps, row 1 with flats, row 2 mixed (C# Eb F# G# Bb).
// Notes are found as substrings of the whole letter table, so its padding blanks
// and its order are part of how chord names read, not just layout.
inline constexpr QStringView LetterTable =
    u"C C#D D#E F F#G G#A A#B C DbD EbE F GbG AbA BbB C C#D EbE F F#G G#A BbB ";
inline constexpr QStringView SolfegeTable =
    u"Do  Do# Re  Re# Mi  Fa  Fa# Sol Sol#La  La# Si  "
    u"Do  Reb Re  Mib Mi  Fa  SolbSol Lab La  Sib Si  "
    u"Do  Do# Re  Mib Mi  Fa  Fa# Sol Sol#La  Sib Si  ";
inline constexpr int LetterEntryWidth = 2;
inline constexpr int SolfegeEntryWidth = 4;

inline constexpr int SharpRow = 0;
inline constexpr int FlatRow = 1;
inline constexpr int MixedRow = 2;

// The notation setting holds "C" for letter names; every other value means solfege.
inline bool isLetterNotation(QStringView notation)
{
    return notation == u"C";
}

struct SolfegeNote
{
    QStringView name;
    bool natural;
};

// Index = pitch class; the piano drawing tells white keys from black by the flag.
inline constexpr std::array<SolfegeNote, 12> SolfegeNotes{{
    {u"Do", true}, {u"Do#", false}, {u"Re", true}, {u"Re#", false}, {u"Mi", true}, {u"Fa", true},
    {u"Fa#", false}, {u"Sol", true}, {u"Sol#", false}, {u"La", true}, {u"La#", false}, {u"Si", true},
}};

// Open-string pitches of the guitar in semitones above the lowest C of the playback
// range, indexed by string number (1 = high E .. 6 = low E); index 0 is unused.
inline constexpr int GuitarStrings = 6;
inline constexpr std::array<qint16, GuitarStrings + 1> OpenStringPitches{0, 28, 23, 19, 14, 9, 4};

} // namespace lvx::music
