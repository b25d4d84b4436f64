#include "guitarchord.h"

#include "chordsymbol.h"
#include "notetables.h"

namespace lvx::music {

namespace {

const GuitarChordDef* findByName(const QList<GuitarChordDef>& dictionary, const QString& name)
{
    for (const GuitarChordDef& def : dictionary) {
        if (def.name == name)
            return &def;
    }
    return nullptr;
}

bool lowStringSounds(const GuitarChordDef& def, int pitchClass)
{
    for (int string = 6; string >= 4; --string) {
        const int pitch = def.stringPitch(string);
        if (pitch >= 0 && pitch % 12 == pitchClass)
            return true;
    }
    return false;
}

// The plain chord under a slash chord, accepted only when it can sound the bass low.
const GuitarChordDef* findWithoutBass(const QList<GuitarChordDef>& dictionary, const ChordSymbol& chord,
                                      const QString& plainName)
{
    const GuitarChordDef* def = findByName(dictionary, plainName);
    return def != nullptr && lowStringSounds(*def, chord.bass) ? def : nullptr;
}

} // namespace

int GuitarChordDef::stringPitch(int string) const
{
    if (string < 1 || string > GuitarStrings || frets[string] < 0)
        return -1;
    return OpenStringPitches[string] + qMax<int>(baseFret, 0) + frets[string];
}

QString ChordDefToText(const GuitarChordDef& def)
{
    QString text = def.name;
    for (int string = 6; string >= 1; --string)
        text += u' ' + QString::number(def.frets[string]);
    return text + u' ' + QString::number(def.baseFret + 1);
}

QList<int> fingeringNotes(const GuitarChordDef& def)
{
    QList<int> notes;
    for (int string = 6; string >= 1; --string) {
        const int pitch = def.stringPitch(string);
        if (pitch >= 0)
            notes.append(pitch);
    }
    return notes;
}

QString fingeringCaption(const QString& name, const QString& notation)
{
    const ChordSymbol chord = ParseChord(name);
    if (chord.tone < 0 || chord.bass < 0)
        return name;
    return FormatChord(chord, notation);
}

FingeringMatch findFingering(const ChordSymbol& chord, const QList<GuitarChordDef>& song,
                             const QList<GuitarChordDef>& global)
{
    if (chord.tone < 0 || chord.bass < 0)
        return {};
    return findFingering(chord, fingeringNames(chord), song, global);
}

FingeringNames fingeringNames(const ChordSymbol& chord)
{
    FingeringNames names{FormatChord(chord, QStringLiteral("C")), {}};
    if (chord.bass != chord.tone) {
        ChordSymbol plain = chord;
        plain.bass = plain.tone;
        plain.bassSharp = plain.toneSharp;
        names.plain = FormatChord(plain, QStringLiteral("C"));
    }
    return names;
}

FingeringMatch findFingering(const ChordSymbol& chord, const FingeringNames& names, const QList<GuitarChordDef>& song,
                             const QList<GuitarChordDef>& global)
{
    if (chord.tone < 0 || chord.bass < 0)
        return {};
    const std::pair<const QList<GuitarChordDef>*, FingeringSource> dictionaries[] = {
        {&song, FingeringSource::Song}, {&global, FingeringSource::Global}};
    for (const auto& [dictionary, source] : dictionaries) {
        if (const GuitarChordDef* def = findByName(*dictionary, names.name))
            return {def, source};
        if (!names.plain.isNull()) {
            if (const GuitarChordDef* def = findWithoutBass(*dictionary, chord, names.plain))
                return {def, source};
        }
    }
    return {};
}

} // namespace lvx::music
