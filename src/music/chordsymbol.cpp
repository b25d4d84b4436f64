#include "chordsymbol.h"

#include "notetables.h"

#include "base/numbers.h"
#include "base/text.h"

#include <optional>

namespace lvx::music {

namespace {

struct FoundNote
{
    qint16 pitch;
    bool sharp;
};

// The first occurrence anywhere in the letter table counts, and its offset is
// halved with the half going to the even entry. A padded tonic ("C ", "Db") can
// only match a whole entry, but an unpadded bass can land between two: "b" is
// found inside "Db" and reads as the entry after it. An empty text matches at the
// start, so a name ending in "/" has the bass C.
std::optional<FoundNote> lookUpNote(QStringView text)
{
    const qsizetype offset = LetterTable.indexOf(text);
    if (offset < 0)
        return std::nullopt;
    const int entry = int(roundHalfEven(double(offset) / LetterEntryWidth));
    return FoundNote{qint16(entry % 12), entry < 12};
}

// C6/9 has a single slash with no note after it, so the 6/9 stays whole; with a
// second slash (C6/9/E) the bass is whatever follows that one.
qsizetype bassSlashIndex(QStringView name)
{
    const qsizetype first = name.indexOf(u'/');
    if (first < 0)
        return -1;
    const qsizetype second = name.indexOf(u'/', first + 1);
    return second >= 0 ? second : first;
}

// An "M" in front always means major, so M7 reads maj7 and nothing at all reads maj.
QString readMode(const QString& written)
{
    QString mode = trimBlanks(written).isEmpty() ? QStringLiteral("M") : written;
    if (mode.startsWith(u'M'))
        mode.replace(0, 1, QStringLiteral("maj"));
    return mode;
}

int rowOf(bool sharp)
{
    return sharp ? SharpRow : FlatRow;
}

QString formatInRows(const ChordSymbol& chord, const QString& notation, int toneRow, int bassRow)
{
    QString result = NoteName(chord.tone, notation, toneRow);
    if (chord.mode != u"maj") {
        // A type that starts with "#" or "b" after a natural note would read back
        // as part of the note (A and "#m7b5" are A#m7b5): a blank keeps them apart.
        const bool natural = !result.endsWith(u'#') && !result.endsWith(u'b');
        if (natural && (chord.mode.startsWith(u'#') || chord.mode.startsWith(u'b')))
            result += u' ';
        result += chord.mode;
    }
    if (chord.bass != chord.tone)
        result += QChar(u'/') + NoteName(chord.bass, notation, bassRow);
    return result;
}

qint16 shiftPitch(qint16 pitch, int semitones)
{
    // Reduce first so that no semitone count can overflow.
    return qint16(((pitch + semitones % 12) % 12 + 12) % 12);
}

} // namespace

ChordSymbol ParseChord(const QString& name)
{
    ChordSymbol chord;
    QString rest = trimBlanks(name);

    bool hasBass = false;
    const qsizetype slashIndex = bassSlashIndex(rest);
    if (slashIndex >= 0) {
        if (const auto bass = lookUpNote(trimBlanks(QStringView(rest).mid(slashIndex + 1)))) {
            chord.bass = bass->pitch;
            chord.bassSharp = bass->sharp;
            rest.truncate(slashIndex);
            hasBass = true;
        }
    }

    const bool accidental = rest.size() >= 2 && (rest[1] == u'#' || rest[1] == u'b');
    const qsizetype tonicLength = accidental ? 2 : 1;
    chord.mode = readMode(rest.mid(tonicLength));

    // Nothing before the bass ("/E", or an empty name) is no chord, although the
    // padded empty tonic " " would be found in the table.
    if (rest.isEmpty())
        return chord;
    const QString tonic = accidental ? rest.left(2) : rest.left(1) + QChar(u' ');
    if (const auto note = lookUpNote(tonic)) {
        chord.tone = note->pitch;
        chord.toneSharp = note->sharp;
        if (!hasBass) {
            chord.bass = chord.tone;
            chord.bassSharp = chord.toneSharp;
        }
    }
    return chord;
}

QString NoteName(int pitch, const QString& notation, int row)
{
    if (pitch < 0 || pitch > 11 || row < SharpRow || row > MixedRow)
        return {};
    const bool letters = isLetterNotation(notation);
    const QStringView table = letters ? LetterTable : SolfegeTable;
    const int width = letters ? LetterEntryWidth : SolfegeEntryWidth;
    return trimBlanks(table.mid((row * 12 + pitch) * width, width));
}

QString FormatChord(const ChordSymbol& chord, const QString& notation)
{
    return formatInRows(chord, notation, rowOf(chord.toneSharp), rowOf(chord.bassSharp));
}

void TransposeChord(ChordSymbol& chord, int semitones)
{
    if (chord.tone == -1 || chord.bass == -1)
        return;
    chord.tone = shiftPitch(chord.tone, semitones);
    chord.bass = shiftPitch(chord.bass, semitones);
    // A moved chord is spelled the common way (C# Eb F# G# Bb); the flags are kept
    // so that a later FormatChord still spells it the way the song did.
    const bool moved = semitones != 0;
    const int toneRow = moved ? MixedRow : rowOf(chord.toneSharp);
    const int bassRow = moved ? MixedRow : rowOf(chord.bassSharp);
    chord.text = formatInRows(chord, QStringLiteral("C"), toneRow, bassRow);
}

bool isTextLabel(const QString& label)
{
    return label.startsWith(u'\'');
}

} // namespace lvx::music
