#include "music/chordsymbol.h"
#include "music/notetables.h"
#include "music/solfege.h"

#include "testmain.h"

#include <QTest>

#include <limits>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

const QString Letters = u"C"_s;
const QString Solfege = u"Do"_s;

// Thirty chord types as users write them. None starts with "b" or "#", which
// would be read as part of the tonic.
const QStringList ChordTypes{
    u""_s,     u"m"_s,     u"7"_s,      u"m7"_s,   u"maj7"_s,  u"M7"_s,   u"M"_s,    u"6"_s,
    u"m6"_s,   u"6/9"_s,   u"9"_s,      u"m9"_s,   u"maj9"_s,  u"11"_s,   u"13"_s,   u"sus2"_s,
    u"sus4"_s, u"7sus4"_s, u"dim"_s,    u"dim7"_s, u"aug"_s,   u"+"_s,    u"m7b5"_s, u"7b9"_s,
    u"7#9"_s,  u"add9"_s,  u"madd9"_s,  u"5"_s,    u"mmaj7"_s, u"7#11"_s,
};

// Every spelling the letter table knows: naturals and sharps, then the flats.
QStringList noteSpellings()
{
    QStringList spellings;
    for (int row : {SharpRow, FlatRow}) {
        for (int pitch = 0; pitch < 12; ++pitch) {
            const QString name = NoteName(pitch, Letters, row);
            if (!spellings.contains(name))
                spellings.append(name);
        }
    }
    return spellings;
}

bool sameChord(const ChordSymbol& a, const ChordSymbol& b)
{
    return a.tone == b.tone && a.toneSharp == b.toneSharp && a.bass == b.bass && a.bassSharp == b.bassSharp
        && a.mode == b.mode;
}

// A bass on the tonic's pitch is not shown, so its own spelling cannot come back
// (C#/Db shows as C#).
bool readsTheSame(const ChordSymbol& shown, const ChordSymbol& chord)
{
    return shown.tone == chord.tone && shown.toneSharp == chord.toneSharp && shown.bass == chord.bass
        && shown.mode == chord.mode && (chord.bass == chord.tone || shown.bassSharp == chord.bassSharp);
}

} // namespace

class ChordSymbolTest final : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
    void noteName_data();
    void noteName();
    void formatReadsBack_data();
    void formatReadsBack();
    void transpose_data();
    void transpose();
    void transposeThereAndBack();
    void badInput_data();
    void badInput();
};

