#include "recordingsurface.h"
#include "testmain.h"

#include "../song/songfixture.h"

#include "print/pagerenderer.h"
#include "print/printmarkup.h"

#include <QRandomGenerator>

using namespace lvx;
using namespace lvx::print;
using namespace Qt::StringLiterals;

namespace {

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
Printed markup(const QString& text, const QString& option = {}, const QString& notation = u"C"_s)
{
    SongFixture f;
    f.song.LoadFile();   // the default fonts
    f.messages.clear();
    f.song.StringToLinesRec(text);
    f.context.app.LyricsOnly = option == u"lyrics";
    f.context.app.ChordsOnly = option == u"chords";
    f.context.app.notation = notation;
    RecordingSurface surface;
    PrintState state;
    BuildPrintMarkup(surface, f.song, f.context.app, state, f.messages);
    return {state.MarkupLines, state.UsedChords, f.messages.texts()};
}

QString chordLine(const QString& lyric, const QString& row)
{
    return Chord + u"<LF:0.75>" + Lyric + lyric + Chord + u"<CR></LF>" + row + u"<LF:0.75>" + Lyric + u"<CR><LF> ";
}

} // namespace

class PrintMarkupTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void songWithoutLinesGivesTitleSubtitleAndClose()
    {
        const Printed printed = markup(u"{t:Song}\r\n{st:By me}"_s);
        QCOMPARE(printed.lines, (QStringList{Title + u"<C>Song<CR><LF>", SubTitle + u"<C>By me<CR><LF>", Comment + u"<EOBLK>"}));
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
        QTest::addRow("lyric without chords") << u"just words"_s << QString() << Lyric + u"just words<CR><LF> ";
        QTest::addRow("lyrics only") << u"[C]Hello [G]world"_s << u"lyrics"_s << Lyric + u"Hello world<CR><LF> ";
        QTest::addRow("chords only joins the names") << u"[C]Hello [G]wor[D7]ld"_s << u"chords"_s << Chord + u"C - G - D7<CR><LF> ";
        QTest::addRow("chords only, no chords: empty line") << u"just words"_s << u"chords"_s << QString();
        QTest::addRow("lyrics only, no chords") << u"just words"_s << u"lyrics"_s << Lyric + u"just words<CR><LF> ";
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
    }
    void lineMarkup()
    {
        QFETCH(QString, text);
        QFETCH(QString, option);
        QFETCH(QString, expected);
        const Printed printed = markup(text, option);
        QCOMPARE(printed.lines.size(), 4);
        QCOMPARE(printed.lines[2], expected);
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
        // Notes, and lines kept for other tools (notation, unknown directives).
        const Printed printed = markup(u"   # a note\r\n{c: # a comment note}\r\n{artist: Me}\r\n{start_of_abc}\r\n"
                                       u"X:1\r\n{end_of_abc}\r\nsung"_s);
        QCOMPARE(printed.lines.size(), 4);
        QCOMPARE(printed.lines[2], Lyric + u"sung<CR><LF> ");
    }

    void tablatureIsPrintedAsWritten()
    {
        const Printed printed = markup(u"{sot}\r\ne|-[C]-0-|\r\n{eot}\r\n[G]x"_s);
        QCOMPARE(printed.lines.size(), 5);
        QCOMPARE(printed.lines[2], Tablature + u"e|-[C]-0-|<CR><LF> ");
        QCOMPARE(printed.lines[3], chordLine(u"x"_s, u"G "_s));
        QCOMPARE(printed.used.size(), 1);
    }

    // A lyric prints its characters as typed, whatever they are, and so does a
    // text label over it.
    void lyricsPrintAsTyped()
    {
        const QStringList pieces{u"a"_s, u" "_s, u"<"_s, u">"_s, u"<LT>"_s, u"<B>"_s, u"["_s, u"{"_s, u"|"_s, u"#"_s, u"\u00e9"_s};
        QRandomGenerator random(5);
        // A lyric starting with "#" is a note that never prints: these start with a letter.
        const auto typed = [&](QChar first) {
            QString text = first;
            for (int n = int(random.bounded(10)); n > 0; --n)
                text += pieces.at(random.bounded(pieces.size()));
            return text;
        };
        for (int round = 0; round < 200; ++round) {
            SongFixture f;
            f.song.LoadFile();
            f.messages.clear();
            const QString lyric = typed(u'x');
            const QString label = typed(u'y');
            f.song.lines = {{song::KindLyric, lyric, {}}, {song::KindLyric, lyric, {{u'\'' + label, 0}}}};
            RecordingSurface page;
            PrintState state;
            BuildPrintMarkup(page, f.song, f.context.app, state, f.messages);
            PageRenderer renderer(state, f.song, f.messages, {});
            for (const QString& line : std::as_const(state.MarkupLines))
                renderer.RenderMarkupLine(page, page, line);
            QStringList printed;
            for (const QString& call : page.callsOf(u"text"_s))
                printed.append(call.mid(call.indexOf(u'[') + 1).chopped(1));
            QCOMPARE(printed.count(lyric), 2);
            QCOMPARE(printed.count(label + u' '), 1);
            QVERIFY(f.messages.texts().isEmpty());
        }
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

    void solfegeRows()
    {
        const Printed printed = markup(u"[G7]la"_s, QString(), u"Do"_s);
        QCOMPARE(printed.lines[2], chordLine(u"la"_s, u"Sol7 "_s));
    }

    void joinChordNames()
    {
        QString row = u"  C   G  D7 "_s;
        QCOMPARE(JoinChordNames(row, u" - "_s), u"C - G - D7"_s);
        QCOMPARE(row, u"C   G  D7"_s);
    }
};

LIRAVOX_TEST_MAIN(PrintMarkupTest)
#include "printmarkup_test.moc"
