#include "music/chorddialogstate.h"
#include "music/chordtypetable.h"
#include "music/guitarchord.h"

#include "base/messages.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

Modos chordType(const QString& name, const QStringList& aliases = {})
{
    return lvx::test::chordType(name, {0, 4, 7}, aliases);
}

GuitarChordDef fingering(const QString& name)
{
    GuitarChordDef def;
    def.name = name;
    return def;
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

} // namespace

class ChordDialogStateTest final : public QObject
{
    Q_OBJECT

private slots:
    void decodesLabel_data();
    void decodesLabel();
    void clicksBuildName_data();
    void clicksBuildName();
    void chordVal_data();
    void chordVal();
    void otherTypes_data();
    void otherTypes();
};

void ChordDialogStateTest::decodesLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("textLabel");
    QTest::addColumn<QString>("tone");      // letter and accidental, as ChordName spells it
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("bassOn");
    QTest::addColumn<QString>("bass");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("result");    // OK without changes

    const QStringList none;
    QTest::addRow("a new chord is C major") << u""_s << false << u"C"_s << u"maj"_s << false << u"C"_s << none << u"C"_s;
    QTest::addRow("flat tone, type and bass") << u"Bb7/F"_s << false << u"Bb"_s << u"7"_s << true << u"F"_s << none
                                              << u"Bb7/F"_s;
    QTest::addRow("sharp bass") << u"C#m7/G#"_s << false << u"C#"_s << u"m7"_s << true << u"G#"_s << none
                                << u"C#m7/G#"_s;
    QTest::addRow("without a bass it follows the tone, off")
        << u"Ebmaj7"_s << false << u"Eb"_s << u"maj7"_s << false << u"Eb"_s << none << u"Ebmaj7"_s;
    QTest::addRow("a slash before no note stays in the type")
        << u"C6/9"_s << false << u"C"_s << u"6/9"_s << false << u"C"_s << none << u"C6/9"_s;
    QTest::addRow("the second slash is the bass") << u"C6/9/E"_s << false << u"C"_s << u"6/9"_s << true << u"E"_s
                                                  << none << u"C6/9/E"_s;
    QTest::addRow("type kept as written") << u"CM7"_s << false << u"C"_s << u"M7"_s << false << u"C"_s << none
                                          << u"CM7"_s;
    QTest::addRow("bass on the tone's pitch drops the slash")
        << u"C/C"_s << false << u"C"_s << u"maj"_s << true << u"C"_s << none << u"C"_s;
    QTest::addRow("no chord opens as text with a message")
        << u"N.C."_s << true << u"C"_s << u"maj"_s << false << u"C"_s << QStringList{u"Invalid Chord, Assume Text Label"_s}
        << u"'N.C."_s;
    QTest::addRow("lower-case tonic is no chord") << u"cm"_s << true << u"C"_s << u"maj"_s << false << u"C"_s
                                                  << QStringList{u"Invalid Chord, Assume Text Label"_s} << u"'cm"_s;
    QTest::addRow("text label opens silently") << u"'Intro"_s << true << u"C"_s << u"maj"_s << false << u"C"_s << none
                                               << u"'Intro"_s;
    QTest::addRow("a leading blank is no tone letter")
        << u" G"_s << true << u"C"_s << u"maj"_s << false << u"C"_s << QStringList{u"Invalid Tone, assume Text Label"_s}
        << u"' G"_s;
    QTest::addRow("a bass that is no letter becomes the tonic")
        << u"D/#"_s << false << u"D"_s << u"maj"_s << true << u"D"_s
        << QStringList{u"Invalid Bass Tone, assume Tonic"_s} << u"D"_s;
}

void ChordDialogStateTest::decodesLabel()
{
    QFETCH(QString, label);
    QFETCH(bool, textLabel);
    QFETCH(QString, tone);
    QFETCH(QString, type);
    QFETCH(bool, bassOn);
    QFETCH(QString, bass);
    QFETCH(QStringList, messages);
    QFETCH(QString, result);

    lvx::RecordingMessages recorder;
    const ChordDialogState state = decodeLabel(label, recorder);
    QCOMPARE(recorder.texts(), messages);
    QCOMPARE(state.textLabel, textLabel);
    QCOMPARE(state.result(), result);
    if (textLabel)
        return;
    ChordDialogState toneOnly;
    toneOnly.tone = state.tone;
    QCOMPARE(toneOnly.ChordName(), tone);
    QCOMPARE(state.type, type);
    QCOMPARE(state.bassOn, bassOn);
    toneOnly.tone = state.bass;
    QCOMPARE(toneOnly.ChordName(), bass);
}

