#include "music/chordtypetable.h"
#include "music/pianosearch.h"

#include "testmain.h"
#include "musicfixtures.h"

#include <QTest>

using namespace lvx::music;
using namespace Qt::StringLiterals;

namespace {

using lvx::test::chordType;

// "6" before "m7": C6 and Am7 are the same four notes.
ChordTypeTable sampleTable()
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

class PianoSearchTest final : public QObject
{
    Q_OBJECT

private slots:
    void namesPressedKeys_data();
    void namesPressedKeys();
    void keyboardLayout_data();
    void keyboardLayout();
};

void PianoSearchTest::namesPressedKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("notation");
    QTest::addColumn<QString>("shown");

    QTest::addRow("a major triad keeps its main alias") << QList<int>{0, 4, 7} << u"C"_s << u"Cmaj"_s;
    QTest::addRow("an octave doubling changes nothing") << QList<int>{0, 4, 7, 12} << u"C"_s << u"Cmaj"_s;
    QTest::addRow("the lowest key is the bass") << QList<int>{4, 7, 12} << u"C"_s << u"Cmaj/E"_s;
    QTest::addRow("solfege names tonic and bass") << QList<int>{4, 7, 12} << u"Do"_s << u"Domaj/Mi"_s;
    QTest::addRow("black keys are spelled with sharps") << QList<int>{1, 5, 8} << u"C"_s << u"C#maj"_s;
    QTest::addRow("the top octave counts") << QList<int>{23, 26, 30, 35} << u"C"_s << u"Bm"_s;
    QTest::addRow("the earlier chord type wins over a later one with the same notes")
        << QList<int>{9, 12, 16, 19} << u"C"_s << u"C6/A"_s;
    QTest::addRow("a symmetric chord is named from the lowest tonic from C")
        << QList<int>{4, 8, 12} << u"C"_s << u"Caug/E"_s;
    QTest::addRow("one key is no chord") << QList<int>{0} << u"C"_s << u"Chord not found"_s;
    QTest::addRow("an extra note matches nothing") << QList<int>{0, 4, 7, 11} << u"C"_s << u"Chord not found"_s;
    QTest::addRow("no key is no chord") << QList<int>{} << u"C"_s << u"Chord not found"_s;
}

void PianoSearchTest::namesPressedKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, notation);
    QFETCH(QString, shown);

    const ChordTypeTable table = sampleTable();
    QCOMPARE(pianoChordCaption(table, pressed(keys), notation), shown);
    QCOMPARE(pianoChordName(table, pressed(keys), notation).isEmpty(), shown == u"Chord not found");
}

void PianoSearchTest::keyboardLayout_data()
{
    QTest::addColumn<int>("white");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("syllable");

    QTest::addRow("first white key is C") << 0 << 0 << u"C"_s << u"Do"_s;
    QTest::addRow("E and F have no black key between") << 3 << 5 << u"F"_s << u"Fa"_s;
    QTest::addRow("the three-letter syllable") << 4 << 7 << u"G"_s << u"Sol"_s;
    QTest::addRow("syllables are trimmed") << 5 << 9 << u"A"_s << u"La"_s;
    QTest::addRow("the next octave starts again") << 7 << 12 << u"C"_s << u"Do"_s;
    QTest::addRow("the last key is B") << 20 << 35 << u"B"_s << u"Si"_s;
}

void PianoSearchTest::keyboardLayout()
{
    QFETCH(int, white);
    QFETCH(int, key);
    QFETCH(QString, letter);
    QFETCH(QString, syllable);

    QCOMPARE(whiteKeyIndex(white), key);
    QVERIFY(!isBlackKey(key));
    QCOMPARE(whiteKeyCaption(white, u"C"_s), letter);
    QCOMPARE(whiteKeyCaption(white, u"Do"_s), syllable);

    int blackKeys = 0;
    for (int index = 0; index < PianoSearchKeys; ++index)
        blackKeys += isBlackKey(index) ? 1 : 0;
    QCOMPARE(blackKeys, PianoSearchKeys - PianoWhiteKeys);
}

LIRAVOX_TEST_MAIN(PianoSearchTest)
#include "pianosearch_test.moc"
