#include "diagramfixture.h"
#include "testmain.h"

#include "music/chordsymbol.h"

#include <QRegularExpression>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

enum Filter : int {
    Chords = 1,
    Major = 2,
    Minor = 4,
    Seventh = 8,
    Bemol = 16,
    BassNotRoot = 32,
    AllFilters = 63
};

void applyFilters(song::Song& song, int filters)
{
    song.PrintChordsFlag = filters & Chords;
    song.PrintMajorFlag = filters & Major;
    song.PrintMinorFlag = filters & Minor;
    song.PrintSeventhFlag = filters & Seventh;
    song.PrintBemolFlag = filters & Bemol;
    song.PrintBassNotRootFlag = filters & BassNotRoot;
}

void useChords(PrintState& state, const QStringList& names)
{
    state.UsedChords.clear();
    for (const QString& name : names)
        state.UsedChords.append({music::ParseChord(name), false});
}

QString printFlags(const PrintState& state)
{
    QString flags;
    for (const UsedChord& used : state.UsedChords)
        flags += used.print ? u'1' : u'0';
    return flags;
}

// Where each diagram's cell starts, read back from its name: the name is drawn
// 200 + 693 below and 200 right of the cell's corner at the medium size.
QStringList cellCorners(const RecordingSurface& target)
{
    static const QRegularExpression name(u"^text (\\S+) (\\S+) 8 "_s);
    QStringList corners;
    for (const QString& call : target.calls) {
        const QRegularExpressionMatch match = name.match(call);
        if (match.hasMatch())
            corners.append(QString::number(match.captured(1).toDouble() - 200) + u','
                           + QString::number(match.captured(2).toDouble() - 893));
    }
    return corners;
}

} // namespace

class DiagramPlacementTest final : public QObject
{
    Q_OBJECT

private slots:
    void filter_data()
    {
        QTest::addColumn<int>("filters");
        QTest::addColumn<QStringList>("chords");
        QTest::addColumn<int>("nextChord");
        QTest::addColumn<QString>("expected");
        const QStringList mixed{u"G"_s, u"F#"_s, u"Am"_s, u"G7"_s, u"C/E"_s, u"Bbm"_s, u"Dsus4"_s};
        QTest::addRow("all filters on: every chord") << int(AllFilters) << mixed << 0 << u"1111111"_s;
        QTest::addRow("diagrams off: none, whatever the other filters say")
            << int(AllFilters & ~Chords) << mixed << 0 << u"0000000"_s;
        QTest::addRow("major off: sharp and flat roots still get one")
            << int(AllFilters & ~Major) << mixed << 0 << u"0111111"_s;
        QTest::addRow("major off, accidentals off: F# too is left out")
            << int(AllFilters & ~Major & ~Bemol) << mixed << 0 << u"0011111"_s;
        QTest::addRow("minor off: a flat minor root still gets one")
            << int(AllFilters & ~Minor) << mixed << 0 << u"1101111"_s;
        QTest::addRow("seventh off") << int(AllFilters & ~Seventh) << mixed << 0 << u"1110111"_s;
        QTest::addRow("major off: a bass other than the root brings it back")
            << int(AllFilters & ~Major & ~Bemol) << QStringList{u"C/E"_s, u"C"_s, u"C/C"_s} << 0 << u"100"_s;
        QTest::addRow("bass rule off: C/E follows the major filter")
            << int(AllFilters & ~Major & ~BassNotRoot) << QStringList{u"C/E"_s, u"C"_s} << 0 << u"00"_s;
        QTest::addRow("chords already drawn on earlier pages are not looked at")
            << int(AllFilters) << QStringList{u"C"_s, u"D"_s, u"E"_s} << 2 << u"001"_s;
    }
    void filter()
    {
        QFETCH(int, filters);
        QFETCH(QStringList, chords);
        QFETCH(int, nextChord);
        QFETCH(QString, expected);
        DiagramFixture f;
        applyFilters(f.song, filters);
        useChords(f.state, chords);
        f.state.NextChordIndex = nextChord;
        RecordingSurface target;
        DrawChordDiagrams(target, target, f.state, f.song, f.sources(), f.notes);
        QCOMPARE(printFlags(f.state), expected);
    }

