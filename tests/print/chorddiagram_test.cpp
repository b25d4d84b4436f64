#include "diagramfixture.h"
#include "testmain.h"

#include "music/chordsymbol.h"
#include "music/computedfingering.h"

using namespace lvx;
using namespace lvx::print;
using music::GuitarChordDef;
using namespace Qt::StringLiterals;

namespace {

using Defs = QList<GuitarChordDef>;

const GuitarChordDef OpenC = guitarShape(u"C"_s, 0, {-1, 3, 2, 0, 1, 0});

QString originText(FingeringOrigin origin)
{
    switch (origin) {
    case FingeringOrigin::Song:
        return u"song"_s;
    case FingeringOrigin::Global:
        return u"global"_s;
    case FingeringOrigin::Computed:
        return u"computed"_s;
    case FingeringOrigin::NotFound:
        return u"notfound"_s;
    }
    return {};
}

// "name|origin|base|barre|s1 .. s6"
QString fingeringText(const DrawnFingering& fingering)
{
    QStringList strings;
    for (int string = 1; string <= 6; ++string)
        strings.append(QString::number(fingering.strings[string]));
    return QStringList{fingering.name, originText(fingering.origin), QString::number(fingering.baseFret),
                       QString::number(int(fingering.barre)), strings.join(u' ')}
        .join(u'|');
}

// Draws the chord with the pen at (1000, 2000); the grid then starts at (1200, 2200).
RecordingSurface drawAtPen(DiagramFixture& f, const QString& chord)
{
    RecordingSurface target;
    target.CurrentX = 1000;
    target.CurrentY = 2000;
    DrawChordDiagram(target, music::ParseChord(chord), f.sources(), f.state, f.notes);
    return target;
}

} // namespace

