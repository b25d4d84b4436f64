#include "songfixture.h"
#include "testmain.h"

#include "song/sourceconversions.h"

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

// The source editor's commands on selected text. Results replace the selection
// as they are, so every line end and blank counts.
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
