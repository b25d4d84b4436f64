#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

namespace lvx::music {

// How the notes of a song moved into a key are spelled. A key with neither
// sharps nor flats (C, Am) lets each note keep the accidental it was written with.
enum class Accidentals { Own, Sharps, Flats };

// A key as a song names it: a tonic, and "m" for minor, read like a chord.
struct MusicalKey
{
    qint16 pitch = 0;   // pitch class of the tonic, 0 (C) .. 11 (B)
    bool minor = false;

    friend bool operator==(const MusicalKey&, const MusicalKey&) = default;
};

struct KeyRow
{
    QStringView name;
    MusicalKey key;
    Accidentals accidentals;
};

// The keys a song can be moved to, majors then minors, each spelled the way
// its signature is written.
extern const std::array<KeyRow, 24> KeyTable;

// Nothing for a name that is no key: no tonic, or a chord type other than minor.
std::optional<MusicalKey> ParseKey(const QString& name);

// The accidentals of a key as named: the table's, and for a name the table
// spells otherwise (Gb, D#m, C#) the accidental the name is written with.
Accidentals KeyAccidentals(const QString& name);
// The accidentals of the key's signature as the table spells it.
Accidentals KeyAccidentals(MusicalKey key);

// A chord name moved by semitones and spelled as accidentals say. Text labels
// and names that are no chord come back as written.
QString MoveChordName(const QString& name, int semitones, Accidentals accidentals);

// Semitones up from a song's key to a target key. A target of the other mode
// stands for its relative key (G for a song in a minor key means E minor), so
// the song keeps its mode and takes the target's signature.
int SemitonesToKey(MusicalKey from, MusicalKey target);

} // namespace lvx::music