void ChordSymbolTest::parse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tone");
    QTest::addColumn<bool>("toneSharp");
    QTest::addColumn<int>("bass");
    QTest::addColumn<bool>("bassSharp");
    QTest::addColumn<QString>("mode");

    QTest::addRow("sharp tonic, minor seventh, sharp bass") << u"C#m7/G#"_s << 1 << true << 8 << true << u"m7"_s;
    QTest::addRow("without bass the bass is the tonic") << u"Ebmaj7"_s << 3 << false << 3 << false << u"maj7"_s;
    QTest::addRow("natural tonic counts as sharp spelling") << u"Am"_s << 9 << true << 9 << true << u"m"_s;
    QTest::addRow("plain major reads maj") << u"C"_s << 0 << true << 0 << true << u"maj"_s;
    QTest::addRow("lone capital M is major") << u"CM"_s << 0 << true << 0 << true << u"maj"_s;
    QTest::addRow("capital M becomes maj") << u"CM7"_s << 0 << true << 0 << true << u"maj7"_s;
    QTest::addRow("capital M is rewritten whatever follows") << u"CMaj7"_s << 0 << true << 0 << true << u"majaj7"_s;
    QTest::addRow("one slash with no note after it stays in the mode") << u"C6/9"_s << 0 << true << 0 << true << u"6/9"_s;
    QTest::addRow("second slash separates the bass") << u"C6/9/E"_s << 0 << true << 4 << true << u"6/9"_s;
    QTest::addRow("third slash is no separator") << u"A/B/C/D"_s << 9 << true << 9 << true << u"/B/C/D"_s;
    QTest::addRow("unknown bass stays in the mode") << u"C/H"_s << 0 << true << 0 << true << u"/H"_s;
    QTest::addRow("bare slash reads the bass C") << u"C/"_s << 0 << true << 0 << true << u"maj"_s;
    QTest::addRow("bare slash under another tonic is still C") << u"D/"_s << 2 << true << 0 << true << u"maj"_s;
    QTest::addRow("flat tonic over flat bass") << u"Db/Ab"_s << 1 << false << 8 << false << u"maj"_s;
    QTest::addRow("bass equal to the tonic") << u"C/C"_s << 0 << true << 0 << true << u"maj"_s;
    QTest::addRow("one-letter bass matches its sharp-row entry") << u"Am/G"_s << 9 << true << 7 << true << u"m"_s;
    QTest::addRow("flat bass keeps the flat spelling") << u"F/Eb"_s << 5 << true << 3 << false << u"maj"_s;
    QTest::addRow("blanks around the name are ignored") << u"  G7  "_s << 7 << true << 7 << true << u"7"_s;
    QTest::addRow("blanks around the bass are ignored") << u"G/ B "_s << 7 << true << 11 << true << u"maj"_s;
    QTest::addRow("bass between entries rounds half to even, up") << u"C/#E"_s << 0 << true << 4 << true << u"maj"_s;
    QTest::addRow("bass between entries rounds half to even, down") << u"C/#G"_s << 0 << true << 6 << true << u"maj"_s;
    QTest::addRow("lower-case b bass is found inside Db") << u"C/b"_s << 0 << true << 2 << false << u"maj"_s;
    QTest::addRow("no-chord mark has no tonic") << u"N.C."_s << -1 << false << -1 << false << u".C."_s;
    QTest::addRow("x has no tonic") << u"x"_s << -1 << false << -1 << false << u"maj"_s;
    QTest::addRow("lower-case tonic is no note") << u"cm"_s << -1 << false << -1 << false << u"m"_s;
    QTest::addRow("Cb is not in the table") << u"Cb"_s << -1 << false << -1 << false << u"maj"_s;
    QTest::addRow("E# is not in the table") << u"E#m"_s << -1 << false << -1 << false << u"m"_s;
    QTest::addRow("empty name has no tonic") << QString() << -1 << false << -1 << false << u"maj"_s;
    QTest::addRow("bass alone has no tonic but keeps its bass") << u"/E"_s << -1 << false << 4 << true << u"maj"_s;
    QTest::addRow("unknown tonic keeps a found bass") << u"x/Bb"_s << -1 << false << 10 << false << u"maj"_s;
}

void ChordSymbolTest::parse()
{
    QFETCH(QString, name);
    QFETCH(int, tone);
    QFETCH(bool, toneSharp);
    QFETCH(int, bass);
    QFETCH(bool, bassSharp);
    QFETCH(QString, mode);

    const ChordSymbol chord = ParseChord(name);
    QCOMPARE(chord.tone, tone);
    QCOMPARE(chord.toneSharp, toneSharp);
    QCOMPARE(chord.bass, bass);
    QCOMPARE(chord.bassSharp, bassSharp);
    QCOMPARE(chord.mode, mode);
    QVERIFY(chord.text.isEmpty());
}

void ChordSymbolTest::format_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("formatted");

    QTest::addRow("plain major shows no mode") << u"C"_s << Letters << u"C"_s;
    QTest::addRow("capital M shows as plain major") << u"CM"_s << Letters << u"C"_s;
    QTest::addRow("capital M seventh shows as maj7") << u"CM7"_s << Letters << u"Cmaj7"_s;
    QTest::addRow("flat spellings are kept") << u"Db/Ab"_s << Letters << u"Db/Ab"_s;
    QTest::addRow("bass equal to the tonic is not shown") << u"C/C"_s << Letters << u"C"_s;
    QTest::addRow("bare slash vanishes") << u"C/"_s << Letters << u"C"_s;
    QTest::addRow("slash inside the mode stays") << u"C6/9"_s << Letters << u"C6/9"_s;
    QTest::addRow("slash in the mode and a bass") << u"C6/9/E"_s << Letters << u"C6/9/E"_s;
    QTest::addRow("blanks around the bass are dropped") << u"G/ B "_s << Letters << u"G/B"_s;
    QTest::addRow("solfege tonic and bass") << u"C#m7/G#"_s << Solfege << u"Do#m7/Sol#"_s;
    QTest::addRow("solfege flat") << u"Ebmaj7"_s << Solfege << u"Mibmaj7"_s;
    QTest::addRow("four-letter solfege name") << u"Gb7"_s << Solfege << u"Solb7"_s;
    QTest::addRow("mode text is never translated") << u"Am"_s << Solfege << u"Lam"_s;
    QTest::addRow("any notation but C is solfege") << u"D"_s << u"X"_s << u"Re"_s;
    QTest::addRow("notation c in lower case is solfege") << u"D"_s << u"c"_s << u"Re"_s;
}