class ChordDiagramTest final : public QObject
{
    Q_OBJECT

private slots:
    void diagramSize_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("piano");
        QTest::addColumn<QList<int>>("expected");   // BW BH NS LS DW DH
        QTest::addRow("small guitar") << 0 << false << QList<int>{640, 360, 6, 5, 890, 760};
        QTest::addRow("medium guitar") << 1 << false << QList<int>{800, 450, 8, 6, 1050, 850};
        QTest::addRow("large guitar") << 2 << false << QList<int>{1040, 585, 10, 8, 1290, 985};
        QTest::addRow("small piano is half as wide again") << 0 << true << QList<int>{960, 360, 6, 5, 1210, 760};
        QTest::addRow("medium piano") << 1 << true << QList<int>{1200, 450, 8, 6, 1450, 850};
        QTest::addRow("large piano") << 2 << true << QList<int>{1560, 585, 10, 8, 1810, 985};
        QTest::addRow("index below small counts as small") << -3 << false << QList<int>{640, 360, 6, 5, 890, 760};
        QTest::addRow("index above large counts as large") << 7 << false << QList<int>{1040, 585, 10, 8, 1290, 985};
    }
    void diagramSize()
    {
        QFETCH(int, index);
        QFETCH(bool, piano);
        QFETCH(QList<int>, expected);
        const DiagramSize size = SetDiagramSize(index, piano);
        QCOMPARE((QList<int>{size.baseWidth, size.baseHeight, size.nameSize, size.fretSize, size.cellWidth,
                             size.cellHeight}),
                 expected);
    }

    void guitarDrawing_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<Defs>("songDefs");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addRow("six strings, five frets and a doubled nut")
            << u"C"_s << Defs{OpenC}
            << QStringList{u"line 1200 2200 1200 2830"_s, u"line 1312 2200 1312 2830"_s, u"line 1424 2200 1424 2830"_s,
                           u"line 1536 2200 1536 2830"_s, u"line 1648 2200 1648 2830"_s, u"line 1760 2200 1760 2830"_s,
                           u"line 1200 2200 1760 2200"_s, u"line 1200 2357 1760 2357"_s, u"line 1200 2515 1760 2515"_s,
                           u"line 1200 2672 1760 2672"_s, u"line 1200 2830 1760 2830"_s, u"line 1200 2220 1760 2220"_s}
            << QStringList{};
        QTest::addRow("fret numbers start at base + 1 without a barre")
            << u"C"_s << Defs{guitarShape(u"C"_s, 2, {-1, 1, 0, -1, 2, 0})}
            << QStringList{u"text 1816 2231.5 6 [3]"_s, u"text 1816 2389 6 [4]"_s, u"text 1816 2546.5 6 [5]"_s,
                           u"text 1816 2704 6 [6]"_s}
            << QStringList{u"line 1200 2278.75 1760 2278.75"_s};
        QTest::addRow("name under the grid in the name size")
            << u"C"_s << Defs{OpenC} << QStringList{u"text 1200 2893 8 [C]"_s} << QStringList{};
        QTest::addRow("muted string: X above the nut")
            << u"C"_s << Defs{OpenC} << QStringList{u"line 1158 2163.25 1242 2079.25"_s, u"line 1158 2079.25 1242 2163.25"_s}
            << QStringList{u"circle 1200 2121.25 37 filled"_s};
        QTest::addRow("open string: circle above the nut")
            << u"C"_s << Defs{OpenC} << QStringList{u"circle 1760 2121.25 37 filled"_s, u"circle 1536 2121.25 37 filled"_s}
            << QStringList{};
        QTest::addRow("stopped strings in their rows, a stored shape's circles all filled")
            << u"C"_s << Defs{OpenC}
            << QStringList{u"circle 1312 2593.75 37 filled"_s, u"circle 1424 2436.25 37 filled"_s,
                           u"circle 1648 2278.75 37 filled"_s}
            << QStringList{u"circle 1312 2593.75 37 hollow"_s};
        // G# computed at position 1: 3 0 0 0 2 19 from string 1 to string 6.
        QTest::addRow("computed shape: barre on the first row, numbers from the base, stopped strings a row lower")
            << u"G#"_s << Defs{}
            << QStringList{u"line 1200 2278.75 1760 2278.75"_s, u"text 1816 2231.5 6 [1]"_s, u"text 1816 2704 6 [4]"_s,
                           u"circle 1760 2751.25 37 filled"_s, u"circle 1312 2593.75 37 filled"_s,
                           u"circle 1200 2751.25 37 hollow"_s, u"circle 1648 2121.25 37 filled"_s,
                           u"text 1200 2893 8 [G#]"_s}
            << QStringList{u"text 1816 2231.5 6 [2]"_s};
    }
    void guitarDrawing()
    {
        QFETCH(QString, chord);
        QFETCH(Defs, songDefs);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        DiagramFixture f;
        f.song.chordDefs = songDefs;
        const RecordingSurface target = drawAtPen(f, chord);
        for (const QString& call : std::as_const(present))
            QVERIFY2(target.calls.contains(call), qPrintable(call + u" missing from\n"_s + target.calls.join(u'\n')));
        for (const QString& call : std::as_const(absent))
            QVERIFY2(!target.calls.contains(call), qPrintable(call));
        QCOMPARE(target.CurrentX, 1000.0);
        QCOMPARE(target.CurrentY, 2000.0);
        QCOMPARE(target.FontName, u"Arial"_s);
    }

    void fingeringChoice_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<QString>("notation");
        QTest::addColumn<Defs>("songDefs");
        QTest::addColumn<Defs>("globalDefs");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QList<int>>("notes");
        const GuitarChordDef barreC = guitarShape(u"C"_s, 7, {1, 3, 3, 2, 1, 1});
        const GuitarChordDef lowGC = guitarShape(u"C"_s, 0, {3, 3, 2, 0, 1, 0});
        QTest::addRow("the song's shape before the global one")
            << u"C"_s << u"C"_s << Defs{OpenC} << Defs{barreC} << u"C|song|0|0|0 1 0 2 3 -1"_s
            << QList<int>{12, 16, 19, 24, 28};
        QTest::addRow("the global shape when the song has none; no barre for a stored shape")
            << u"C"_s << u"C"_s << Defs{} << Defs{barreC} << u"C|global|7|0|1 1 2 3 3 1"_s
            << QList<int>{12, 19, 24, 28, 31, 36};
        QTest::addRow("C/G borrows a C that sounds G low, under the full name")
            << u"C/G"_s << u"C"_s << Defs{} << Defs{lowGC} << u"C/G|global|0|0|0 1 0 2 3 3"_s
            << QList<int>{7, 12, 16, 19, 24, 28};
        QTest::addRow("C/G refuses a C with no G on strings 6 to 4")
            << u"C/G"_s << u"C"_s << Defs{} << Defs{OpenC} << u"C/G|computed|0|0|0 1 0 2 3 19"_s
            << QList<int>{7, 12, 16, 19, 24, 28};
        QTest::addRow("named in solfege, looked up in letters")
            << u"C"_s << u"Do"_s << Defs{OpenC} << Defs{} << u"Do|song|0|0|0 1 0 2 3 -1"_s
            << QList<int>{12, 16, 19, 24, 28};
        QTest::addRow("no shape stored: computed from the chord type")
            << u"Am"_s << u"C"_s << Defs{} << Defs{} << u"Am|computed|0|0|0 1 2 2 16 0"_s
            << QList<int>{4, 9, 16, 21, 24, 28};
        QTest::addRow("unknown chord type: not found")
            << u"Cxyz"_s << u"C"_s << Defs{} << Defs{} << u"Cxyz (not found)|notfound|0|0|-1 -1 -1 -1 -1 -1"_s
            << QList<int>{};
    }
    void fingeringChoice()
    {
        QFETCH(QString, chord);
        QFETCH(QString, notation);
        QFETCH(Defs, songDefs);
        QFETCH(Defs, globalDefs);
        QFETCH(QString, expected);
        QFETCH(QList<int>, notes);
        DiagramFixture f;
        f.context.app.notation = notation;
        f.song.chordDefs = songDefs;
        f.globalDefs = globalDefs;
        QCOMPARE(fingeringText(guitarFingering(music::ParseChord(chord), f.sources())), expected);
        f.notes.append(99);   // whatever a previous diagram left
        drawAtPen(f, chord);
        QCOMPARE(f.notes.notes(), notes);
    }

    void notFoundDrawsNameOverEmptyGrid()
    {
        DiagramFixture f;
        const RecordingSurface target = drawAtPen(f, u"Cxyz/E"_s);
        QVERIFY(target.calls.contains(u"text 1200 2893 8 [Cxyz/E (not found)]"_s));
        QCOMPARE(target.callsOf(u"line"_s).size(), 12);
        QCOMPARE(target.callsOf(u"circle"_s).size(), 0);
        QCOMPARE(target.callsOf(u"text"_s).size(), 5);   // four fret numbers and the name
    }

    void nothingToDraw_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<QString>("instrument");
        QTest::addRow("known type with no playable position") << u"Csolo"_s << u"Guitar"_s;
        QTest::addRow("no chord at all, guitar") << u"N.C."_s << u"Guitar"_s;
        QTest::addRow("no chord at all, piano") << u"N.C."_s << u"Piano"_s;
    }
    void nothingToDraw()
    {
        QFETCH(QString, chord);
        QFETCH(QString, instrument);
        DiagramFixture f;
        f.addType(u"solo"_s, {0});   // one note: strings 1 to 3 never share it within four frets
        f.context.app.instrument = instrument;
        f.notes.append(7);
        QVERIFY(!guitarFingering(music::ParseChord(chord), f.sources()).drawn);
        const RecordingSurface target = drawAtPen(f, chord);
        QCOMPARE(target.calls, QStringList{});
        QCOMPARE(f.notes.notes(), QList<int>{});
    }

    void emptyModeIsMajor()
    {
        DiagramFixture f;
        music::ChordSymbol chord = music::ParseChord(u"C"_s);
        chord.mode.clear();
        const DrawnFingering fingering = guitarFingering(chord, f.sources());
        QCOMPARE(fingering.origin, FingeringOrigin::Computed);
        QCOMPARE(fingering.strings[5], 3 + music::BassMark);
    }

    void pianoKeyboard_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QList<int>>("notes");
        // Keys are 104 wide from x = 200; marks sit 0.9 x 450 below the top at 200.
        QTest::addRow("C: from the G below the bass up to the top G")
            << u"C"_s
            << QStringList{u"text 200 757.2 8 [C]"_s, u"line 200 200 304 200"_s, u"line 1032 200 1032 650"_s,
                           u"rect 269.333 200 338.667 560"_s, u"circle 564 605 22.5 filled"_s,
                           u"circle 772 605 22.5 filled"_s, u"circle 980 605 22.5 filled"_s}
            << QStringList{u"line 1032 200 1136 200"_s} << QList<int>{12, 16, 19};
        QTest::addRow("marked black key split around its circle")
            << u"D"_s
            << QStringList{u"rect 789.333 200 858.667 380"_s, u"rect 789.333 470 858.667 515"_s,
                           u"circle 824 425 22.5 filled"_s, u"circle 564 605 22.5 filled"_s,
                           u"circle 980 605 22.5 filled"_s}
            << QStringList{u"rect 789.333 200 858.667 560"_s} << QList<int>{14, 18, 21};
        QTest::addRow("slash chord: bass first, the chord above it")
            << u"C/E"_s
            << QStringList{u"circle 460 605 22.5 filled"_s, u"circle 980 605 22.5 filled"_s,
                           u"circle 1396 605 22.5 filled"_s}
            << QStringList{u"circle 564 605 22.5 filled"_s} << QList<int>{16, 24, 31};
        QTest::addRow("unknown type: the name alone")
            << u"Cxyz"_s << QStringList{u"text 200 757.2 8 [Cxyz (not found)]"_s} << QStringList{} << QList<int>{};
    }
    void pianoKeyboard()
    {
        QFETCH(QString, chord);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(QList<int>, notes);
        DiagramFixture f;
        f.usePiano();
        RecordingSurface target;
        DrawChordDiagram(target, music::ParseChord(chord), f.sources(), f.state, f.notes);
        for (const QString& call : std::as_const(present))
            QVERIFY2(target.calls.contains(call), qPrintable(call + u" missing from\n"_s + target.calls.join(u'\n')));
        for (const QString& call : std::as_const(absent))
            QVERIFY2(!target.calls.contains(call), qPrintable(call));
        if (notes.isEmpty())
            QCOMPARE(target.calls.size(), 1);
        QCOMPARE(f.notes.notes(), notes);
        QCOMPARE(target.CurrentX, 0.0);
    }

    void previewScalesFonts()
    {
        DiagramFixture f;
        f.song.chordDefs = {OpenC};
        f.state.ScaleNum = 3;
        f.state.ScaleDen = 2.0;
        const RecordingSurface target = drawAtPen(f, u"C"_s);
        QVERIFY(target.calls.contains(u"text 1200 2893 12 [C]"_s));          // 8 x 3 / 2
        QVERIFY(target.calls.contains(u"text 1816 2231.5 9 [1]"_s));         // 6 x 3 / 2
    }
};

LIRAVOX_TEST_MAIN(ChordDiagramTest)
#include "chorddiagram_test.moc"
