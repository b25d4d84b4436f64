#include "music/chorddialogstate.h"
#include "music/chordtypetable.h"
#include "music/fretboard.h"
#include "music/guitarchord.h"

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

} // namespace

class FretboardTest final : public QObject
{
    Q_OBJECT

private slots:
    void readsFingeringName_data();
    void readsFingeringName();
    void namesFingering_data();
    void namesFingering();
    void mapsClicks_data();
    void mapsClicks();
    void clickSoundsOneNote_data();
    void clickSoundsOneNote();
    void describesFingering();
    void listCaption_data();
    void listCaption();
};

void FretboardTest::readsFingeringName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("bassOn");
    QTest::addColumn<QString>("chordName");   // what Close writes back unchanged

    QTest::addRow("plain major shows the type maj") << u"C"_s << QStringList{} << u"maj"_s << false << u"C"_s;
    QTest::addRow("sharp tone with bass") << u"F#m/C#"_s << QStringList{} << u"m"_s << true << u"F#m/C#"_s;
    QTest::addRow("flat tone keeps its spelling") << u"Bb7"_s << QStringList{} << u"7"_s << false << u"Bb7"_s;
    QTest::addRow("lower-case letter is still a tone") << u"am7"_s << QStringList{} << u"m7"_s << false << u"Am7"_s;
    QTest::addRow("no note letter edits a C chord of the rest")
        << u"xm7"_s << QStringList{u"Invalid Tone, assume C "_s} << u"m7"_s << false << u"Cm7"_s;
    QTest::addRow("a new chord's name from the list editor reads as C with the rest")
        << u"NewChord"_s << QStringList{u"Invalid Tone, assume C "_s} << u"ewChord"_s << false << u"CewChord"_s;
    QTest::addRow("the chord search's empty name is C without a message")
        << QString() << QStringList{} << u"maj"_s << false << u"C"_s;
    QTest::addRow("a bass that is no note falls back to the tone")
        << u"G/x"_s << QStringList{u"Invalid Bass Tone, assume Tonic"_s} << u"maj"_s << true << u"G"_s;
    QTest::addRow("a trailing slash names no bass") << u"Am/"_s << QStringList{} << u"m"_s << false << u"Am"_s;
    QTest::addRow("the first slash always starts the bass")
        << u"C6/9"_s << QStringList{u"Invalid Bass Tone, assume Tonic"_s} << u"6"_s << true << u"C6"_s;
    QTest::addRow("a bass on the tone's pitch is dropped") << u"C/B#"_s << QStringList{} << u"maj"_s << true << u"C"_s;
}

void FretboardTest::readsFingeringName()
{
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(QString, type);
    QFETCH(bool, bassOn);
    QFETCH(QString, chordName);

    lvx::RecordingMessages shown;
    const ChordDialogState state = decodeFingeringName(name, shown);
    QCOMPARE(shown.texts(), messages);
    QVERIFY(!state.textLabel);
    QCOMPARE(state.type, type);
    QCOMPARE(state.bassOn, bassOn);
    QCOMPARE(state.ChordName(), chordName);
}

void FretboardTest::namesFingering_data()
{
    QTest::addColumn<GuitarChordDef>("def");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("name");

    QTest::addRow("open C shape") << fingering({-1, 3, 2, 0, 1, 0}) << u"C"_s << u"Cmaj"_s;
    QTest::addRow("open A minor") << fingering({-1, 0, 2, 2, 1, 0}) << u"C"_s << u"Am"_s;
    QTest::addRow("the base fret moves every string") << fingering({-1, 0, 2, 2, 2, 0}, 2) << u"C"_s << u"Bmaj"_s;
    QTest::addRow("solfege names") << fingering({3, 2, 0, 0, 0, 1}) << u"Do"_s << u"Sol7"_s;
    QTest::addRow("a set no type fits") << fingering({0, 1, -1, -1, -1, -1}) << u"C"_s << QString();
    QTest::addRow("every string muted names nothing") << fingering({-1, -1, -1, -1, -1, -1}) << u"C"_s << QString();
}

void FretboardTest::namesFingering()
{
    QFETCH(GuitarChordDef, def);
    QFETCH(QString, notation);
    QFETCH(QString, name);

    ChordTypeTable table;
    table.add(chordType(u"empty"_s, {}));
    table.add(chordType(u"maj"_s, {0, 4, 7}));
    table.add(chordType(u"m"_s, {0, 3, 7}));
    table.add(chordType(u"7"_s, {0, 4, 7, 10}));
    QCOMPARE(findChordName(table, def, notation), name);
}

void FretboardTest::mapsClicks_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("row");

    QTest::addRow("top left corner is string 1 open") << QPoint(0, 0) << 1 << 1;
    QTest::addRow("last pixel of a column stays on its string") << QPoint(35, 27) << 1 << 1;
    QTest::addRow("next column is the next string") << QPoint(36, 28) << 2 << 2;
    QTest::addRow("last string and fret") << QPoint(6 * 36 - 1, 13 * 28 - 1) << 6 << 13;
    QTest::addRow("right of the strings is nothing") << QPoint(6 * 36, 10) << 0 << 1;
    QTest::addRow("below the last fret is nothing") << QPoint(10, 13 * 28) << 1 << 0;
    QTest::addRow("left of the board is nothing") << QPoint(-1, -1) << 0 << 0;
}

void FretboardTest::mapsClicks()
{
    QFETCH(QPoint, point);
    QFETCH(int, string);
    QFETCH(int, row);

    const FretboardGrid grid{36, 28};
    QCOMPARE(grid.stringAt(point.x()), string);
    QCOMPARE(grid.rowAt(point.y()), row);
}

void FretboardTest::clickSoundsOneNote_data()
{
    QTest::addColumn<int>("baseFret");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("piano");
    QTest::addColumn<int>("note");

    QTest::addRow("open low E") << 0 << 6 << 1 << false << 40;
    QTest::addRow("open high E") << 0 << 1 << 1 << false << 64;
    QTest::addRow("the piano sounds an octave up") << 0 << 6 << 1 << true << 52;
    QTest::addRow("row and base fret add up") << 5 << 5 << 3 << false << 36 + 5 + 9 + 2;
}

void FretboardTest::clickSoundsOneNote()
{
    QFETCH(int, baseFret);
    QFETCH(int, string);
    QFETCH(int, row);
    QFETCH(bool, piano);
    QFETCH(int, note);
    QCOMPARE(fretClickNote(baseFret, string, row, piano), note);
}

void FretboardTest::describesFingering()
{
    QCOMPARE(defineText(fingering({-1, 3, 2, 0, 1, 0}, 2)), u"Fret:2   String1 .. String6:0 1 0 2 3 -1 "_s);
}

void FretboardTest::listCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("caption");

    QTest::addRow("solfege list shows solfege") << u"C#m7/G#"_s << u"Do"_s << u"Do#m7/Sol#"_s;
    QTest::addRow("an M type is spelled maj") << u"CM7"_s << u"C"_s << u"Cmaj7"_s;
    QTest::addRow("a name that is no chord stays as written") << u"NewChord"_s << u"C"_s << u"NewChord"_s;
    QTest::addRow("an empty name stays empty") << QString() << u"C"_s << QString();
}

void FretboardTest::listCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, notation);
    QFETCH(QString, caption);
    QCOMPARE(fingeringCaption(name, notation), caption);
}

LIRAVOX_TEST_MAIN(FretboardTest)

#include "fretboard_test.moc"
