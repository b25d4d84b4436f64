#include "music/chorddialogstate.h"
#include "music/chordsymbol.h"
#include "music/chordtypetable.h"
#include "music/computedfingering.h"
#include "music/fretboard.h"
#include "music/guitarchord.h"
#include "music/pianosearch.h"

#include "base/messages.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::chordType;

// Frets from string 6 down to string 1, as a chord line writes them.
GuitarChordDef fingering(std::array<qint16, 6> low6ToHigh1, qint16 baseFret = 0)
{
    return lvx::test::fingering(QString(), low6ToHigh1, baseFret);
}

const Modos Major = chordType(u"t"_s, {0, 4, 7});

// "p [s1 s2 s3 s4 s5 s6]" or "none".
QString shapeText(const std::optional<ComputedFingering>& shape)
{
    if (!shape)
        return u"none"_s;
    QStringList strings;
    for (int string = 1; string <= 6; ++string)
        strings.append(QString::number(shape->strings[string]));
    return QString::number(shape->baseFret) + u" ["_s + strings.join(u' ') + u']';
}

// Steps as the dialog's controls make them: "T4" clicks tone label 4, "B7" bass
// label 7, "K+" / "K-" ticks or clears the bass box by hand, "k+" switches the
// bass on as the dialog does itself, "M:m7" picks a type.
void applySteps(ChordDialogState& state, const QString& steps)
{
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QChar control = step.at(0);
        if (control == u'T')
            state.clickTone(step.mid(1).toInt());
        else if (control == u'B')
            state.clickBass(step.mid(1).toInt());
        else if (control == u'K' || control == u'k')
            state.setBassOn(step.at(1) == u'+', control == u'K');
        else if (control == u'M')
            state.setType(step.mid(2));
    }
}

// "6" before "m7": C6 and Am7 are the same four notes.
ChordTypeTable pianoTable()
{
    ChordTypeTable table;
    table.add(chordType(u"maj"_s, {0, 4, 7}));
    table.add(chordType(u"m"_s, {0, 3, 7}));
    table.add(chordType(u"aug"_s, {0, 4, 8}));
    table.add(chordType(u"6"_s, {0, 4, 7, 9}));
    table.add(chordType(u"m7"_s, {0, 3, 7, 10}));
    return table;
}

PianoKeys pressed(const QList<int>& keys)
{
    PianoKeys result{};
    for (int key : keys)
        result.at(size_t(key)) = true;
    return result;
}

} // namespace

class FretboardTest final : public QObject
{
    Q_OBJECT

private slots:
    void readsFingeringName_data();
    void readsFingeringName();
    void namesFingering_data();
    void namesFingering();
    void clickSoundsOneNote_data();
    void clickSoundsOneNote();
    void describesFingering();
    void listCaption_data();
    void listCaption();
    void computedShapes_data();
    void computedShapes();
    void decodesLabel_data();
    void decodesLabel();
    void clicksBuildName_data();
    void clicksBuildName();
    void chordVal_data();
    void chordVal();
    void namesPressedKeys_data();
    void namesPressedKeys();
};

void FretboardTest::readsFingeringName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("state");   // type, bass ticked or not, and the name Close writes back unchanged

    const QStringList invalidTone{u"Invalid Tone, assume C "_s};
    const QStringList invalidBass{u"Invalid Bass Tone, assume Tonic"_s};
    QTest::addRow("plain major shows the type maj") << u"C"_s << QStringList{} << u"maj off C"_s;
    QTest::addRow("sharp tone with bass") << u"F#m/C#"_s << QStringList{} << u"m on F#m/C#"_s;
    QTest::addRow("no note letter edits a C chord of the rest") << u"xm7"_s << invalidTone << u"m7 off Cm7"_s;
    QTest::addRow("a new chord's name from the list editor reads as C with the rest")
        << u"NewChord"_s << invalidTone << u"ewChord off CewChord"_s;
    QTest::addRow("a bass that is no note falls back to the tone") << u"G/x"_s << invalidBass << u"maj on G"_s;
    QTest::addRow("a trailing slash names no bass") << u"Am/"_s << QStringList{} << u"m off Am"_s;
    QTest::addRow("the first slash always starts the bass") << u"C6/9"_s << invalidBass << u"6 on C6"_s;
    QTest::addRow("a bass on the tone's pitch is dropped") << u"C/B#"_s << QStringList{} << u"maj on C"_s;
}

