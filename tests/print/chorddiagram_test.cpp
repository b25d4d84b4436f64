#include "diagramfixture.h"
#include "testmain.h"

#include "music/chordsymbol.h"
#include "music/computedfingering.h"
#include "music/notetables.h"
#include "song/globaldictionary.h"

#include <QRegularExpression>
#include <QSet>

using namespace lvx;
using namespace lvx::print;
using music::ChordSymbol;
using music::ComputedFingering;
using music::GuitarChordDef;
using namespace Qt::StringLiterals;

namespace {

using Defs = QList<GuitarChordDef>;

const GuitarChordDef OpenC = lvx::test::fingering(u"C"_s, {-1, 3, 2, 0, 1, 0}, 0);

// "name|origin|base|barre|s1 .. s6"
QString fingeringText(const DrawnFingering& fingering)
{
    QStringList strings;
    for (int string = 1; string <= 6; ++string)
        strings.append(QString::number(fingering.strings[string]));
    const QStringList origins{u"song"_s, u"global"_s, u"computed"_s, u"notfound"_s};
    return QStringList{fingering.name, origins.value(int(fingering.origin)), QString::number(fingering.baseFret),
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

void expectCalls(const RecordingSurface& target, const QStringList& present, const QStringList& absent)
{
    for (const QString& call : present)
        QVERIFY2(target.calls.contains(call), qPrintable(call + u" missing from\n"_s + target.calls.join(u'\n')));
    for (const QString& call : absent)
        QVERIFY2(!target.calls.contains(call), qPrintable(call));
}

enum Filter : int { Chords = 1, Major = 2, Minor = 4, Seventh = 8, Bemol = 16, BassNotRoot = 32, AllFilters = 63 };

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

// What is wrong with a computed shape, or empty.
QString shapeFault(const ComputedFingering& shape, const ChordSymbol& chord, const music::Modos& type)
{
    QSet<int> allowed{chord.bass};
    for (int slot = 0; slot < type.GetNumInv(); ++slot)
        allowed.insert((chord.tone + type.GetInv(slot)) % 12);
    if (shape.baseFret < 0 || shape.baseFret >= 15 || shape.barre != (shape.baseFret >= 1))
        return u"position"_s;
    int fingers = 0;
    QList<int> bassStrings;
    for (int string = 1; string <= 6; ++string) {
        const int fret = music::fretOf(shape.strings[string]);
        const int pitchClass = (music::OpenStringPitches[string] + shape.baseFret + fret) % 12;
        if (fret == -1 ? string <= 3 : fret < 0 || fret > 3 || !allowed.contains(pitchClass))
            return u"string %1 at fret %2"_s.arg(string).arg(fret);
        if (music::hasBassMark(shape.strings[string]))
            bassStrings.append(pitchClass == chord.bass ? string : 0);
        fingers += fret > 0 ? 1 : 0;
    }
    if (bassStrings.size() != 1 || bassStrings.first() < 4)
        return u"bass not on string 6, 5 or 4"_s;
    if (fingers > 4 || (fingers == 4 && shape.barre))
        return u"%1 fingers"_s.arg(fingers);
    return {};
}

} // namespace

class ChordDiagramTest final : public QObject
{
    Q_OBJECT

    DiagramFixture m_dictionary;   // the installed chord types
    QStringList m_unplaced;
    QStringList m_unplacedSlash;

private slots:
    void initTestCase()
    {
        m_dictionary.context.music.chordTypes.clear();
        song::loadGlobalDictionary(m_dictionary.song);
        QVERIFY(m_dictionary.context.music.chordTypes.size() > 0);
    }

    void drawing_data()
    {
        QTest::addColumn<QString>("chord");
        QTest::addColumn<bool>("piano");
        QTest::addColumn<Defs>("songDefs");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QList<int>>("notes");   // what a click on the diagram plays
        const QList<int> openC{12, 16, 19, 24, 28};
        QTest::addRow("six strings, five frets and a doubled nut")
            << u"C"_s << false << Defs{OpenC}
            << QStringList{u"line 1200 2200 1200 2830"_s, u"line 1312 2200 1312 2830"_s, u"line 1424 2200 1424 2830"_s,
                           u"line 1536 2200 1536 2830"_s, u"line 1648 2200 1648 2830"_s, u"line 1760 2200 1760 2830"_s,
                           u"line 1200 2200 1760 2200"_s, u"line 1200 2357 1760 2357"_s, u"line 1200 2515 1760 2515"_s,
                           u"line 1200 2672 1760 2672"_s, u"line 1200 2830 1760 2830"_s, u"line 1200 2220 1760 2220"_s}
            << QStringList{} << openC;
        QTest::addRow("fret numbers start at base + 1 without a barre")
            << u"C"_s << false << Defs{lvx::test::fingering(u"C"_s, {-1, 1, 0, -1, 2, 0}, 2)}
            << QStringList{u"text 1816 2231.5 6 [3]"_s, u"text 1816 2389 6 [4]"_s, u"text 1816 2546.5 6 [5]"_s,
                           u"text 1816 2704 6 [6]"_s}
            << QStringList{u"line 1200 2278.75 1760 2278.75"_s} << QList<int>{12, 16, 27, 30};
        QTest::addRow("name under the grid, X over a muted string, filled circles over open and stopped ones")
            << u"C"_s << false << Defs{OpenC}
            << QStringList{u"text 1200 2893 8 [C]"_s, u"line 1158 2163.25 1242 2079.25"_s,
                           u"line 1158 2079.25 1242 2163.25"_s, u"circle 1760 2121.25 37 filled"_s,
                           u"circle 1536 2121.25 37 filled"_s, u"circle 1312 2593.75 37 filled"_s,
                           u"circle 1424 2436.25 37 filled"_s, u"circle 1648 2278.75 37 filled"_s}
            << QStringList{u"circle 1200 2121.25 37 filled"_s, u"circle 1312 2593.75 37 hollow"_s} << openC;
        QTest::addRow("unknown type: the name over an empty grid")
            << u"Cxyz/E"_s << false << Defs{}
            << QStringList{u"text 1200 2893 8 [Cxyz/E (not found)]"_s, u"line 1200 2200 1760 2200"_s}
            << QStringList{u"circle 1760 2121.25 37 filled"_s} << QList<int>{};
        // G# computed at position 1: 3 0 0 0 2 19 from string 1 to string 6.
        QTest::addRow("computed shape: barre on the first row, numbers from the base, stopped strings a row lower")
            << u"G#"_s << false << Defs{}
            << QStringList{u"line 1200 2278.75 1760 2278.75"_s, u"text 1816 2231.5 6 [1]"_s, u"text 1816 2704 6 [4]"_s,
                           u"circle 1760 2751.25 37 filled"_s, u"circle 1312 2593.75 37 filled"_s,
                           u"circle 1200 2751.25 37 hollow"_s, u"circle 1648 2121.25 37 filled"_s,
                           u"text 1200 2893 8 [G#]"_s}
            << QStringList{u"text 1816 2231.5 6 [2]"_s} << QList<int>{8, 12, 15, 20, 24, 32};
        // Piano keys are 104 wide from x = 1200; marks sit 0.9 x 450 below the top at 2200.
        QTest::addRow("piano C: from the G below the bass up to the top G")
            << u"C"_s << true << Defs{}
            << QStringList{u"text 1200 2757.2 8 [C]"_s, u"line 1200 2200 1304 2200"_s, u"line 2032 2200 2032 2650"_s,
                           u"rect 1269.33 2200 1338.67 2560"_s, u"circle 1564 2605 22.5 filled"_s,
                           u"circle 1772 2605 22.5 filled"_s, u"circle 1980 2605 22.5 filled"_s}
            << QStringList{u"line 2032 2200 2136 2200"_s} << QList<int>{12, 16, 19};
        QTest::addRow("piano: a marked black key split around its circle")
            << u"D"_s << true << Defs{}
            << QStringList{u"rect 1789.33 2200 1858.67 2380"_s, u"rect 1789.33 2470 1858.67 2515"_s,
                           u"circle 1824 2425 22.5 filled"_s, u"circle 1564 2605 22.5 filled"_s,
                           u"circle 1980 2605 22.5 filled"_s}
            << QStringList{u"rect 1789.33 2200 1858.67 2560"_s} << QList<int>{14, 18, 21};
        QTest::addRow("piano slash chord: bass first, the chord above it")
            << u"C/E"_s << true << Defs{}
            << QStringList{u"circle 1460 2605 22.5 filled"_s, u"circle 1980 2605 22.5 filled"_s,
                           u"circle 2396 2605 22.5 filled"_s}
            << QStringList{u"circle 1564 2605 22.5 filled"_s} << QList<int>{16, 24, 31};
        QTest::addRow("a known type with no playable position draws nothing")
            << u"Csolo"_s << false << Defs{} << QStringList{} << QStringList{} << QList<int>{};
        QTest::addRow("no chord at all draws nothing") << u"N.C."_s << false << Defs{} << QStringList{} << QStringList{} << QList<int>{};
        QTest::addRow("no chord at all draws no keyboard") << u"N.C."_s << true << Defs{} << QStringList{} << QStringList{} << QList<int>{};
        QTest::addRow("piano, unknown type: the name alone")
            << u"Cxyz"_s << true << Defs{} << QStringList{u"text 1200 2757.2 8 [Cxyz (not found)]"_s}
            << QStringList{u"circle 1564 2605 22.5 filled"_s} << QList<int>{};
    }
    void drawing()
    {
        QFETCH(QString, chord);
        QFETCH(bool, piano);
        QFETCH(Defs, songDefs);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        DiagramFixture f;
        f.addType(u"solo"_s, {0});   // one note: strings 1 to 3 never share it within four frets
        if (piano)
            f.usePiano();
        f.song.chordDefs = songDefs;
        f.notes.append(7);   // whatever a previous diagram left
        const RecordingSurface target = drawAtPen(f, chord);
        expectCalls(target, present, absent);
        if (present.isEmpty())
            QCOMPARE(target.calls, QStringList{});
        QTEST(f.notes.notes(), "notes");
        QCOMPARE(QPointF(target.CurrentX, target.CurrentY), QPointF(1000, 2000));
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
        const GuitarChordDef barreC = lvx::test::fingering(u"C"_s, {1, 3, 3, 2, 1, 1}, 7);
        const GuitarChordDef lowGC = lvx::test::fingering(u"C"_s, {3, 3, 2, 0, 1, 0}, 0);
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
        DiagramFixture f;
        f.context.app.notation = notation;
        f.song.chordDefs = songDefs;
        f.globalDefs = globalDefs;
        QTEST(fingeringText(guitarFingering(music::ParseChord(chord), f.sources())), "expected");
        f.notes.append(99);   // whatever a previous diagram left
        drawAtPen(f, chord);
        QTEST(f.notes.notes(), "notes");
    }

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
        DiagramFixture f;
        applyFilters(f.song, filters);
        useChords(f.state, chords);
        f.state.NextChordIndex = nextChord;
        RecordingSurface target;
        DrawChordDiagrams(target, target, f.state, f.song, f.sources(), f.notes);
        QTEST(printFlags(f.state), "expected");
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
        DiagramFixture f;
        f.song.ChordPosition = qint16(position);
        f.state.TextRight = textRight;
        f.state.TextBottom = textBottom;
        useChords(f.state, QStringList(chordCount, u"C"_s));
        RecordingSurface reference;
        RecordingSurface target(100, 100);   // the page size comes from the reference
        target.ForeColor = 255;
        DrawChordDiagrams(target, reference, f.state, f.song, f.sources(), f.notes);
        QTEST(cellCorners(target), "corners");
        QTEST(f.state.NextChordIndex, "nextChord");
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

    // Every chord type of the installed Chords.dat on every tonic and bass: a
    // computed guitar shape only ever sounds the chord's own notes, keeps its bass on
    // one of the three low strings and fits a hand.
    void everyTypeOnEveryRoot_data()
    {
        QTest::addColumn<QString>("typeName");
        for (const music::Modos& type : m_dictionary.context.music.chordTypes)
            QTest::newRow(qPrintable(type.Nombre)) << type.Nombre;
    }
    void everyTypeOnEveryRoot()
    {
        QFETCH(QString, typeName);
        const music::Modos& type = *m_dictionary.context.music.chordTypes.find(typeName);
        // No dictionary: every diagram below is a computed one.
        const QList<music::GuitarChordDef> none;
        const DiagramSources sources{m_dictionary.context.app, m_dictionary.context.music.chordTypes, none, none};
        for (int tone = 0; tone < 12; ++tone) {
            for (int bass = 0; bass < 12; ++bass) {
                const ChordSymbol chord{{}, qint16(tone), true, qint16(bass), true, typeName};
                const QString name = music::FormatChord(chord, u"C"_s);
                const std::optional<ComputedFingering> shape = music::computeFingering(chord, type);
                RecordingSurface target;
                DrawChordDiagram(target, chord, sources, m_dictionary.state, m_dictionary.notes);
                if (!shape) {
                    (tone == bass ? m_unplaced : m_unplacedSlash).append(name);
                    QVERIFY2(target.calls.isEmpty(), qPrintable(name));
                    QVERIFY2(m_dictionary.notes.notes().isEmpty(), qPrintable(name));
                    continue;
                }
                const QString fault = shapeFault(*shape, chord, type);
                QVERIFY2(fault.isEmpty(), qPrintable(name + u": "_s + fault));
                QCOMPARE(m_dictionary.notes.notes(), music::computedNotes(*shape));
                QVERIFY2(target.calls.contains(u"text 200 893 8 ["_s + name + u']'), qPrintable(name));
            }
        }
    }

    // The common chords must always get a shape; the rest is reported.
    void commonChordsAlwaysPlace()
    {
        for (const QString& name : std::as_const(m_unplaced))
            QVERIFY2(!name.contains(QRegularExpression(u"^[A-G]#?(m|7)?$"_s)), qPrintable(name));
        qInfo("%lld plain chords without a computed shape: %s", qlonglong(m_unplaced.size()),
              qPrintable(m_unplaced.join(u' ')));
        qInfo("%lld slash chords without a computed shape: %s", qlonglong(m_unplacedSlash.size()),
              qPrintable(m_unplacedSlash.join(u' ')));
    }
};

LIRAVOX_TEST_MAIN(ChordDiagramTest)
#include "chorddiagram_test.moc"
