#include "pianosearch.h"

#include "chordsearch.h"
#include "chordtypetable.h"
#include "notetables.h"

#include "base/text.h"

#include <QStringView>

namespace lvx::music {

namespace {

constexpr QStringView WhiteLetters = u"CDEFGAB";
// Three characters a syllable, as the captions were always cut from it.
constexpr QStringView WhiteSyllables = u"Do Re Mi Fa SolLa Si ";
constexpr int SyllableWidth = 3;
// Where the white keys of one octave sit among its twelve keys.
constexpr std::array<int, 7> WhiteOffsets{0, 2, 4, 5, 7, 9, 11};

} // namespace

bool isBlackKey(int key)
{
    const int pitch = ((key % 12) + 12) % 12;
    return !SolfegeNotes.at(size_t(pitch)).natural;
}

int whiteKeyIndex(int whiteIndex)
{
    return (whiteIndex / 7) * 12 + WhiteOffsets.at(size_t(((whiteIndex % 7) + 7) % 7));
}

QString whiteKeyCaption(int whiteIndex, const QString& notation)
{
    const int note = ((whiteIndex % 7) + 7) % 7;
    if (isLetterNotation(notation))
        return WhiteLetters.mid(note, 1).toString();
    return trimBlanks(WhiteSyllables.mid(note * SyllableWidth, SyllableWidth));
}

QString pianoChordName(const ChordTypeTable& table, const PianoKeys& pressed, const QString& notation)
{
    PitchSet pitches;
    int bass = -1;
    for (int key = 0; key < PianoSearchKeys; ++key) {
        if (!pressed.at(size_t(key)))
            continue;
        pitches.set(size_t(key % 12));
        if (bass < 0)
            bass = key % 12;
    }
    // No key is no chord, even for a chord type that lists no interval at all.
    if (bass < 0)
        return {};
    return chordTypeSearch(table, pitches, bass, notation);
}

QString pianoChordCaption(const ChordTypeTable& table, const PianoKeys& pressed, const QString& notation)
{
    const QString name = pianoChordName(table, pressed, notation);
    return name.isEmpty() ? QStringLiteral("Chord not found") : name;
}

} // namespace lvx::music