void FretboardTest::readsFingeringName()
{
    QFETCH(QString, name);
    lvx::RecordingMessages shown;
    const ChordDialogState state = decodeFingeringName(name, shown);
    QTEST(shown.texts(), "messages");
    QVERIFY(!state.textLabel);
    QTEST(QString(state.type + (state.bassOn ? u" on "_s : u" off "_s) + state.ChordName()), "state");
}

void FretboardTest::namesFingering_data()
{
    QTest::addColumn<GuitarChordDef>("def");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("name");
    QTest::addRow("open C shape") << fingering({-1, 3, 2, 0, 1, 0}) << u"C"_s << u"Cmaj"_s;
    QTest::addRow("the base fret moves every string") << fingering({-1, 0, 2, 2, 2, 0}, 2) << u"C"_s << u"Bmaj"_s;
    QTest::addRow("solfege names") << fingering({3, 2, 0, 0, 0, 1}) << u"Do"_s << u"Sol7"_s;
    QTest::addRow("a set no type fits") << fingering({0, 1, -1, -1, -1, -1}) << u"C"_s << QString();
    QTest::addRow("every string muted names nothing") << fingering({-1, -1, -1, -1, -1, -1}) << u"C"_s << QString();
}

void FretboardTest::namesFingering()
{
    QFETCH(GuitarChordDef, def);
    QFETCH(QString, notation);
    ChordTypeTable table;
    table.add(chordType(u"empty"_s, {}));
    table.add(chordType(u"maj"_s, {0, 4, 7}));
    table.add(chordType(u"m"_s, {0, 3, 7}));
    table.add(chordType(u"7"_s, {0, 4, 7, 10}));
    QTEST(findChordName(table, def, notation), "name");
}

void FretboardTest::clickSoundsOneNote_data()
{
    QTest::addColumn<int>("baseFret");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("piano");
    QTest::addColumn<int>("note");
    QTest::addRow("open low E") << 0 << 6 << 1 << false << 40;
    QTest::addRow("the piano sounds an octave up") << 0 << 6 << 1 << true << 52;
    QTest::addRow("row and base fret add up") << 5 << 5 << 3 << false << 36 + 5 + 9 + 2;
}

void FretboardTest::clickSoundsOneNote()
{
    QFETCH(int, baseFret);
    QFETCH(int, string);
    QFETCH(int, row);
    QFETCH(bool, piano);
    QTEST(fretClickNote(baseFret, string, row, piano), "note");
}

void FretboardTest::describesFingering()
{
    QCOMPARE(defineText(fingering({-1, 3, 2, 0, 1, 0}, 2)), u"Fret:2   String1 .. String6:0 1 0 2 3 -1 "_s);
    // As a song's {chord} definition: strings from the low E, then the base fret counted from 1.
    QCOMPARE(ChordDefToText(lvx::test::fingering(u"C"_s, {-1, 3, 2, 0, 1, 0}, 2)), u"C -1 3 2 0 1 0 3"_s);
}

void FretboardTest::listCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("caption");
    QTest::addRow("solfege list shows solfege") << u"C#m7/G#"_s << u"Do"_s << u"Do#m7/Sol#"_s;
    QTest::addRow("an M type is spelled maj") << u"CM7"_s << u"C"_s << u"Cmaj7"_s;
    QTest::addRow("a name that is no chord stays as written") << u"NewChord"_s << u"C"_s << u"NewChord"_s;
}

void FretboardTest::listCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QTEST(fingeringCaption(name, notation), "caption");
}