void ChordDialogStateTest::clicksBuildName_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("name");

    QTest::addRow("sharp then flat leaves the flat") << u""_s << u"T2 T7 T8"_s << u"Eb"_s;
    QTest::addRow("flat clicked again clears it") << u""_s << u"T2 T7 T8 T8"_s << u"E"_s;
    QTest::addRow("a letter drops the accidental") << u"Bb7"_s << u"T5"_s << u"A7"_s;
    QTest::addRow("bass click switches the bass on") << u""_s << u"T0 B4"_s << u"C/G"_s;
    QTest::addRow("same letter in the bass gives no slash") << u""_s << u"T0 B0"_s << u"C"_s;
    QTest::addRow("same pitch spelled otherwise gives no slash") << u""_s << u"T1 T8 B0 B7"_s << u"Db"_s;
    QTest::addRow("a new tone switches the bass off") << u"C/G"_s << u"T3"_s << u"F"_s;
    QTest::addRow("the bass follows the tone") << u""_s << u"T4 T7 B8"_s << u"G#/Gb"_s;
    QTest::addRow("ticking the box by hand starts from the tone") << u"C/G"_s << u"K- K+"_s << u"C"_s;
    QTest::addRow("the dialog's own tick keeps the bass") << u"C/G"_s << u"K- k+"_s << u"C/G"_s;
    QTest::addRow("clearing the box drops the bass") << u"Am/E"_s << u"K-"_s << u"Am"_s;
    QTest::addRow("a type replaces the old one") << u"G7/B"_s << u"M:m7"_s << u"Gm7/B"_s;
    QTest::addRow("an empty type is major") << u"G7"_s << u"M:"_s << u"G"_s;
}

void ChordDialogStateTest::clicksBuildName()
{
    QFETCH(QString, label);
    QFETCH(QString, steps);
    QFETCH(QString, name);

    lvx::RecordingMessages recorder;
    ChordDialogState state = decodeLabel(label, recorder);
    applySteps(state, steps);
    QCOMPARE(state.ChordName(), name);
    QCOMPARE(state.result(), name);
}

void ChordDialogStateTest::chordVal_data()
{
    QTest::addColumn<int>("letter");
    QTest::addColumn<bool>("sharp");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<int>("pitch");

    QTest::addRow("natural") << 5 << false << false << 9;
    QTest::addRow("sharp") << 3 << true << false << 6;
    QTest::addRow("flat") << 6 << false << true << 10;
    QTest::addRow("C flat wraps to B") << 0 << false << true << 11;
    QTest::addRow("B sharp wraps to C") << 6 << true << false << 0;
    QTest::addRow("E sharp is F") << 2 << true << false << 5;
}

void ChordDialogStateTest::chordVal()
{
    QFETCH(int, letter);
    QFETCH(bool, sharp);
    QFETCH(bool, flat);
    QFETCH(int, pitch);
    QCOMPARE(int(ChordVal(letter, sharp, flat)), pitch);
}

void ChordDialogStateTest::otherTypes_data()
{
    QTest::addColumn<bool>("guitar");
    QTest::addColumn<int>("tone");
    QTest::addColumn<int>("bass");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("piano lists the table's names and aliases only")
        << false << 0 << 0 << QStringList{u"-7"_s, u"M7"_s, u"min7"_s, u"sus2"_s, u"sus4"_s};
    QTest::addRow("guitar adds the types of fingerings on this tone")
        << true << 0 << 0 << QStringList{u"-7"_s, u"add9"_s, u"M7"_s, u"min7"_s, u"sus2"_s, u"sus4"_s};
    QTest::addRow("a slash fingering counts for its bass only")
        << true << 7 << 11 << QStringList{u"-7"_s, u"13"_s, u"M7"_s, u"min7"_s, u"sus2"_s, u"sus4"_s};
    QTest::addRow("no fingering on this tone")
        << true << 2 << 2 << QStringList{u"-7"_s, u"M7"_s, u"min7"_s, u"sus2"_s, u"sus4"_s};
}

void ChordDialogStateTest::otherTypes()
{
    QFETCH(bool, guitar);
    QFETCH(int, tone);
    QFETCH(int, bass);
    QFETCH(QStringList, expected);

    ChordTypeTable table;
    table.add(chordType(u"maj"_s, {u"M7"_s}));
    table.add(chordType(u"m7"_s, {u"min7"_s, u"-7"_s}));
    table.add(chordType(u"sus4"_s, {u"sus2"_s, u"m"_s}));
    table.add(chordType(u"dim"_s, {u"min7"_s}));
    // Global: C add9 (twice across both dictionaries), a G/B; song: C sus4 again, G13/B.
    const QList<GuitarChordDef> global{fingering(u"Cadd9"_s), fingering(u"G7/B"_s), fingering(u"Dm"_s)};
    const QList<GuitarChordDef> song{fingering(u"Cadd9"_s), fingering(u"Csus4"_s), fingering(u"G13/B"_s),
                                     fingering(u"C7"_s)};
    QCOMPARE(otherChordTypes(table, guitar, tone, bass, global, song), expected);
}

LIRAVOX_TEST_MAIN(ChordDialogStateTest)
#include "chorddialogstate_test.moc"
