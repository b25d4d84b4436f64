#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>

namespace lvx::music {

struct ChordSymbol;

// One guitar fingering. Frets are counted above the base position; string 1 is
// the high E, string 6 the low E; -1 marks a string that is not played.
struct GuitarChordDef
{
    static constexpr qint16 NotPlayed = -1;

    QString name;
    qint16 baseFret = 0;                    // 0 = first position; -1 counts as 0
    std::array<qint16, 7> frets{};          // index 0 unused

    // Semitones above the playback range's lowest C, or -1 for a string not played.
    int stringPitch(int string) const;

    friend bool operator==(const GuitarChordDef&, const GuitarChordDef&) = default;
};

// "Am -1 0 2 2 1 0 1": name, frets of strings 6 down to 1, base fret + 1.
QString ChordDefToText(const GuitarChordDef& def);

// The notes a fingering sounds, from string 6 down to string 1, strings not played left out.
QList<int> fingeringNotes(const GuitarChordDef& def);

// How a dictionary list shows an entry: the chord in the user's notation, or the
// name as written when it is no chord.
QString fingeringCaption(const QString& name, const QString& notation);

// Where a fingering for a chord was found.
enum class FingeringSource { Song, Global, NotFound };

struct FingeringMatch
{
    const GuitarChordDef* def = nullptr;
    FingeringSource source = FingeringSource::NotFound;
};

// The fingering to draw or play for a chord: the song's own entry of that name,
// else for a slash chord the song's plain chord when one of its three low strings
// sounds the bass, then the same two steps in the global dictionary.
FingeringMatch findFingering(const ChordSymbol& chord, const QList<GuitarChordDef>& song,
                             const QList<GuitarChordDef>& global);

// The names a chord is looked up under, in letters as dictionaries store
// them: its own, and for a slash chord its plain chord's (null otherwise).
struct FingeringNames
{
    QString name;
    QString plain;
};
FingeringNames fingeringNames(const ChordSymbol& chord);
// The same with the names already made, for a book that looks the same chord
// up in song after song.
FingeringMatch findFingering(const ChordSymbol& chord, const FingeringNames& names, const QList<GuitarChordDef>& song,
                             const QList<GuitarChordDef>& global);

} // namespace lvx::music