void FretboardTest::decodesLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("state");   // "text", or tone, type and the bass ("off" when unticked)
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("result");  // OK without changes

    const QStringList none;
    const QStringList invalidChord{u"Invalid Chord, Assume Text Label"_s};
    QTest::addRow("a new chord is C major") << u""_s << u"C maj off"_s << none << u"C"_s;
    QTest::addRow("flat tone, type and bass") << u"Bb7/F"_s << u"Bb 7 F"_s << none << u"Bb7/F"_s;
    QTest::addRow("without a bass it follows the tone, off") << u"Ebmaj7"_s << u"Eb maj7 off"_s << none << u"Ebmaj7"_s;
    QTest::addRow("a slash before no note stays in the type") << u"C6/9"_s << u"C 6/9 off"_s << none << u"C6/9"_s;
    QTest::addRow("the second slash is the bass") << u"C6/9/E"_s << u"C 6/9 E"_s << none << u"C6/9/E"_s;
    QTest::addRow("bass on the tone's pitch drops the slash") << u"C/C"_s << u"C maj C"_s << none << u"C"_s;
    QTest::addRow("no chord opens as text with a message") << u"N.C."_s << u"text"_s << invalidChord << u"'N.C."_s;
    QTest::addRow("text label opens silently") << u"'Intro"_s << u"text"_s << none << u"'Intro"_s;
    QTest::addRow("a leading blank is no tone letter")
        << u" G"_s << u"text"_s << QStringList{u"Invalid Tone, assume Text Label"_s} << u"' G"_s;
    QTest::addRow("a bass that is no letter becomes the tonic")
        << u"D/#"_s << u"D maj D"_s << QStringList{u"Invalid Bass Tone, assume Tonic"_s} << u"D"_s;
}

void FretboardTest::decodesLabel()
{
    QFETCH(QString, label);
    lvx::RecordingMessages recorder;
    const ChordDialogState state = decodeLabel(label, recorder);
    QTEST(recorder.texts(), "messages");
    QTEST(state.result(), "result");
    ChordDialogState toneOnly;
    toneOnly.tone = state.tone;
    const QString tone = toneOnly.ChordName();
    toneOnly.tone = state.bass;
    QTEST(state.textLabel ? u"text"_s : tone + u' ' + state.type + u' ' + (state.bassOn ? toneOnly.ChordName() : u"off"_s),
          "state");
}

void FretboardTest::clicksBuildName_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("name");
    QTest::addRow("sharp then flat leaves the flat") << u""_s << u"T2 T7 T8"_s << u"Eb"_s;
    QTest::addRow("bass click switches the bass on") << u""_s << u"T0 B4"_s << u"C/G"_s;
    QTest::addRow("same letter in the bass gives no slash") << u""_s << u"T0 B0"_s << u"C"_s;
    QTest::addRow("same pitch spelled otherwise gives no slash") << u""_s << u"T1 T8 B0 B7"_s << u"Db"_s;
    QTest::addRow("a new tone switches the bass off") << u"C/G"_s << u"T3"_s << u"F"_s;
    QTest::addRow("the bass follows the tone") << u""_s << u"T4 T7 B8"_s << u"G#/Gb"_s;
    QTest::addRow("ticking the box by hand starts from the tone") << u"C/G"_s << u"K- K+"_s << u"C"_s;
    QTest::addRow("the dialog's own tick keeps the bass") << u"C/G"_s << u"K- k+"_s << u"C/G"_s;
    QTest::addRow("clearing the box drops the bass") << u"Am/E"_s << u"K-"_s << u"Am"_s;
    QTest::addRow("a type replaces the old one") << u"G7/B"_s << u"M:m7"_s << u"Gm7/B"_s;
}

void FretboardTest::clicksBuildName()
{
    QFETCH(QString, label);
    QFETCH(QString, steps);
    lvx::RecordingMessages recorder;
    ChordDialogState state = decodeLabel(label, recorder);
    applySteps(state, steps);
    QTEST(state.ChordName(), "name");
    QTEST(state.result(), "name");
}

void FretboardTest::chordVal_data()
{
    QTest::addColumn<int>("letter");
    QTest::addColumn<bool>("sharp");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<int>("pitch");
    QTest::addRow("flat") << 6 << false << true << 10;
    QTest::addRow("C flat wraps to B") << 0 << false << true << 11;
    QTest::addRow("B sharp wraps to C") << 6 << true << false << 0;
}

