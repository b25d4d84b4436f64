#include "keys.h"

#include "chordsymbol.h"

#include "base/text.h"

namespace lvx::music {

namespace {

constexpr int RelativeMinorOffset = 9;   // A minor shares C major's signature

} // namespace

const std::array<KeyRow, 24> KeyTable{{
    {u"C", {0, false}, Accidentals::Own},      {u"Db", {1, false}, Accidentals::Flats},
    {u"D", {2, false}, Accidentals::Sharps},   {u"Eb", {3, false}, Accidentals::Flats},
    {u"E", {4, false}, Accidentals::Sharps},   {u"F", {5, false}, Accidentals::Flats},
    {u"F#", {6, false}, Accidentals::Sharps},  {u"G", {7, false}, Accidentals::Sharps},
    {u"Ab", {8, false}, Accidentals::Flats},   {u"A", {9, false}, Accidentals::Sharps},
    {u"Bb", {10, false}, Accidentals::Flats},  {u"B", {11, false}, Accidentals::Sharps},
    {u"Cm", {0, true}, Accidentals::Flats},    {u"C#m", {1, true}, Accidentals::Sharps},
    {u"Dm", {2, true}, Accidentals::Flats},    {u"Ebm", {3, true}, Accidentals::Flats},
    {u"Em", {4, true}, Accidentals::Sharps},   {u"Fm", {5, true}, Accidentals::Flats},
    {u"F#m", {6, true}, Accidentals::Sharps},  {u"Gm", {7, true}, Accidentals::Flats},
    {u"G#m", {8, true}, Accidentals::Sharps},  {u"Am", {9, true}, Accidentals::Own},
    {u"Bbm", {10, true}, Accidentals::Flats},  {u"Bm", {11, true}, Accidentals::Sharps},
}};

std::optional<MusicalKey> ParseKey(const QString& name)
{
    const ChordSymbol symbol = ParseChord(name);
    if (symbol.tone < 0 || symbol.bass != symbol.tone || (symbol.mode != u"maj" && symbol.mode != u"m"))
        return std::nullopt;
    return MusicalKey{symbol.tone, symbol.mode == u"m"};
}

Accidentals KeyAccidentals(const QString& name)
{
    const QString written = trimBlanks(name);
    for (const KeyRow& row : KeyTable) {
        if (row.name == written)
            return row.accidentals;
    }
    if (written.size() >= 2 && written[1] == u'b')
        return Accidentals::Flats;
    if (written.size() >= 2 && written[1] == u'#')
        return Accidentals::Sharps;
    // A natural key the table has not (a minor written "Amin" reads as no key
    // anyway): the signature of the same key in the table.
    if (const std::optional<MusicalKey> key = ParseKey(written))
        return KeyAccidentals(*key);
    return Accidentals::Own;
}

Accidentals KeyAccidentals(MusicalKey key)
{
    for (const KeyRow& row : KeyTable) {
        if (row.key == key)
            return row.accidentals;
    }
    return Accidentals::Own;
}

QString MoveChordName(const QString& name, int semitones, Accidentals accidentals)
{
    if (isTextLabel(name))
        return name;
    ChordSymbol symbol = ParseChord(name);
    if (symbol.tone < 0 || symbol.bass < 0)
        return name;
    TransposeChord(symbol, semitones);
    if (accidentals != Accidentals::Own) {
        symbol.toneSharp = accidentals == Accidentals::Sharps;
        symbol.bassSharp = symbol.toneSharp;
    }
    return FormatChord(symbol, QStringLiteral("C"));
}

int SemitonesToKey(MusicalKey from, MusicalKey target)
{
    int pitch = target.pitch;
    if (target.minor != from.minor)
        pitch += from.minor ? RelativeMinorOffset : 12 - RelativeMinorOffset;
    return ((pitch - from.pitch) % 12 + 12) % 12;
}

} // namespace lvx::music