void ChordSymbolTest::format()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QFETCH(QString, formatted);
    QCOMPARE(FormatChord(ParseChord(name), notation), formatted);
}

void ChordSymbolTest::noteName_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");

    QTest::addRow("one-letter name loses its padding") << 0 << Letters << SharpRow << u"C"_s;
    QTest::addRow("sharp row") << 1 << Letters << SharpRow << u"C#"_s;
    QTest::addRow("flat row") << 1 << Letters << FlatRow << u"Db"_s;
    QTest::addRow("mixed row has Eb") << 3 << Letters << MixedRow << u"Eb"_s;
    QTest::addRow("mixed row has Bb") << 10 << Letters << MixedRow << u"Bb"_s;
    QTest::addRow("solfege sol") << 7 << Solfege << SharpRow << u"Sol"_s;
    QTest::addRow("solfege entry filling its width") << 6 << Solfege << FlatRow << u"Solb"_s;
    QTest::addRow("solfege mixed row") << 10 << Solfege << MixedRow << u"Sib"_s;
    QTest::addRow("pitch past B is no note") << 12 << Letters << SharpRow << QString();
    QTest::addRow("no note") << -1 << Letters << SharpRow << QString();
    QTest::addRow("row past the table") << 0 << Solfege << 3 << QString();
}

void ChordSymbolTest::noteName()
{
    QFETCH(int, pitch);
    QFETCH(QString, notation);
    QFETCH(int, row);
    QFETCH(QString, name);
    QCOMPARE(NoteName(pitch, notation, row), name);
}

void ChordSymbolTest::formatReadsBack_data()
{
    QTest::addColumn<QString>("type");
    for (const QString& type : ChordTypes)
        QTest::addRow("type '%s'", qPrintable(type)) << type;
}

// Whatever is shown can be read again as the same chord, in letters directly and
// in solfege through the typing conversion, for every tonic and bass spelling.
void ChordSymbolTest::formatReadsBack()
{
    QFETCH(QString, type);
    const QStringList notes = noteSpellings();
    QCOMPARE(notes.size(), 17);
    for (const QString& tonic : notes) {
        QStringList names{tonic + type};
        for (const QString& bass : notes)
            names.append(tonic + type + u'/' + bass);
        for (const QString& name : std::as_const(names)) {
            const ChordSymbol chord = ParseChord(name);
            QVERIFY2(chord.tone >= 0 && chord.bass >= 0, qPrintable(name));
            const QString shown = FormatChord(chord, Letters);
            QVERIFY2(readsTheSame(ParseChord(shown), chord), qPrintable(name + u" shown as " + shown));
            // A slash in the type is taken for the bass separator when typing solfege.
            if (type.contains(u'/'))
                continue;
            const QString typed = SolfegeToLetters(FormatChord(chord, Solfege), Solfege);
            QVERIFY2(readsTheSame(ParseChord(typed), chord), qPrintable(name + u" typed back as " + typed));
        }
    }
}

