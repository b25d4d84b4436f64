#include "music/chordsymbol.h"
#include "music/mergechordline.h"
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

// Chord types as users write them. None starts with "b" or "#", which would be
// read as part of the tonic.
const QStringList ChordTypes{u""_s,   u"m"_s,    u"7"_s,    u"m7"_s,   u"maj7"_s, u"M7"_s,   u"6/9"_s, u"sus4"_s,
                             u"dim"_s, u"aug"_s, u"+"_s,    u"m7b5"_s, u"7#9"_s,  u"add9"_s, u"5"_s};

// Every spelling the letter table knows: naturals and sharps, then the flats.
QStringList noteSpellings()
{
    QStringList spellings;
    for (int row : {SharpRow, FlatRow}) {
        for (int pitch = 0; pitch < 12; ++pitch) {
            if (const QString name = NoteName(pitch, Letters, row); !spellings.contains(name))
                spellings.append(name);
        }
    }
    return spellings;
}

// "tone spelling / bass spelling mode", '#' for the sharp spelling, 'b' for the flat.
QString described(const ChordSymbol& chord)
{
    const auto spelling = [](bool sharp) { return sharp ? u"#"_s : u"b"_s; };
    return QString::number(chord.tone) + spelling(chord.toneSharp) + u'/' + QString::number(chord.bass)
         + spelling(chord.bassSharp) + u' ' + chord.mode;
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
    void formatReadsBack_data();
    void formatReadsBack();
    void transpose_data();
    void transpose();
    void transposeThereAndBack();
    void badInput_data();
    void badInput();
    void toLetters_data();
    void toLetters();
    void mergeChordLine_data();
    void mergeChordLine();
};

void ChordSymbolTest::parse_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("chord");
    QTest::addRow("sharp tonic, minor seventh, sharp bass") << u"C#m7/G#"_s << u"1#/8# m7"_s;
    QTest::addRow("without bass the bass is the tonic") << u"Ebmaj7"_s << u"3b/3b maj7"_s;
    QTest::addRow("plain major reads maj") << u"C"_s << u"0#/0# maj"_s;
    QTest::addRow("one slash with no note after it stays in the mode") << u"C6/9"_s << u"0#/0# 6/9"_s;
    QTest::addRow("second slash separates the bass") << u"C6/9/E"_s << u"0#/4# 6/9"_s;
    QTest::addRow("third slash is no separator") << u"A/B/C/D"_s << u"9#/9# /B/C/D"_s;
    QTest::addRow("bare slash under another tonic reads the bass C") << u"D/"_s << u"2#/0# maj"_s;
    QTest::addRow("flat tonic over flat bass") << u"Db/Ab"_s << u"1b/8b maj"_s;
    QTest::addRow("blanks around the name and bass are ignored") << u"  G/ B "_s << u"7#/11# maj"_s;
    QTest::addRow("bass between entries rounds half to even, up") << u"C/#E"_s << u"0#/4# maj"_s;
    QTest::addRow("lower-case b bass is found inside Db") << u"C/b"_s << u"0#/2b maj"_s;
    QTest::addRow("no-chord mark has no tonic") << u"N.C."_s << u"-1b/-1b .C."_s;
    QTest::addRow("Cb is not in the table") << u"Cb"_s << u"-1b/-1b maj"_s;
    QTest::addRow("unknown tonic keeps a found bass") << u"x/Bb"_s << u"-1b/10b maj"_s;
}

void ChordSymbolTest::parse()
{
    QFETCH(QString, name);
    const ChordSymbol chord = ParseChord(name);
    QTEST(described(chord), "chord");
    QVERIFY(chord.text.isEmpty());
}

void ChordSymbolTest::format_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("formatted");
    QTest::addRow("plain major shows no mode") << u"C"_s << Letters << u"C"_s;
    QTest::addRow("capital M seventh shows as maj7") << u"CM7"_s << Letters << u"Cmaj7"_s;
    QTest::addRow("flat spellings are kept") << u"Db/Ab"_s << Letters << u"Db/Ab"_s;
    QTest::addRow("bass equal to the tonic is not shown") << u"C/C"_s << Letters << u"C"_s;
    QTest::addRow("slash in the mode and a bass") << u"C6/9/E"_s << Letters << u"C6/9/E"_s;
    QTest::addRow("solfege tonic and bass") << u"C#m7/G#"_s << Solfege << u"Do#m7/Sol#"_s;
    QTest::addRow("four-letter solfege name") << u"Gb7"_s << Solfege << u"Solb7"_s;
    QTest::addRow("mode text is never translated") << u"Am"_s << Solfege << u"Lam"_s;
    QTest::addRow("any notation but C is solfege") << u"D"_s << u"c"_s << u"Re"_s;
}

void ChordSymbolTest::format()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QTEST(FormatChord(ParseChord(name), notation), "formatted");
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
    QTest::addColumn<QString>("moved");   // tone/bass and the text shown
    QTest::addRow("moved chord is spelled C# Eb F# G# Bb") << u"C#m7/G#"_s << 2 << u"3/10 Ebm7/Bb"_s;
    QTest::addRow("flat chord moved up is spelled the same way") << u"Db/Ab"_s << 5 << u"6/1 F#/C#"_s;
    QTest::addRow("zero keeps the chord's own spelling") << u"Db/Ab"_s << 0 << u"1/8 Db/Ab"_s;
    QTest::addRow("a full octave still respells") << u"Db"_s << 12 << u"1/1 C#"_s;
    QTest::addRow("down past C wraps to B") << u"C7"_s << -1 << u"11/11 B7"_s;
    QTest::addRow("more than an octave down") << u"C"_s << -25 << u"11/11 B"_s;
    QTest::addRow("largest count does not overflow") << u"C"_s << std::numeric_limits<int>::max() << u"7/7 G"_s;
    QTest::addRow("smallest count does not overflow") << u"C"_s << std::numeric_limits<int>::min() << u"4/4 E"_s;
    QTest::addRow("a type that starts with a sharp stays apart from the note") << u"F##m7b5"_s << 3 << u"9/9 A #m7b5"_s;
    QTest::addRow("chord without tonic is left alone") << u"N.C."_s << 3 << u"-1/-1 "_s;
}

