#include "songfixture.h"
#include "testmain.h"

#include "song/chordsheet.h"
#include "song/sourceconversions.h"

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

// The source editor's commands on selected text, and songs to and from chord
// sheets. Results replace the selection as they are, so every line end and
// blank counts.
class SourceConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void indentLeft_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("expected");
        QTest::addRow("smallest indent goes") << u"  a\n    b"_s << u"a\r\n  b\r\n"_s;
        QTest::addRow("at most five blanks at a time") << u"        a\n         b"_s << u"   a\r\n    b\r\n"_s;
        QTest::addRow("a line at the margin costs every line its first character")
            << u"ab\n  c"_s << u"b\r\n c\r\n"_s;
        QTest::addRow("an empty line counts as no indent") << u"  a\n\n  b\n"_s << u" a\r\n\r\n b\r\n"_s;
        QTest::addRow("a line of blanks only becomes empty") << u"      a\n   "_s << u"   a\r\n\r\n"_s;
        QTest::addRow("tabs are eight blanks") << u"\ta"_s << u"   a\r\n"_s;
        QTest::addRow("CR alone ends a line") << u"   a\r   b"_s << u"a\r\nb\r\n"_s;
        QTest::addRow("nothing selected gives nothing") << QString() << QString();
    }
    void indentLeft()
    {
        QFETCH(QString, selection);
        QFETCH(QString, expected);
        QCOMPARE(song::indentLeft(selection), expected);
    }

    void indentRight_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("expected");
        QTest::addRow("five blanks before each line") << u"a\r\n b\r\n"_s << u"     a\r\n      b\r\n"_s;
        QTest::addRow("a last line without line end gets one") << u"a"_s << u"     a\r\n"_s;
        QTest::addRow("empty lines are indented too") << u"a\n\nb"_s << u"     a\r\n     \r\n     b\r\n"_s;
        QTest::addRow("LF then CR is two line ends") << u"a\n\rb"_s << u"     a\r\n     \r\n     b\r\n"_s;
        QTest::addRow("tabs are eight blanks") << u"a\tb"_s << u"     a        b\r\n"_s;
    }
    void indentRight()
    {
        QFETCH(QString, selection);
        QFETCH(QString, expected);
        QCOMPARE(song::indentRight(selection), expected);
    }

    void filterChars_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QString>("expected");
        QTest::addRow("a chosen character becomes eight blanks") << u"a-b"_s << u"-"_s << u"a        b"_s;
        QTest::addRow("every chosen character, each time") << u"x|y*z|"_s << u"|*"_s
                                                           << u"x        y        z        "_s;
        QTest::addRow("tabs go even when nothing was chosen") << u"a\tb"_s << QString() << u"a        b"_s;
        QTest::addRow("line ends and other text stay") << u"[C]la\r\nlo"_s << u"#"_s << u"[C]la\r\nlo"_s;
        QTest::addRow("characters are compared exactly") << u"aAa"_s << u"A"_s << u"a        a"_s;
    }
    void filterChars()
    {
        QFETCH(QString, selection);
        QFETCH(QString, chars);
        QFETCH(QString, expected);
        QCOMPARE(song::filterChars(selection, chars), expected);
    }

    void lfToCrLf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("lone LF") << u"a\nb\n"_s << u"a\r\nb\r\n"_s;
        QTest::addRow("lone CR") << u"a\rb"_s << u"a\r\nb"_s;
        QTest::addRow("CR LF stays one line end") << u"a\r\nb\r\n"_s << u"a\r\nb\r\n"_s;
        QTest::addRow("LF then CR is two line ends") << u"a\n\rb"_s << u"a\r\n\r\nb"_s;
        QTest::addRow("LF then CR LF is two line ends") << u"a\n\r\nb"_s << u"a\r\n\r\nb"_s;
        QTest::addRow("CR at the very end") << u"a\r"_s << u"a\r\n"_s;
        QTest::addRow("no line ends, no change") << u"[C]la {c:x}\t"_s << u"[C]la {c:x}\t"_s;
    }
    void lfToCrLf()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(song::lfToCrLf(text), expected);
    }

    void directives_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::addRow("title wraps the selection without its blanks")
            << wrapInDirective(u"t", u"  My Song "_s) << u"{t:My Song}"_s;
        QTest::addRow("only blanks are trimmed, not tabs") << wrapInDirective(u"c", u"\tx "_s) << u"{c:\tx}"_s;
        QTest::addRow("nothing selected gives an empty argument") << wrapInDirective(u"st", QString()) << u"{st:}"_s;
        QTest::addRow("section marks stand on a line of their own") << directiveLine(u"soc") << u"{soc}\r\n"_s;
    }
    void directives()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void chordSheet_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("linesNotKept");
        QTest::addRow("each chord over the character where it sounds")
            << u"{t:Grace}\r\n{st:Newton}\r\n[G]Amazing [C]grace, how [D7]sweet"_s
            << u"Grace\r\nNewton\r\n\r\nG       C          D7\r\nAmazing grace, how sweet\r\n"_s << 0;
        QTest::addRow("comments as text, a blank line around each section")
            << u"{c:Verse 1}\r\n[G]la\r\n{soc}\r\n[C]lu\r\n{eoc}\r\n\r\nend"_s
            << u"Verse 1\r\nG\r\nla\r\n\r\nC\r\nlu\r\n\r\nend\r\n"_s << 0;
        QTest::addRow("a chord line without lyric stands apart from the text after it")
            << u"[G]  [D]\r\n{c:Verse}\r\n[G]  [D]\r\n[Em]x"_s << u"G D\r\n\r\nVerse\r\nG D\r\nEm\r\nx\r\n"_s << 0;
        QTest::addRow("bars show as printed, tablature as written")
            << u"| G | C |\r\n{sot}\r\ne|--[3]--|\r\n{eot}"_s << u"| G | C |\r\n\r\ne|--[3]--|\r\n"_s << 0;
        QTest::addRow("chords too close to stand over their own characters")
            << u"[Am7][G]x [C]y"_s << u"Am7 G C\r\nx y\r\n"_s << 1;
        QTest::addRow("text that would read back as chords or a bracketed chord")
            << u"{c:Am G}\r\n{c:see [1]}\r\n['G]x"_s << u"Am G\r\nsee [1]\r\nG\r\nx\r\n"_s << 3;
        QTest::addRow("what printing leaves out") << u"# note\r\n{tcon}\r\n[G]x"_s << u"G\r\nx\r\n"_s << 0;
    }
    void chordSheet()
    {
        QFETCH(QString, song);
        QFETCH(int, linesNotKept);
        const auto original = SongFixture::read(song);
        const ChordSheet sheet = chordSheetText(original->song);
        QTEST(sheet.text, "sheet");
        QCOMPARE(sheet.linesNotKept, linesNotKept);
        if (linesNotKept == 0) {
            const auto back = SongFixture::read(song::chordSheetToChordPro(sheet.text));
            QCOMPARE(chordsOnSyllables(back->song), chordsOnSyllables(original->song));
        }
    }

    void readingChordSheets_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("expected");
        QTest::addRow("a chord line merges into the lyric under it") << u"G   D7\nHello world"_s << u"[G]Hell[D7]o world\r\n"_s;
        QTest::addRow("titles, blank lines and lyrics without chords stay")
            << u"My Song\n\nA man\nAm I blue"_s << u"My Song\r\n\r\nA man\r\nAm I blue\r\n"_s;
        QTest::addRow("a chord line alone keeps its chords over blanks") << u"G  C\n\nla"_s << u"[G]   [C]\r\n\r\nla\r\n"_s;
        QTest::addRow("bars and repeat counts become labels")
            << u"|: G :| x2\nla la la la la"_s << u"['|:]la [G]la[':|] la['x2] la la\r\n"_s;
        QTest::addRow("a chord line never takes a directive or the next chord line")
            << u"G\n{c:x}\nC\nD\nla"_s << u"[G]\r\n{c:x}\r\n[C]\r\n[D]la\r\n"_s;
        QTest::addRow("tablature becomes a tab section")
            << u"e|--3--|\nB|--0--|\nla"_s << u"{start_of_tab}\r\ne|--3--|\r\nB|--0--|\r\n{end_of_tab}\r\nla\r\n"_s;
        QTest::addRow("tabs are eight blanks") << u"\tG\nla la la la la"_s << u"la la la[G] la la\r\n"_s;
    }
    void readingChordSheets()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, expected);
        QCOMPARE(song::chordSheetToChordPro(sheet), expected);
    }

    void sourceTextLeavesPrintSettingsInTheSong()
    {
        auto fixture = SongFixture::read(
            u"{t:Song}\r\n{chords_size:2}\r\n{left_margin:900}\r\n{chord: Am -1 0 2 2 1 0 1}\r\n[Am]la\r\n"_s);
        const QString text = sourceText(fixture->song);
        QCOMPARE(text, u"{t:Song}\r\n{chord: Am -1 0 2 2 1 0 1}\r\n[Am]la\r\n"_s);
        QVERIFY(fixture->context.app.WriteFormat);
        QVERIFY(fixture->song.LinesToString().contains(u"{left_margin:900}"_s));
    }
};

LIRAVOX_TEST_MAIN(SourceConversionsTest)
#include "sourceconversions_test.moc"