void ChordSymbolTest::transpose_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("semitones");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("bass");
    QTest::addColumn<QString>("text");

    QTest::addRow("moved chord is spelled C# Eb F# G# Bb") << u"C#m7/G#"_s << 2 << 3 << 10 << u"Ebm7/Bb"_s;
    QTest::addRow("flat chord moved up is spelled the same way") << u"Db/Ab"_s << 5 << 6 << 1 << u"F#/C#"_s;
    QTest::addRow("zero keeps the chord's own spelling") << u"Db/Ab"_s << 0 << 1 << 8 << u"Db/Ab"_s;
    QTest::addRow("a full octave still respells") << u"Db"_s << 12 << 1 << 1 << u"C#"_s;
    QTest::addRow("down past C wraps to B") << u"C7"_s << -1 << 11 << 11 << u"B7"_s;
    QTest::addRow("more than an octave up") << u"C"_s << 25 << 1 << 1 << u"C#"_s;
    QTest::addRow("more than an octave down") << u"C"_s << -25 << 11 << 11 << u"B"_s;
    QTest::addRow("largest count does not overflow") << u"C"_s << std::numeric_limits<int>::max() << 7 << 7 << u"G"_s;
    QTest::addRow("smallest count does not overflow") << u"C"_s << std::numeric_limits<int>::min() << 4 << 4 << u"E"_s;
    QTest::addRow("a type that starts with a sharp stays apart from the note")
        << u"F##m7b5"_s << 3 << 9 << 9 << u"A #m7b5"_s;
    QTest::addRow("chord without tonic is left alone") << u"N.C."_s << 3 << -1 << -1 << QString();
    QTest::addRow("bass without tonic is left alone") << u"/E"_s << 3 << -1 << 4 << QString();
}

void ChordSymbolTest::transpose()
{
    QFETCH(QString, name);
    QFETCH(int, semitones);
    QFETCH(int, tone);
    QFETCH(int, bass);
    QFETCH(QString, text);

    ChordSymbol chord = ParseChord(name);
    const ChordSymbol before = chord;
    TransposeChord(chord, semitones);
    QCOMPARE(chord.tone, tone);
    QCOMPARE(chord.bass, bass);
    QCOMPARE(chord.text, text);
    // The song keeps its spelling: formatting again uses the flags, not the text.
    QCOMPARE(chord.toneSharp, before.toneSharp);
    QCOMPARE(chord.bassSharp, before.bassSharp);
    QCOMPARE(chord.mode, before.mode);
}

void ChordSymbolTest::transposeThereAndBack()
{
    const QStringList notes = noteSpellings();
    for (int semitones = -12; semitones <= 12; ++semitones) {
        for (const QString& tonic : notes) {
            for (const QString& bass : notes) {
                const ChordSymbol original = ParseChord(tonic + u"m7/" + bass);
                ChordSymbol chord = original;
                TransposeChord(chord, semitones);
                QVERIFY(chord.tone >= 0 && chord.tone <= 11);
                QVERIFY(chord.bass >= 0 && chord.bass <= 11);
                QCOMPARE((chord.bass - chord.tone + 12) % 12, (original.bass - original.tone + 12) % 12);
                TransposeChord(chord, -semitones);
                QVERIFY2(sameChord(chord, original), qPrintable(tonic + u"m7/" + bass + u" by " + QString::number(semitones)));
            }
        }
    }
}

void ChordSymbolTest::badInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tone");

    QTest::addRow("empty") << QString() << -1;
    QTest::addRow("10000 letters") << QString(10000, u'x') << -1;
    QTest::addRow("chord with a 10000-character mode") << u"C"_s + QString(9999, u'7') << 0;
    QTest::addRow("10000 slashes") << QString(10000, u'/') << -1;
    QTest::addRow("control characters") << u"\x01\x02\x1b"_s << -1;
    QTest::addRow("tab is no blank") << u"\tC"_s << -1;
    QTest::addRow("accented letter") << u"Ém"_s << -1;
    QTest::addRow("fullwidth C") << u"Ｃ7"_s << -1;
    QTest::addRow("Cyrillic Es looks like C") << u"С7"_s << -1;
    QTest::addRow("character outside the basic plane") << u"𝄞/E"_s << -1;
    QTest::addRow("non-ASCII bass stays in the mode") << u"G/Ħ"_s << 7;
}

void ChordSymbolTest::badInput()
{
    QFETCH(QString, name);
    QFETCH(int, tone);

    ChordSymbol chord = ParseChord(name);
    QCOMPARE(chord.tone, tone);
    // Callers show and move whatever they get; none of it may fail.
    FormatChord(chord, Letters);
    FormatChord(chord, Solfege);
    TransposeChord(chord, 7);
    if (tone >= 0)
        QCOMPARE(chord.tone, (tone + 7) % 12);
}

LIRAVOX_TEST_MAIN(ChordSymbolTest)
#include "chordsymbol_test.moc"