void ChordSymbolTest::transpose()
{
    QFETCH(QString, name);
    QFETCH(int, semitones);
    ChordSymbol chord = ParseChord(name);
    const ChordSymbol before = chord;
    TransposeChord(chord, semitones);
    QTEST(u"%1/%2 %3"_s.arg(chord.tone).arg(chord.bass).arg(chord.text), "moved");
    // The song keeps its spelling: formatting again uses the flags, not the text.
    chord.tone = before.tone;
    chord.bass = before.bass;
    QCOMPARE(described(chord), described(before));
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
                QVERIFY(chord.tone >= 0 && chord.tone <= 11 && chord.bass >= 0 && chord.bass <= 11);
                QCOMPARE((chord.bass - chord.tone + 12) % 12, (original.bass - original.tone + 12) % 12);
                TransposeChord(chord, -semitones);
                QCOMPARE(described(chord), described(original));
            }
        }
    }
}

void ChordSymbolTest::badInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tone");
    QTest::addRow("10000 letters") << QString(10000, u'x') << -1;
    QTest::addRow("chord with a 10000-character mode") << u"C"_s + QString(9999, u'7') << 0;
    QTest::addRow("tab is no blank") << u"\tC"_s << -1;
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
    QCOMPARE(chord.tone, tone >= 0 ? (tone + 7) % 12 : -1);
}

void ChordSymbolTest::toLetters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("letters");
    const QString solfege = u"Do"_s;
    QTest::addRow("chord and bass") << u"Sol7/Si"_s << solfege << u"G7/B"_s;
    QTest::addRow("text after the syllable is kept") << u"Sol#m7"_s << solfege << u"G#m7"_s;
    QTest::addRow("syllables ignore case") << u"sOL7/lA"_s << solfege << u"G7/A"_s;
    QTest::addRow("no syllable gives nothing") << u"Xy7"_s << solfege << QString();
    QTest::addRow("syllable must start at a syllable") << u"Ol7"_s << solfege << QString();
    QTest::addRow("only the first slash splits") << u"Do6/9"_s << solfege << u"C6"_s;
    QTest::addRow("bass without a syllable is dropped") << u"Re7/Xx"_s << solfege << u"D7"_s;
    QTest::addRow("empty bass is dropped") << u"Fa/"_s << solfege << u"F"_s;
    QTest::addRow("sol takes three characters, also spelled so") << u"So7"_s << solfege << u"G"_s;
    QTest::addRow("a lone first letter reads as its syllable") << u"R/S"_s << solfege << u"D/G"_s;
    QTest::addRow("any notation but C converts") << u"La/Do#"_s << u"X"_s << u"A/C#"_s;
    QTest::addRow("letter notation returns the name as typed") << u"Sol7/Si"_s << u"C"_s << u"Sol7/Si"_s;
}

void ChordSymbolTest::toLetters()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QTEST(SolfegeToLetters(name, notation), "letters");
    if (notation == u"Do")
        QTEST(solfegeChordToLetters(name), "letters");
}

void ChordSymbolTest::mergeChordLine_data()
{
    QTest::addColumn<QString>("chordLine");
    QTest::addColumn<QString>("lyricLine");
    QTest::addColumn<QString>("merged");
    QTest::addRow("chord goes before the lyric under its first letter")
        << u"G   D7"_s << u"Hello world"_s << u"[G]Hell[D7]o world"_s;
    QTest::addRow("leading blanks of the lyric stay") << u"  G"_s << u"  la la"_s << u"  [G]la la"_s;
    QTest::addRow("chords past the lyric keep their spacing")
        << u"C   G   Am"_s << u"Hi"_s << u"[C]Hi  [G]    [Am]"_s;
    QTest::addRow("chords over an empty lyric") << u"Am  G"_s << QString() << u"[Am]    [G]"_s;
    QTest::addRow("no chords leave the lyric") << QString() << u"Hello  "_s << u"Hello"_s;
    QTest::addRow("chord in the last column") << u"   E"_s << u"word"_s << u"wor[E]d"_s;

    const QString longLyric = u"abcdefghij"_s.repeated(30);
    QTest::addRow("lyric beyond the chord line and its padding is kept")
        << u"C"_s << longLyric << u"[C]"_s + longLyric;
    QTest::addRow("lyric beyond a late chord is kept")
        << QString(120, u' ') + u"F"_s << longLyric
        << longLyric.left(120) + u"[F]"_s + longLyric.mid(120);
}

void ChordSymbolTest::mergeChordLine()
{
    QFETCH(QString, chordLine);
    QFETCH(QString, lyricLine);
    QFETCH(QString, merged);
    QCOMPARE(MergeChordLine(chordLine, lyricLine), merged);
}

LIRAVOX_TEST_MAIN(ChordSymbolTest)
#include "chordsymbol_test.moc"
