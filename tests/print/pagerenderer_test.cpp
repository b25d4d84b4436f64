#include "recordingsurface.h"
#include "testmain.h"

#include "../song/songfixture.h"

#include "print/pagerenderer.h"
#include "print/pagetemplate.h"
#include "print/printmarkup.h"

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

// A song with known margins and fonts, rendered onto one recording surface that
// is target and reference at once, as when printing.
struct PageRig
{
    SongFixture f;
    RecordingSurface page;
    PrintState state;
    int diagramCalls = 0;
    PageRenderer renderer{state, f.song, f.messages, [this](Surface&, Surface&) { ++diagramCalls; }};

    PageRig()
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

const QString Title = u"<FN:Comic Sans MS><FC:0><FS:20><B></I>"_s;
const QString SubTitle = u"<FN:Comic Sans MS><FC:0><FS:16><B></I>"_s;
const QString Lyric = u"<FN:Comic Sans MS><FC:0><FS:10></B></I>"_s;
const QString Chord = u"<FN:Arial><FC:255><FS:8></B><I>"_s;
const QString Comment = u"<FN:Comic Sans MS><FC:16711680><FS:8></B></I>"_s;
const QString Tablature = u"<FN:Courier New><FC:65280><FS:10></B></I>"_s;

struct Printed
{
    QStringList lines;
    QList<UsedChord> used;
    QStringList messages;
};

// The markup of a song text, measured with the recording surface's fixed metrics
// (a Lyric character is 100 twips wide, a Chord character 80).
Printed markup(const QString& text, const QString& option = {})
{
    SongFixture f;
    f.song.LoadFile();   // the default fonts
    f.messages.clear();
    f.song.StringToLinesRec(text);
    f.context.app.LyricsOnly = option == u"lyrics";
    f.context.app.ChordsOnly = option == u"chords";
    f.context.app.soundingChords = option == u"sounding";
    RecordingSurface surface;
    PrintState state;
    // A print keeps the chord names it has read, but not across a change of notation.
    if (option == u"solfege after letters") {
        f.context.app.notation = u"C"_s;
        BuildPrintMarkup(surface, f.song, f.context.app, state, f.messages);
    }
    f.context.app.notation = option.startsWith(u"solfege") ? u"Do"_s : u"C"_s;
    BuildPrintMarkup(surface, f.song, f.context.app, state, f.messages);
    return {state.MarkupLines, state.UsedChords, f.messages.texts()};
}

QString chordLine(const QString& lyric, const QString& row)
{
    return Chord + u"<LF:0.75>" + Lyric + lyric + Chord + u"<CR></LF>" + row + u"<LF:0.75>" + Lyric + u"<CR><LF> ";
}

} // namespace

class PageRendererTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void textsLandWhereTheMarkupSays_data()
    {
        QTest::addColumn<QStringList>("markup");
        QTest::addColumn<QStringList>("texts");
        QTest::addRow("text runs from the column edge, a new line goes back to it")
            << QStringList{u"<FS:10>ab<B>cd<CR><LF>ef"_s}
            << QStringList{u"text 800 1000 10 [ab]"_s, u"text 1000 1000 10 [cd]"_s, u"text 800 1240 10 [ef]"_s};
        // 0.75 of an 8-point line is 144 twips; the chord row goes back to the start height.
        QTest::addRow("line feed down and back up") << QStringList{u"<FS:8><LF:0.75><FS:10>lyric<FS:8><CR></LF>chord"_s}
                                                    << QStringList{u"text 800 1144 10 [lyric]"_s, u"text 800 1000 8 [chord]"_s};
        QTest::addRow("unknown tags and bad numbers are harmless, sizes kept within what a page shows")
            << QStringList{u"<FS:abc><XYZ:1><LF:x>t<FS:99999>u"_s}
            << QStringList{u"text 800 1000 4 [t]"_s, u"text 840 1000 200 [u]"_s};
        // Between the column edge and the right margin: 800 + (12240 - 600 - 800) / 2 - 400 / 2.
        QTest::addRow("centred text, a '<' of the text centred with it")
            << QStringList{u"<FS:10><C>abcd<CR><LF>"_s, u"<FS:10><C>a<LT>cd<CR><LF>"_s}
            << QStringList{u"text 6020 1000 10 [abcd]"_s, u"text 6020 1240 10 [a<cd]"_s};
        QTest::addRow("block label") << QStringList{u"<FS:10><SOBLK:Coda>"_s} << QStringList{u"text 800 880 10 [ Coda ]"_s};
        QTest::addRow("chorus label") << QStringList{u"<FS:10><SOC>"_s} << QStringList{u"text 800 880 10 [ Chorus ]"_s};
        QTest::addRow("bridge with its own label")
            << QStringList{u"<FS:10><SOB:Bridge 1>"_s} << QStringList{u"text 800 880 10 [ Bridge 1 ]"_s};
    }
    void textsLandWhereTheMarkupSays()
    {
        QFETCH(QStringList, markup);
        PageRig rig;
        for (const QString& line : markup)
            rig.line(line);
        QTEST(rig.texts(), "texts");
        QVERIFY(rig.f.messages.texts().isEmpty());
    }

    void boldAndLineHeightAreKept()
    {
        PageRig rig;
        rig.line(u"<FS:10>ab<B>cd<CR><LF>ef"_s);
        QVERIFY(rig.page.FontBold);
        QCOMPARE(rig.state.TextRight, 1200.0);
        QCOMPARE(rig.state.MaxLineHeight, 240.0);
        rig.line(u"</B>gh"_s);
        QVERIFY(!rig.page.FontBold);
    }

    void unclosedTagIsReportedOnceAndPrinted()
    {
        PageRig rig;
        rig.line(u"<FS:10>a < b"_s);
        rig.line(u"c <"_s);
        QCOMPARE(rig.f.messages.texts(), QStringList{u"Error falta >"_s});
        QCOMPARE(rig.texts().mid(0, 2), (QStringList{u"text 800 1000 10 [a ]"_s, u"text 1000 1000 10 [ b]"_s}));
    }

    void colourOnPaperFollowsTheColourOption()
    {
        PageRig rig;
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
        PageRig rig;
        rig.line(markup);
        QCOMPARE(rig.page.callsOf(u"line"_s), lines);
        QCOMPARE(rig.page.CurrentX, 800.0);
        QCOMPARE(rig.page.CurrentY, 1000.0);
    }

    // Header and footer follow their templates: an empty field takes its
    // separator with it, the copyright is under the first page's footer only.
    void headerAndFooter_data()
    {
        QTest::addColumn<QString>("subtitle");
        QTest::addColumn<QString>("facts");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("footer");
        QTest::addColumn<QStringList>("texts");   // two pages' header and footer
        const QString footer = AppState::defaultPageFooter();
        // The footer font is 10 points: "Page    " is 800 twips wide.
        QTest::addRow("title and subtitle at the left, the page at the right")
            << u"Me"_s << QString() << QString() << footer
            << QStringList{u"text 800 15190 10 [Song - Me]"_s, u"text 10840 15190 10 [Page 1]"_s,
                           u"text 800 15190 10 [Song - Me]"_s, u"text 10840 15190 10 [Page 2]"_s};
        QTest::addRow("a blank subtitle, no bare separator") << u"  "_s << QString() << QString() << footer
            << QStringList{u"text 800 15190 10 [Song]"_s, u"text 10840 15190 10 [Page 1]"_s,
                           u"text 800 15190 10 [Song]"_s, u"text 10840 15190 10 [Page 2]"_s};
        QTest::addRow("facts in both, centred and at the right")
            << QString() << u"{artist: Marty Robbins}\r\n{key: G}"_s << u"%{artist}||Key %{key}"_s
            << u"|%{title}, %{artist} (%{year})|%{page}"_s
            << QStringList{u"text 800 460 10 [Marty Robbins]"_s, u"text 11140 460 10 [Key G]"_s,
                           u"text 5270 15190 10 [Song, Marty Robbins]"_s, u"text 11340 15190 10 [1]"_s,
                           u"text 800 460 10 [Marty Robbins]"_s, u"text 11140 460 10 [Key G]"_s,
                           u"text 5270 15190 10 [Song, Marty Robbins]"_s, u"text 11340 15190 10 [2]"_s};
        QTest::addRow("the copyright under the first footer") << QString() << u"{copyright: (c) 1959 Someone}"_s
            << QString() << u"||%{page}"_s
            << QStringList{u"text 11340 15190 10 [1]"_s, u"text 5420 15430 10 [(c) 1959 Someone]"_s,
                           u"text 11340 15190 10 [2]"_s};
        QTest::addRow("a part without fields stays, an unknown field is empty")
            << QString() << QString() << u"Songbook|%{nothing}"_s << u"%{title"_s
            << QStringList{u"text 800 460 10 [Songbook]"_s, u"text 800 15190 10 [%{title]"_s,
                           u"text 800 460 10 [Songbook]"_s, u"text 800 15190 10 [%{title]"_s};
    }
    // An empty field takes the text beside it along, never leaving a bare separator.
    void templateFields_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("expanded");   // title empty, subtitle "Me", artist "Marty", year empty, album "Hits"
        QTest::addRow("no title: the subtitle alone") << u"%{title} - %{subtitle}"_s << u"Me"_s;
        QTest::addRow("an empty field between two filled ones") << u"%{artist}, %{year}, %{album}"_s << u"Marty, Hits"_s;
        QTest::addRow("text around a filled field") << u"by %{artist}."_s << u"by Marty."_s;
        QTest::addRow("text around an empty field") << u"(%{year})"_s << QString();
        QTest::addRow("no field at all") << u"Songbook"_s << u"Songbook"_s;
        QTest::addRow("nothing filled, nothing left") << u"%{title} - %{year}"_s << QString();
    }
    void templateFields()
    {
        QFETCH(QString, part);
        const QHash<QString, QString> values{{u"subtitle"_s, u"Me"_s}, {u"artist"_s, u"Marty"_s}, {u"album"_s, u"Hits"_s}};
        QTEST(expandTemplate(part, [&](QStringView name) { return values.value(name.toString()); }), "expanded");
    }

    void headerAndFooter()
    {
        QFETCH(QString, facts);
        PageRig rig;
        rig.f.song.StringToLinesRec(facts);
        rig.state.PrintTitle = u"Song"_s;
        QFETCH(QString, subtitle);
        rig.state.PrintSubTitle = subtitle;
        QFETCH(QString, header);
        rig.state.HeaderTemplate = header;
        QFETCH(QString, footer);
        rig.state.FooterTemplate = footer;
        for (int page = 1; page <= 2; ++page) {
            rig.renderer.DrawHeader(rig.page, rig.page);
            rig.renderer.DrawFooter(rig.page, rig.page);
            rig.page.NewPage();
        }
        QCOMPARE(rig.page.callsOf(u"line"_s).mid(0, 2), (QStringList{u"line 800 750 11640 750"_s, u"line 800 15090 11640 15090"_s}));
        QTEST(rig.texts(), "texts");
    }

    void pageBreaks_data()
    {
        QTest::addColumn<QStringList>("markup");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("shown");   // among the texts drawn
        const QString line = u"<FS:10>x<CR><LF>"_s;
        QTest::addRow("one page") << QStringList{line, line} << 1 << QStringList{};
        QTest::addRow("new page after the line holding it") << QStringList{line, u"<NP>"_s, line} << 2 << QStringList{};
        QTest::addRow("two new pages give an empty page") << QStringList{line, u"<NP>"_s, u"<NP>"_s, line} << 3 << QStringList{};
        QTest::addRow("column break outside two columns starts a page") << QStringList{line, u"<CB>"_s, line} << 2 << QStringList{};
        // 240 twips a line from 1000: line 57 reaches 14680 >= 15840 - 1000 - 240.
        QTest::addRow("the page ends after the line that reaches the bottom")
            << QStringList(57, line) + QStringList{u"<FS:10>y<CR><LF>"_s} << 2
            << QStringList{u"text 800 14440 10 [x]"_s, u"text 800 1000 10 [y]"_s};
        // The second column starts at the height of the two-column tag, half the text width over;
        // on the next page its top stays where it was.
        QTest::addRow("two columns")
            << QStringList{line, u"<TCOn>"_s, line, u"<CB>"_s, u"<FS:10>second<CR><LF>"_s, u"<CB>"_s, u"<FS:10>next page<CR><LF>"_s}
            << 2 << QStringList{u"text 6220 1240 10 [second]"_s, u"text 800 1000 10 [next page]"_s};
    }
    void pageBreaks()
    {
        QFETCH(QStringList, markup);
        QFETCH(int, pages);
        QFETCH(QStringList, shown);
        PageRig rig;
        QCOMPARE(rig.print(markup), pages);
        QCOMPARE(rig.page.callsOf(u"newpage"_s).size(), pages - 1);
        QCOMPARE(rig.diagramCalls, pages);
        const QStringList texts = rig.texts();
        QCOMPARE(texts.filter(u"[Page "_s).size(), pages);
        QVERIFY(texts.last().endsWith(u"[Page "_s + QString::number(pages) + u']'));
        for (const QString& text : shown)
            QVERIFY2(texts.contains(text), qPrintable(text + u" not in\n"_s + texts.join(u'\n')));
    }

    void songWithoutLinesGivesTitleSubtitleAndClose()
    {
        const Printed printed = markup(u"{t:Song}\r\n{st:By me}"_s);
        QCOMPARE(printed.lines, (QStringList{Title + u"<C>Song<CR><LF>", SubTitle + u"<C>By me<CR><LF>", Comment + u"<EOBLK>"}));
        // The song's facts under the subtitle, in the subtitle's face two points smaller.
        const Printed facts = markup(u"{t:Song}\r\n{st:By me}\r\n{artist: Marty Robbins}\r\n{key: G}\r\n{tempo: 96}"_s);
        QCOMPARE(facts.lines, (QStringList{Title + u"<C>Song<CR><LF>", SubTitle + u"<C>By me<CR><LF>",
                                           u"<FN:Comic Sans MS><FC:0><FS:14><B></I><C>Marty Robbins \u00b7 Key G \u00b7 96 bpm<CR><LF>"_s,
                                           Comment + u"<EOBLK>"}));
    }

    void lineMarkup_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::addRow("chord row over the lyric") << u"[C]Hello [G]world"_s << QString() << chordLine(u"Hello world"_s, u"C      G "_s);
        QTest::addRow("two chords at the start") << u"[C][G]x"_s << QString() << chordLine(u"x"_s, u"C G "_s);
        QTest::addRow("an overlapping chord is pushed one blank") << u"[Cmaj7]a[G]b"_s << QString() << chordLine(u"ab"_s, u"Cmaj7  G "_s);
        QTest::addRow("chords are shown normalised") << u"[CM7]a [Db/Ab]b"_s << QString() << chordLine(u"a b"_s, u"Cmaj7  Db/Ab "_s);
        QTest::addRow("text labels lose their apostrophe") << u"['Intro]a [N.C.]b"_s << QString() << chordLine(u"a b"_s, u"Intro  N.C. "_s);
        QTest::addRow("chords in solfege") << u"[G7]la"_s << u"solfege"_s << chordLine(u"la"_s, u"Sol7 "_s);
        QTest::addRow("solfege after letters") << u"[G7]la"_s << u"solfege after letters"_s << chordLine(u"la"_s, u"Sol7 "_s);
        QTest::addRow("lyric without chords") << u"just words"_s << QString() << Lyric + u"just words<CR><LF> ";
        QTest::addRow("lyrics only") << u"[C]Hello [G]world"_s << u"lyrics"_s << Lyric + u"Hello world<CR><LF> ";
        QTest::addRow("chords only joins the names") << u"[C]Hello [G]wor[D7]ld"_s << u"chords"_s << Chord + u"C - G - D7<CR><LF> ";
        QTest::addRow("chords only, no chords: empty line") << u"just words"_s << u"chords"_s << QString();
        QTest::addRow("comment") << u"{c:Slowly}"_s << QString() << Comment + u"Slowly<CR><LF>";
        QTest::addRow("chorus") << u"{soc}"_s << QString() << Comment + u"<SOC><CR><LF>";
        QTest::addRow("bridge end") << u"{eob}"_s << QString() << Comment + u"<EOB><CR><LF>";
        QTest::addRow("named block") << u"{soblk:Coda}"_s << QString() << Comment + u"<SOBLK:Coda><CR><LF>";
        QTest::addRow("new page") << u"{np}"_s << QString() << Comment + u"<NP>";
        QTest::addRow("column break") << u"{cb}"_s << QString() << Comment + u"<CB>";
        QTest::addRow("two columns on") << u"{tcon}"_s << QString() << Comment + u"<TCOn>";
        QTest::addRow("two columns off") << u"{tcoff}"_s << QString() << Comment + u"<TCOff>";
        QTest::addRow("chorus with its label") << u"{start_of_chorus: Chorus 2}"_s << QString() << Comment + u"<SOC:Chorus 2><CR><LF>";
        QTest::addRow("verse as a named block") << u"{sov: Verse 1}"_s << QString() << Comment + u"<SOBLK:Verse 1><CR><LF>";
        QTest::addRow("comment style of another tool") << u"{ci: softly}"_s << QString() << Comment + u"softly<CR><LF>";
        QTest::addRow("less-than sign in a lyric") << u"Only a < here"_s << QString() << Lyric + u"Only a <LT> here<CR><LF> ";
        const QString capo = u"{capo: 2}\r\n[C]Hello [G]world"_s;
        // The capo also stands in the facts line under the subtitle.
        const QString capoFacts = u"<FN:Comic Sans MS><FC:0><FS:14><B></I><C>Capo 2<CR><LF>\n"_s;
        QTest::addRow("capo 2, sounding chords") << capo << u"sounding"_s
                                                 << capoFacts + chordLine(u"Hello world"_s, u"D      A "_s);
        QTest::addRow("capo 2, chords as played") << capo << QString() << capoFacts + chordLine(u"Hello world"_s, u"C      G "_s);
        QTest::addRow("chords moved from a transpose until transpose 0")
            << u"{transpose: 2}\r\n[C]a\r\n{transpose: abc}\r\n[C]b\r\n{transpose: 0}\r\n[C]c"_s << QString()
            << chordLine(u"a"_s, u"D "_s) + u'\n' + chordLine(u"b"_s, u"D "_s) + u'\n' + chordLine(u"c"_s, u"C "_s);
    }
    void lineMarkup()
    {
        QFETCH(QString, text);
        QFETCH(QString, option);
        // Between the title, the subtitle and the closing line, one line a record.
        const Printed printed = markup(text, option);
        QTEST(printed.lines.mid(2, printed.lines.size() - 3).join(u'\n'), "expected");
    }

    void chordRowStopsAtThePage()
    {
        // A size-0 chord font is measured at 4 points (a 40-twip blank): the row
        // reaches the 12240-twip page and no further, however long the lyric.
        const Printed printed = markup(u"{font: Chord,Arial,0,255,false,true}\r\n"_s + QString(3000, u'W') + u"[C]"_s);
        QVERIFY(printed.lines[2].contains(QString(306, u' ') + u"C "));
        QVERIFY(!printed.lines[2].contains(QString(307, u' ')));
    }

    void unprintedLines()
    {
        // Notes, and lines kept for other tools (notation, unknown directives);
        // a fact prints under the subtitle, not where it stands.
        const Printed printed = markup(u"   # a note\r\n{c: # a comment note}\r\n{artist: Me}\r\n{start_of_abc}\r\n"
                                       u"X:1\r\n{end_of_abc}\r\nsung"_s);
        QCOMPARE(printed.lines.size(), 5);
        QVERIFY(printed.lines[2].endsWith(u"<C>Me<CR><LF>"_s));
        QCOMPARE(printed.lines[3], Lyric + u"sung<CR><LF> ");
    }

    void tablatureIsPrintedAsWritten()
    {
        const Printed printed = markup(u"{sot}\r\ne|-[C]-0-|\r\n{eot}\r\n[G]x"_s);
        QCOMPARE(printed.lines.size(), 5);
        QCOMPARE(printed.lines[2], Tablature + u"e|-[C]-0-|<CR><LF> ");
        QCOMPARE(printed.lines[3], chordLine(u"x"_s, u"G "_s));
        QCOMPARE(printed.used.size(), 1);
    }

    void usedChordsAreDistinctByToneBassAndType()
    {
        const Printed printed = markup(u"[C]a [CM]b [C/E]c [Am]d [C]e ['x]f [N.C.]g"_s);
        QStringList names;
        for (const UsedChord& used : printed.used) {
            names.append(music::FormatChord(used.chord, u"C"_s));
            QVERIFY(!used.print);
        }
        QCOMPARE(names, (QStringList{u"C"_s, u"C/E"_s, u"Am"_s}));
    }
};

LIRAVOX_TEST_MAIN(PageRendererTest)
#include "pagerenderer_test.moc"
