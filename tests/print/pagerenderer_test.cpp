#include "recordingsurface.h"
#include "testmain.h"

#include "../song/songfixture.h"

#include "print/pagerenderer.h"

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

// A song with known margins and fonts, rendered onto one recording surface that
// is target and reference at once, as when printing.
struct Rig
{
    SongFixture f;
    RecordingSurface page;
    PrintState state;
    int diagramCalls = 0;
    PageRenderer renderer{state, f.song, f.messages, [this](Surface&, Surface&) { ++diagramCalls; }};

    Rig()
    {
        f.song.LoadFile();
        f.messages.clear();
        f.song.MargenL = 800;
        f.song.MargenR = 600;
        f.song.MargenT = 1000;
        f.song.MargenB = 1000;
        state.ToPaper = true;
        state.TextTop = 1000;
        page.CurrentY = 1000;
    }

    void line(const QString& markup) { renderer.RenderMarkupLine(page, page, markup); }

    // Renders markup lines as a print does and returns the number of pages.
    int print(const QStringList& lines)
    {
        state.MarkupLines = lines;
        renderer.renderPages(page, page, false, [this](bool) {
            page.NewPage();
            return true;
        });
        return page.page;
    }

    QStringList texts() const { return page.callsOf(u"text"_s); }
};

} // namespace

class PageRendererTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void textRunsFromTheColumnEdge()
    {
        Rig rig;
        rig.line(u"<FS:10>ab<B>cd<CR><LF>ef"_s);
        QCOMPARE(rig.texts(), (QStringList{u"text 800 1000 10 [ab]"_s, u"text 1000 1000 10 [cd]"_s, u"text 800 1240 10 [ef]"_s}));
        QVERIFY(rig.page.FontBold);
        QCOMPARE(rig.state.TextRight, 1200.0);
        QCOMPARE(rig.state.MaxLineHeight, 240.0);
    }

    void lineFeedDownAndBackUp()
    {
        Rig rig;
        rig.line(u"<FS:8><LF:0.75><FS:10>lyric<FS:8><CR></LF>chord"_s);
        // 0.75 of an 8-point line is 144 twips; the chord row goes back to the start height.
        QCOMPARE(rig.texts(), (QStringList{u"text 800 1144 10 [lyric]"_s, u"text 800 1000 8 [chord]"_s}));
        QCOMPARE(rig.page.CurrentY, 1000.0);
    }

    void unclosedTagIsReportedOnceAndPrinted()
    {
        Rig rig;
        rig.line(u"<FS:10>a < b"_s);
        rig.line(u"c <"_s);
        QCOMPARE(rig.f.messages.texts(), QStringList{u"Error falta >"_s});
        QCOMPARE(rig.texts().mid(0, 2), (QStringList{u"text 800 1000 10 [a ]"_s, u"text 1000 1000 10 [ b]"_s}));
    }

    void unknownTagsAndBadNumbersAreHarmless()
    {
        Rig rig;
        // Sizes a page cannot show are drawn at the nearest it can.
        rig.line(u"<FS:abc><XYZ:1><LF:x>t<FS:99999>u"_s);
        QCOMPARE(rig.page.CurrentY, 1000.0);
        QCOMPARE(rig.texts(), (QStringList{u"text 800 1000 4 [t]"_s, u"text 840 1000 200 [u]"_s}));
    }

    void centredText()
    {
        Rig rig;
        rig.line(u"<FS:10><C>abcd<CR><LF>"_s);
        // Between the column edge and the right margin: 800 + (12240 - 600 - 800) / 2 - 400 / 2.
        QCOMPARE(rig.texts(), QStringList{u"text 6020 1000 10 [abcd]"_s});
        // A "<" of the text stays in its piece, centred with it.
        rig.line(u"<FS:10><C>a<LT>cd<CR><LF>"_s);
        QCOMPARE(rig.texts().last(), u"text 6020 1240 10 [a<cd]"_s);
    }

    void colourOnPaperFollowsTheColourOption()
    {
        Rig rig;
        rig.line(u"<FC:255>x"_s);
        QCOMPARE(rig.page.ForeColor, 0);
        rig.state.ColorPrinting = true;
        rig.line(u"<FC:255>x"_s);
        QCOMPARE(rig.page.ForeColor, 255);
        rig.state.ToPaper = false;
        rig.state.ColorPrinting = false;
        rig.line(u"<FC:16711680>x"_s);
        QCOMPARE(rig.page.ForeColor, 16711680);
    }

    void sectionMarks_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QStringList>("lines");
        // h = 240 (a 10-point line); x0 = 800.
        const QStringList chorusStart{u"line 700 1120 1800 1120"_s, u"line 1600 1120 2600 1120"_s, u"line 700 1120 700 1480"_s};
        QTest::addRow("chorus start") << u"<FS:10><SOC>"_s << chorusStart;
        QTest::addRow("end without an open mark draws nothing") << u"<FS:10><EOC>"_s << QStringList{};
        QTest::addRow("chorus closed") << u"<FS:10><SOC><EOC>"_s
                                       << chorusStart + QStringList{u"line 700 760 700 1120"_s, u"line 700 1120 1800 1120"_s};
        QTest::addRow("a bridge closes the open chorus first")
            << u"<FS:10><SOC><SOB>"_s
            << chorusStart + QStringList{u"line 700 760 700 1120"_s, u"line 700 1120 1800 1120"_s, u"line 700 1120 1800 1120"_s,
                                         u"line 1600 1120 2600 1120"_s, u"line 700 1120 700 1480"_s};
    }
    void sectionMarks()
    {
        QFETCH(QString, markup);
        QFETCH(QStringList, lines);
        Rig rig;
        rig.line(markup);
        QCOMPARE(rig.page.callsOf(u"line"_s), lines);
        QCOMPARE(rig.page.CurrentX, 800.0);
        QCOMPARE(rig.page.CurrentY, 1000.0);
    }

    void markLabels_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("label");
        QTest::addRow("block carries its name") << u"<FS:10><SOBLK:Coda>"_s << u" Coda "_s;
        QTest::addRow("chorus") << u"<FS:10><SOC>"_s << u" Chorus "_s;
        QTest::addRow("chorus with its own label") << u"<FS:10><SOC:Chorus 2>"_s << u" Chorus 2 "_s;
        QTest::addRow("bridge with its own label") << u"<FS:10><SOB:Bridge 1>"_s << u" Bridge 1 "_s;
    }
    void markLabels()
    {
        QFETCH(QString, markup);
        QFETCH(QString, label);
        Rig rig;
        rig.line(markup);
        QCOMPARE(rig.texts(), QStringList{u"text 800 880 10 [" + label + u']'});
    }

    void headerAndFooter()
    {
        Rig rig;
        rig.state.PrintTitle = u"Song"_s;
        rig.state.PrintSubTitle = u"Me"_s;
        rig.renderer.DrawHeader(rig.page, rig.page);
        rig.renderer.DrawFooter(rig.page, rig.page);
        QCOMPARE(rig.page.callsOf(u"line"_s), (QStringList{u"line 800 750 11640 750"_s, u"line 800 15090 11640 15090"_s}));
        // The footer font is 10 points: "Page    " is 800 twips wide.
        QCOMPARE(rig.texts(), (QStringList{u"text 800 15190 10 [Song - Me]"_s, u"text 10840 15190 10 [Page 1]"_s}));
    }

    void pageBreaks_data()
    {
        QTest::addColumn<QStringList>("markup");
        QTest::addColumn<int>("pages");
        const QString line = u"<FS:10>x<CR><LF>"_s;
        QTest::addRow("one page") << QStringList{line, line} << 1;
        QTest::addRow("new page after the line holding it") << QStringList{line, u"<NP>"_s, line} << 2;
        QTest::addRow("two new pages give an empty page") << QStringList{line, u"<NP>"_s, u"<NP>"_s, line} << 3;
        QTest::addRow("column break outside two columns starts a page") << QStringList{line, u"<CB>"_s, line} << 2;
        QTest::addRow("full page continues on the next") << QStringList(60, line) << 2;
    }
    void pageBreaks()
    {
        QFETCH(QStringList, markup);
        QFETCH(int, pages);
        Rig rig;
        QCOMPARE(rig.print(markup), pages);
        QCOMPARE(rig.page.callsOf(u"newpage"_s).size(), pages - 1);
        QCOMPARE(rig.diagramCalls, pages);
        QStringList footers;
        for (int page = 1; page <= pages; ++page)
            footers.append(u"[Page " + QString::number(page) + u']');
        QStringList printed;
        for (const QString& text : rig.texts()) {
            if (text.contains(u"[Page "))
                printed.append(text.section(u' ', 4));
        }
        QCOMPARE(printed, footers);
    }

    void pageEndsAfterTheLineThatReachesTheBottom()
    {
        Rig rig;
        // 240 twips a line from 1000: line 57 reaches 14680 >= 15840 - 1000 - 240.
        const QStringList lines(57, u"<FS:10>x<CR><LF>"_s);
        rig.print(lines + QStringList{u"<FS:10>y<CR><LF>"_s});
        const QStringList texts = rig.texts();
        QVERIFY(texts.contains(u"text 800 14440 10 [x]"_s));
        QVERIFY(texts.contains(u"text 800 1000 10 [y]"_s));
    }

    void twoColumns()
    {
        Rig rig;
        const QString line = u"<FS:10>x<CR><LF>"_s;
        rig.print({line, u"<TCOn>"_s, line, u"<CB>"_s, u"<FS:10>second<CR><LF>"_s, u"<CB>"_s, u"<FS:10>next page<CR><LF>"_s});
        const QStringList texts = rig.texts();
        // The second column starts at the height of the two-column tag, half the text width over.
        QVERIFY2(texts.contains(u"text 6220 1240 10 [second]"_s), qPrintable(texts.join(u'\n')));
        QCOMPARE(rig.page.page, 2);
        // On the next page the second column's top stays where it was.
        QVERIFY2(texts.contains(u"text 800 1000 10 [next page]"_s), qPrintable(texts.join(u'\n')));
    }
};

LIRAVOX_TEST_MAIN(PageRendererTest)
#include "pagerenderer_test.moc"