    void flagOnceSetStays()
    {
        DiagramFixture f;
        applyFilters(f.song, AllFilters & ~Major);
        useChords(f.state, {u"C"_s});
        f.state.UsedChords[0].print = true;
        RecordingSurface target;
        DrawChordDiagrams(target, target, f.state, f.song, f.sources(), f.notes);
        QVERIFY(f.state.UsedChords[0].print);
        QCOMPARE(cellCorners(target).size(), 1);
    }

    // Letter page 12240 x 15840, margins 800 / 600 / 1000 / 1000, cells 1050 x 850:
    // a row holds diagrams while x <= 10590, the page while y <= 13990.
    void placement_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("textRight");
        QTest::addColumn<double>("textBottom");
        QTest::addColumn<int>("chordCount");
        QTest::addColumn<QStringList>("corners");
        QTest::addColumn<int>("nextChord");
        QTest::addRow("beside a narrow text: in the band of 2.4 cells at the right edge")
            << 0 << 3000.0 << 9000.0 << 3 << QStringList{u"9120,2020"_s, u"10380,2020"_s, u"9120,3210"_s} << 3;
        QTest::addRow("beside a wide text: 300 right of its widest line")
            << 0 << 9500.0 << 9000.0 << 2 << QStringList{u"9800,2020"_s, u"9800,3210"_s} << 2;
        QTest::addRow("below the text: 300 under its lowest line, rows of eight")
            << 1 << 11000.0 << 4000.0 << 9
            << QStringList{u"800,4300"_s, u"2060,4300"_s, u"3320,4300"_s, u"4580,4300"_s, u"5840,4300"_s,
                           u"7100,4300"_s, u"8360,4300"_s, u"9620,4300"_s, u"800,5490"_s}
            << 9;
        QTest::addRow("page full: the rest waits for the next page")
            << 1 << 0.0 << 13000.0 << 10
            << QStringList{u"800,13300"_s, u"2060,13300"_s, u"3320,13300"_s, u"4580,13300"_s, u"5840,13300"_s,
                           u"7100,13300"_s, u"8360,13300"_s, u"9620,13300"_s}
            << 8;
        QTest::addRow("no room at all: nothing drawn") << 1 << 0.0 << 13700.0 << 2 << QStringList{} << 0;
    }
    void placement()
    {
        QFETCH(int, position);
        QFETCH(double, textRight);
        QFETCH(double, textBottom);
        QFETCH(int, chordCount);
        QFETCH(QStringList, corners);
        QFETCH(int, nextChord);
        DiagramFixture f;
        f.song.ChordPosition = qint16(position);
        f.state.TextRight = textRight;
        f.state.TextBottom = textBottom;
        useChords(f.state, QStringList(chordCount, u"C"_s));
        RecordingSurface reference;
        RecordingSurface target(100, 100);   // the page size comes from the reference
        target.ForeColor = 255;
        DrawChordDiagrams(target, reference, f.state, f.song, f.sources(), f.notes);
        QCOMPARE(cellCorners(target), corners);
        QCOMPARE(f.state.NextChordIndex, nextChord);
        QCOMPARE(target.ForeColor, 0);
        QCOMPARE(reference.calls, QStringList{});
    }

    // Entries without a diagram are skipped without taking a cell; the page
    // break remembers the first entry that did not fit, not the one after it.
    void resumesWhereThePageFilledUp()
    {
        DiagramFixture f;
        applyFilters(f.song, AllFilters & ~Major & ~Bemol);
        f.song.ChordPosition = 1;
        f.state.TextBottom = 13000;
        QStringList chords(7, u"Am"_s);
        chords += {u"C"_s, u"Em"_s, u"G"_s, u"Dm"_s};
        useChords(f.state, chords);
        RecordingSurface page1;
        DrawChordDiagrams(page1, page1, f.state, f.song, f.sources(), f.notes);
        QCOMPARE(cellCorners(page1).size(), 8);
        QCOMPARE(f.state.NextChordIndex, 10);
        f.state.TextBottom = 1000;
        RecordingSurface page2;
        DrawChordDiagrams(page2, page2, f.state, f.song, f.sources(), f.notes);
        QCOMPARE(cellCorners(page2), QStringList{u"800,1300"_s});
        QCOMPARE(f.state.NextChordIndex, 11);
    }
};

LIRAVOX_TEST_MAIN(DiagramPlacementTest)
#include "diagramplacement_test.moc"