void FretboardTest::chordVal()
{
    QFETCH(int, letter);
    QFETCH(bool, sharp);
    QFETCH(bool, flat);
    QTEST(int(ChordVal(letter, sharp, flat)), "pitch");
}

void FretboardTest::namesPressedKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("shown");
    QTest::addRow("a major triad keeps its main alias") << QList<int>{0, 4, 7} << u"C"_s << u"Cmaj"_s;
    QTest::addRow("the lowest key is the bass") << QList<int>{4, 7, 12} << u"C"_s << u"Cmaj/E"_s;
    QTest::addRow("solfege names tonic and bass") << QList<int>{4, 7, 12} << u"Do"_s << u"Domaj/Mi"_s;
    QTest::addRow("black keys are spelled with sharps") << QList<int>{1, 5, 8} << u"C"_s << u"C#maj"_s;
    QTest::addRow("the earlier chord type wins over a later one with the same notes")
        << QList<int>{9, 12, 16, 19} << u"C"_s << u"C6/A"_s;
    QTest::addRow("a symmetric chord is named from the lowest tonic from C")
        << QList<int>{4, 8, 12} << u"C"_s << u"Caug/E"_s;
    QTest::addRow("an extra note matches nothing") << QList<int>{0, 4, 7, 11} << u"C"_s << u"Chord not found"_s;
}

void FretboardTest::namesPressedKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, notation);
    QFETCH(QString, shown);
    const ChordTypeTable table = pianoTable();
    QCOMPARE(pianoChordCaption(table, pressed(keys), notation), shown);
    QCOMPARE(pianoChordName(table, pressed(keys), notation).isEmpty(), shown == u"Chord not found");
}

void FretboardTest::computedShapes_data()
{
    QTest::addColumn<QString>("chord");
    QTest::addColumn<Modos>("type");
    QTest::addColumn<QString>("expected");
    // C: no C on string 6 within frets 0..3, so the bass goes to string 5 and
    // string 6 still takes a chord tone (G) below it; string 1 takes the open E
    // over the G at fret 3; four fingers are allowed at the first position.
    QTest::addRow("bass on string 5, open string 1 wins a tie, four fingers at the nut")
        << u"C"_s << Major << u"0 [0 1 0 2 19 3]"_s;
    // G7 on string 4: F at fret 3 is found first, but F already sounds on string 1.
    QTest::addRow("a tone used less often wins") << u"G7"_s << chordType(u"t"_s, {0, 4, 7, 10}) << u"0 [1 0 0 0 2 19]"_s;
    QTest::addRow("bass on string 6 first") << u"C/E"_s << Major << u"0 [0 1 0 2 3 16]"_s;
    QTest::addRow("no low string reaches the bass: the window moves up")
        << u"G#"_s << Major << u"1 [3 0 0 0 2 19]"_s;
    QTest::addRow("four fingers beside a barre: stopped string 6 is muted")
        << u"C#"_s << Major << u"1 [0 1 0 2 19 -1]"_s;
    QTest::addRow("five fingers with the bass on 6: stopped string 5 is muted")
        << u"F#"_s << Major << u"0 [2 2 3 -1 -1 18]"_s;
    QTest::addRow("no low string but the D reaches the bass: it goes on string 4")
        << u"D"_s << Major << u"0 [2 3 2 16 0 2]"_s;
    QTest::addRow("strings 1 to 3 never share a single tone") << u"C"_s << chordType(u"t"_s, {0}) << u"none"_s;
    QTest::addRow("a type without intervals has no shape") << u"E"_s << chordType(u"t"_s, {}) << u"none"_s;
    QTest::addRow("not a chord") << u"N.C."_s << Major << u"none"_s;
}

void FretboardTest::computedShapes()
{
    QFETCH(QString, chord);
    QFETCH(Modos, type);
    QFETCH(QString, expected);
    const std::optional<ComputedFingering> shape = computeFingering(ParseChord(chord), type);
    QCOMPARE(shapeText(shape), expected);
    if (shape)
        QCOMPARE(shape->barre, shape->baseFret >= 1);
}

LIRAVOX_TEST_MAIN(FretboardTest)
#include "fretboard_test.moc"
