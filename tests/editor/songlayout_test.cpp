#include "linenotation.h"
#include "testmain.h"

#include "editor/songlayout.h"

using namespace lvx;
using namespace lvx::editor;
using namespace lvx::test;
using namespace Qt::StringLiterals;

namespace {

// Fixed metrics so every coordinate can be worked out by hand: a character is
// size × 10 twips wide, a line size × 20 twips high; an empty text has no height,
// as some real measures report it.
class FixedMeasure final : public TextMeasure
{
public:
    double textWidth(const Fonts& font, QStringView text) const override { return font.Size * 10.0 * text.size(); }
    double textHeight(const Fonts& font, QStringView text) const override
    {
        return text.isEmpty() ? 0.0 : font.Size * 20.0;
    }
};

// Sizes tell the roles apart: Lyric lines are 200 high and 100 per character,
// Chord labels 240 and 120, Comment 180 and 90. The header is 400 + 300 high,
// so the rule is at 900 and the first line starts at 1000.
FontSet makeFonts()
{
    FontSet set;
    const QList<std::pair<QString, qint16>> roles = {
        {u"Title"_s, 20}, {u"SubTitle"_s, 15}, {u"Lyric"_s, 10}, {u"Comment"_s, 9},
        {u"Control"_s, 8}, {u"Tablature"_s, 11}, {u"Chord"_s, 12},
    };
    for (const auto& [role, size] : roles) {
        Fonts font;
        font.Create(role, u"Face"_s, size, false, false, 0);
        set.add(font);
    }
    return set;
}

LayoutInput window(double innerHeight = 10000, int topLine = 1)
{
    LayoutInput input;
    input.TopLine = topLine;
    input.innerWidth = 8000;
    input.innerHeight = innerHeight;
    return input;
}

SongLayout layOut(const QString& song, const LayoutInput& input = window())
{
    return layoutSong(parseSong(song), makeFonts(), input, FixedMeasure());
}

QString labelRow(const SongLayout& layout)
{
    QStringList labels;
    for (const LabelPlacement& label : layout.labels)
        labels.append(label.caption + u' ' + QString::number(label.x) + u' ' + QString::number(label.width));
    return labels.join(QStringLiteral(" | "));
}

QString boxRoles(const SongLayout& layout)
{
    QStringList roles;
    for (const BoxPlacement& box : layout.boxes)
        roles.append(box.role);
    return roles.join(u' ');
}

} // namespace

class SongLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void chordLabels_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("labels");   // caption, left, width
        QTest::addRow("each label stands 30 right of its character")
            << u"[G]He[Am]llo"_s << QString() << u"G 630 180 | Am 830 300"_s;
        QTest::addRow("a wide label pushes the next one right")
            << u"[Cmaj7]a[G]b"_s << QString() << u"Cmaj7 630 660 | G 1290 180"_s;
        QTest::addRow("solfege names") << u"[C#m7/G#]la"_s << u"solfege"_s << u"Do#m7/Sol# 630 1260"_s;
        QTest::addRow("a text label loses its apostrophe and takes the comment font")
            << u"['Intro]la"_s << QString() << u"Intro 630 510"_s;
        QTest::addRow("capo 2, sounding chords") << u"{12m}{capo: 2} | [G]He[Am]llo"_s << u"sounding"_s
                                                 << u"A 630 180 | Bm 830 300"_s;
        QTest::addRow("capo 2, chords as played") << u"{12m}{capo: 2} | [G]He[Am]llo"_s << QString()
                                                  << u"G 630 180 | Am 830 300"_s;
        QTest::addRow("chords moved from a transpose until transpose 0")
            << u"[C]a | {12}{transpose: 2} | [C]b | {12}{transpose: 0} | [C]c"_s << QString()
            << u"C 630 180 | D 630 180 | C 630 180"_s;
    }
    void chordLabels()
    {
        QFETCH(QString, line);
        QFETCH(QString, option);
        LayoutInput input = window();
        input.letters = option != u"solfege";
        input.soundingChords = option == u"sounding";
        QTEST(labelRow(layOut(line, input)), "labels");
    }

    void chordRowSitsOverItsLyric()
    {
        const SongLayout layout = layOut(u"[G]He[Am]llo | next"_s);
        QCOMPARE(std::pair(layout.ruleY, layout.scrollBarTop), std::pair(900.0, 910.0));
        const LabelPlacement& label = layout.labels.first();
        QCOMPARE((QList<double>{label.y, label.height, double(label.font.Size)}), (QList<double>{1000, 240, 12}));

        // The lyric starts at 95 % of the chord row and the next line right below it.
        const BoxPlacement& lyric = layout.boxes.at(0);
        QCOMPARE((QList<double>{lyric.x, lyric.y, lyric.width, lyric.height, layout.boxes.at(1).y}),
                 (QList<double>{600, 1228, 7300, 200, 1428}));

        QList<double> strokes;
        for (const Stroke& stroke : layout.connectors)
            strokes += {stroke.x1, stroke.y1, stroke.x2, stroke.y2};
        QCOMPARE(strokes, (QList<double>{500, 1120, 590, 1120, 500, 1120, 500, 1328, 500, 1328, 590, 1328}));

        // The song's facts under the subtitle, in the comment font, move the rule and every line down.
        LayoutInput withFacts = window();
        withFacts.facts = u"Key G"_s;
        const SongLayout faced = layOut(u"[G]He[Am]llo | next"_s, withFacts);
        QCOMPARE(faced.factsHeight, 180.0);
        QCOMPARE((QList<double>{faced.ruleY, faced.boxes.at(0).y}), (QList<double>{1080, 1408}));
        QVERIFY(scrollPage(faced, 10000, FixedMeasure()).visibleLines < scrollPage(layout, 10000, FixedMeasure()).visibleLines);
    }

    void shownChordsAreTheValidOnes()
    {
        const SongLayout layout =
            layOut(u"[G]a[CM7]b['Intro]c[N.C.]d[G]e | {41}Start of Tab | [D]x | {42}End of Tab"_s);
        QCOMPARE(layout.shownChords, (QStringList{u"G"_s, u"CM7"_s, u"G"_s}));
    }

    void lineKinds_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("box");   // left, role (and font), locked or not, width
        QTest::addRow("lyric") << u"la"_s << u"600 Lyric editable 7300"_s;
        QTest::addRow("comment") << u"{6}note"_s << u"600 Comment editable 7300"_s;
        QTest::addRow("block start takes its name") << u"{8}Intro"_s << u"200 Control editable 7700"_s;
        QTest::addRow("chorus") << u"{21}Start of Chorus"_s << u"200 Control locked 7700"_s;
        QTest::addRow("line kept as read is greyed like a note") << u"{12}{artist: Me}"_s << u"200 Comment locked 7700"_s;
        QTest::addRow("a line wider than the window is as wide as its text, and room for the caret")
            << QString(100, u'w') << u"600 Lyric editable 10200"_s;
    }
    void lineKinds()
    {
        QFETCH(QString, line);
        const SongLayout layout = layOut(line);
        const BoxPlacement box = layout.boxes.first();
        QCOMPARE(box.font.Source, box.role);
        QTEST(u"%1 %2 %3 %4"_s.arg(box.x).arg(box.role, box.locked ? u"locked"_s : u"editable"_s).arg(box.width), "box");
        QCOMPARE(box.kept, line.startsWith(u"{12}"));
        // The text's own width, and room for the caret.
        QCOMPARE(layout.contentWidth, box.x + box.font.Size * 10.0 * parseLine(line).text.size() + 200.0);
    }

    void tablature_data()
    {
        QTest::addColumn<int>("topLine");
        QTest::addColumn<double>("innerHeight");
        QTest::addColumn<QString>("roles");
        QTest::addRow("from the top") << 1 << 10000.0 << u"Control Tablature Tablature Control Lyric"_s;
        // Control lines are 160 high, tablature 220: from line 3 on, the song's end fills 2000.
        QTest::addRow("scrolled into the section") << 3 << 2000.0 << u"Tablature Control Lyric"_s;
    }
    void tablature()
    {
        QFETCH(int, topLine);
        QFETCH(double, innerHeight);
        const SongLayout layout = layOut(u"{41}Start of Tab | [G]e|--0-- | [A]B|--1-- | {42}End of Tab | [C]la"_s,
                                         window(innerHeight, topLine));
        QTEST(boxRoles(layout), "roles");
        const BoxPlacement& first = layout.boxes.first();
        QCOMPARE(std::pair(first.slot, first.lineIndex), std::pair(1, topLine - 1));
        // Tab lines get no chord row: the first box starts right under the rule.
        QCOMPARE(first.y, 1000.0);
        QCOMPARE(layout.labels.size(), 1);
        QCOMPARE(layout.labels.first().lineIndex, 4);
        QCOMPARE(layout.scrollBarVisible, topLine > 1);
    }

    // The song's facts keep their place among the lines but take no box; a
    // line kept as read that states none is still shown greyed.
    void factsTakeNoBox()
    {
        QList<song::SongLine> lines = parseSong(u"{12}{artist: Me} | la | {12}{key: G} | {12}{textsize: 9} | lo"_s);
        lines[0].metadata = true;
        lines[2].metadata = true;
        const SongLayout layout = layoutSong(lines, makeFonts(), window(), FixedMeasure());
        QStringList shown;
        for (const BoxPlacement& box : layout.boxes)
            shown.append(u"%1:%2%3"_s.arg(box.slot).arg(box.lineIndex).arg(box.kept ? u" kept"_s : QString()));
        QCOMPARE(shown.join(u", "), u"1:1, 2:3 kept, 3:4"_s);
        QCOMPARE(layout.boxes.first().y, 1000.0);
    }

    void bottomLimit_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<double>("innerHeight");
        QTest::addColumn<int>("maxSlots");
        QTest::addColumn<int>("topLine");
        QTest::addColumn<QString>("shown");   // first and last line shown, scroll maximum, scroll bar
        // Lines of 200 from y 1000; the limit is the inner height less 500.
        QTest::addRow("everything fits") << 5 << 10000.0 << 40 << 1 << u"1-5 1"_s;
        QTest::addRow("the line crossing the limit stays") << 5 << 2000.0 << 40 << 1 << u"1-3 3 bar"_s;
        QTest::addRow("the slots run out") << 10 << 100000.0 << 4 << 1 << u"1-4 7 bar"_s;
        QTest::addRow("scrolled to the end, the last screen is full") << 5 << 2000.0 << 40 << 5 << u"3-5 3 bar"_s;
    }
    void bottomLimit()
    {
        QFETCH(int, lineCount);
        QFETCH(double, innerHeight);
        QFETCH(int, topLine);
        LayoutInput input = window(innerHeight, topLine);
        QFETCH(int, maxSlots);
        input.maxSlots = maxSlots;
        const SongLayout layout = layOut(QStringList(lineCount, u"la"_s).join(QStringLiteral(" | ")), input);
        QCOMPARE(layout.boxes.size(), layout.LastShownLine - layout.TopLine + 1);
        const QString bar = layout.scrollBarVisible ? u" bar"_s : QString();
        QTEST(u"%1-%2 %3%4"_s.arg(layout.TopLine).arg(layout.LastShownLine).arg(layout.scrollMaximum).arg(bar), "shown");
    }

};

LIRAVOX_TEST_MAIN(SongLayoutTest)
#include "songlayout_test.moc"
