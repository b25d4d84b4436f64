#include "linenotation.h"
#include "testmain.h"

#include "editor/lineediting.h"
#include "song/song.h"

using namespace lvx;
using namespace lvx::editor;
using namespace lvx::test;
using namespace Qt::StringLiterals;

namespace {

// Each keystroke as the window performs it: the chords move first, then the box changes its text.
void applyEdit(SongLine& line, const QString& edit, int start, int length)
{
    if (edit == u"type") {
        shiftForTyping(line, start);
        line.text.insert(start, u'x');
    } else if (edit == u"backspace") {
        shiftForBackspace(line, start);
        line.text.remove(start - 1, 1);
    } else if (edit == u"delete") {
        deleteCharacter(line, start);
    } else if (edit == u"overtype") {
        shiftForReplace(line, start, length, 1);
        line.text.replace(start, length, u"x"_s);
    } else if (edit == u"erase") {
        shiftForReplace(line, start, length, 0);
        line.text.remove(start, length);
    }
}

double hundredPerCharacter(QStringView text)
{
    return 100.0 * text.size();
}

} // namespace

class LineEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void keystrokesKeepChordsOverTheirCharacters_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("after");
        QTest::addRow("typing moves the chord at the caret, not the one before")
            << u"He[D]l[G]lo"_s << u"type"_s << 3 << 0 << u"He[D]lx[G]lo"_s;
        QTest::addRow("typing at the end moves a chord standing after the text")
            << u"ab[G]"_s << u"type"_s << 2 << 0 << u"abx[G]"_s;
        QTest::addRow("backspace pulls the chord at the caret onto the one before")
            << u"He[D]l[G]lo"_s << u"backspace"_s << 3 << 0 << u"He[D][G]lo"_s;
        QTest::addRow("delete takes the chord on the character and pulls the next")
            << u"Hel[A]l[B]o"_s << u"delete"_s << 3 << 0 << u"Hel[B]o"_s;
        QTest::addRow("delete takes every chord written on the character")
            << u"H[A][B]i[C]"_s << u"delete"_s << 1 << 0 << u"H[C]"_s;
        QTest::addRow("delete at the end of the text changes nothing")
            << u"Hi[G]"_s << u"delete"_s << 2 << 0 << u"Hi[G]"_s;
        QTest::addRow("typing over a selection gathers its chords at its start")
            << u"ab[C]cd[D]ef"_s << u"overtype"_s << 1 << 3 << u"a[C]x[D]ef"_s;
        QTest::addRow("erasing a selection keeps the chord after it on its character")
            << u"a[C]bcd[D]ef"_s << u"erase"_s << 1 << 3 << u"a[C][D]ef"_s;
        QTest::addRow("an empty selection is a plain insertion")
            << u"ab[C]cd"_s << u"overtype"_s << 2 << 0 << u"abx[C]cd"_s;
        QTest::addRow("a position at the longest line does not wrap")
            << u"ab[G@32767]"_s << u"type"_s << 0 << 0 << u"xab[G@32767]"_s;
    }
    void keystrokesKeepChordsOverTheirCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, edit);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, after);
        SongLine line = parseLine(before);
        applyEdit(line, edit, start, length);
        QCOMPARE(showLine(line), after);
    }

    void enterSplitsTheLine_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        QTest::addRow("chords from the caret on go to the new line")
            << u"a[A]bc[B]de | next"_s << 0 << 3 << u"a[A]bc | [B]de | next"_s;
        QTest::addRow("at the start an empty lyric line goes above and the kind stays")
            << u"{6}note"_s << 0 << 0 << u" | {6}note"_s;
        QTest::addRow("inside a comment the comment keeps its first part")
            << u"{6}note"_s << 0 << 2 << u"{6}no | te"_s;
        QTest::addRow("a chord after the last character goes with the new line")
            << u"ab[G]"_s << 0 << 2 << u"ab | [G]"_s;
        QTest::addRow("inside a directive a line is added after it")
            << u"{21}Start of Chorus"_s << 0 << 5 << u"{21}Start of Chorus | "_s;
        QTest::addRow("at the start of a directive a line is added before it")
            << u"la | {21}Start of Chorus"_s << 1 << 0 << u"la |  | {21}Start of Chorus"_s;
        QTest::addRow("inside an end of block a line is added after it")
            << u"{9}End of Block"_s << 0 << 4 << u"{9}End of Block | "_s;
    }
    void enterSplitsTheLine()
    {
        QFETCH(QString, song);
        QFETCH(int, index);
        QFETCH(int, offset);
        QFETCH(QString, expected);
        Lines lines = parseSong(song);
        splitLine(lines, index, offset);
        QCOMPARE(showSong(lines), expected);
    }

    void joins_data()
    {
        // The lines `upper` and `upper + 1` joined; the caret as "line:offset", "-" when nothing changes.
        QTest::addColumn<QString>("song");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("caret");
        QTest::addRow("the lower chords follow the upper text")
            << u"a[A]b | [B]cd"_s << 0 << u"a[A]b[B]cd"_s << u"0:2"_s;
        QTest::addRow("a chord past the upper text comes after the joined chords")
            << u"ab[X@5] | [B]cd"_s << 0 << u"ab[B]cd[X@7]"_s << u"0:2"_s;
        QTest::addRow("the upper line keeps its kind") << u"{6}note | la"_s << 0 << u"{6}notela"_s << u"0:4"_s;
        QTest::addRow("a comment below merges its text") << u"ab | {6}note"_s << 0 << u"abnote"_s << u"0:2"_s;
        QTest::addRow("an empty line below a directive goes, the directive stays")
            << u"x | {21}Start of Chorus | "_s << 1 << u"x | {21}Start of Chorus"_s << u"1:15"_s;
        QTest::addRow("an empty line above a directive goes, the directive stays")
            << u" | {22}End of Chorus | cd"_s << 0 << u"{22}End of Chorus | cd"_s << u"0:0"_s;
        QTest::addRow("text below a directive is never joined into it")
            << u"x | {21}Start of Chorus | [G]la"_s << 1 << u"x | {21}Start of Chorus | [G]la"_s << u"-"_s;
        QTest::addRow("a directive below text is never removed")
            << u"ab | {22}End of Chorus | cd"_s << 0 << u"ab | {22}End of Chorus | cd"_s << u"-"_s;
        QTest::addRow("a block start is kept like a directive")
            << u"ab | {8}Intro"_s << 0 << u"ab | {8}Intro"_s << u"-"_s;
        QTest::addRow("an empty line holding a chord is not empty")
            << u"{21}Start of Chorus | [G]"_s << 0 << u"{21}Start of Chorus | [G]"_s << u"-"_s;
        QTest::addRow("nothing below the last line") << u"ab | cd"_s << 1 << u"ab | cd"_s << u"-"_s;
        QTest::addRow("chords never join a comment, where saving would drop them")
            << u"{6}note | [G]la"_s << 0 << u"{6}note | [G]la"_s << u"-"_s;
    }
    void joins()
    {
        QFETCH(QString, song);
        QFETCH(int, upper);
        QFETCH(QString, expected);
        QFETCH(QString, caret);
        Lines lines = parseSong(song);
        const auto result = joinLines(lines, upper);
        QCOMPARE(showSong(lines), expected);
        QCOMPARE(result ? QString::number(result->lineIndex) + u':' + QString::number(result->offset) : u"-"_s, caret);
    }

    void joinNeverMakesALineTooLong()
    {
        const QString full(song::Song::MaxLineLength - 5, u'a');
        Lines lines{parseLine(full), parseLine(u"[G]bcdefghij"_s)};
        const Lines before = lines;
        QVERIFY(!joinLines(lines, 0));
        QCOMPARE(lines, before);
    }

    void insertChord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        QTest::addRow("after the chords already at the caret, before later ones")
            << u"ab[A]cd[B]efg[C]h"_s << 4 << u"ab[A]cd[B][X]efg[C]h"_s;
        QTest::addRow("at the start after a chord at 0") << u"[A]ab"_s << 0 << u"[A][X]ab"_s;
        QTest::addRow("into a line without chords") << u"abc"_s << 1 << u"a[X]bc"_s;
    }
    void insertChord()
    {
        QFETCH(QString, line);
        QFETCH(int, offset);
        QFETCH(QString, expected);
        SongLine record = parseLine(line);
        editor::insertChord(record, offset, u"X"_s);
        QCOMPARE(showLine(record), expected);
    }

    void dragTarget_data()
    {
        QTest::addColumn<double>("labelLeft");
        QTest::addColumn<double>("characterWidth");
        QTest::addColumn<int>("expected");
        // The text "Hello" in a box at x 600.
        QTest::addRow("the first boundary right of the label") << 830.0 << 100.0 << 3;
        QTest::addRow("a boundary exactly at the label") << 800.0 << 100.0 << 2;
        QTest::addRow("left of the box lands before the first character") << 100.0 << 100.0 << 0;
        QTest::addRow("past the end lands among the blanks") << 1400.0 << 100.0 << 8;
        QTest::addRow("beyond every blank takes the last boundary") << 1.0e6 << 100.0 << 105;
        QTest::addRow("a boundary within half a twip counts as reached") << 611.0 << 10.6 << 1;
    }
    void dragTarget()
    {
        QFETCH(double, labelLeft);
        QFETCH(double, characterWidth);
        QFETCH(int, expected);
        const auto width = [characterWidth](QStringView text) { return characterWidth * text.size(); };
        QCOMPARE(editor::dragTarget(u"Hello"_s, 600.0, labelLeft, width), expected);
    }

    void moveChord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("chordIndex");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::addRow("past the end pads the text with blanks") << u"a[G]b"_s << 0 << 5 << u"ab   [G]"_s;
        QTest::addRow("moving back leaves the blanks") << u"ab   [G]"_s << 0 << 1 << u"a[G]b   "_s;
        QTest::addRow("chords are sorted again") << u"[A]ab[B]c[C]d"_s << 0 << 4 << u"ab[B]c[C]d[A]"_s;
        QTest::addRow("onto a chord that stood later: stored order kept")
            << u"[A]ab[B]c"_s << 0 << 2 << u"ab[A][B]c"_s;
        QTest::addRow("onto a chord that stood earlier: stored order kept")
            << u"a[A]b[B]c"_s << 1 << 1 << u"a[A][B]bc"_s;
    }
    void moveChord()
    {
        QFETCH(QString, line);
        QFETCH(int, chordIndex);
        QFETCH(int, position);
        QFETCH(QString, expected);
        SongLine record = parseLine(line);
        editor::moveChord(record, chordIndex, position);
        QCOMPARE(showLine(record), expected);
    }

    void dragsStopAtTheLongestLine()
    {
        const QString text(song::Song::MaxLineLength, u'a');
        QCOMPARE(editor::dragTarget(text, 0.0, 1.0e12, hundredPerCharacter), int(song::Song::MaxLineLength));
        SongLine line = parseLine(u"[G]ab"_s);
        editor::moveChord(line, 0, 40000);
        QCOMPARE(line.text.size(), song::Song::MaxLineLength);
        QCOMPARE(line.chords.first().position, qint16(song::Song::MaxLineLength));
    }

    void labelChord_data()
    {
        QTest::addColumn<int>("topIndex");
        QTest::addColumn<int>("label");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<int>("chordIndex");
        QTest::addRow("first label") << 0 << 1 << 0 << 0;
        QTest::addRow("second chord of the same line") << 0 << 2 << 0 << 1;
        QTest::addRow("chords inside tablature are not counted") << 0 << 3 << 4 << 0;
        QTest::addRow("chords on a comment line are not counted") << 0 << 4 << 6 << 0;
        QTest::addRow("counting starts at the first line shown") << 1 << 1 << 4 << 0;
        QTest::addRow("no label past the last chord") << 0 << 5 << -1 << -1;
        QTest::addRow("no label 0") << 0 << 0 << -1 << -1;
    }
    void labelChord()
    {
        QFETCH(int, topIndex);
        QFETCH(int, label);
        QFETCH(int, lineIndex);
        QFETCH(int, chordIndex);
        Lines lines = parseSong(u"[A]a[B]b | {41}Start of Tab | [X]e|--0-- | {42}End of Tab | [C]c | {6}note | [D]d"_s);
        lines[5].chords.append(song::ChordPlacement{u"Y"_s, 0});   // left there by a join
        const auto found = editor::labelChord(lines, topIndex, label);
        QCOMPARE(found ? found->lineIndex : -1, lineIndex);
        QCOMPARE(found ? found->chordIndex : -1, chordIndex);
    }

    void tabSections_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("inside");
        QTest::addRow("start and end lines are outside") << u"{41}s | a | b | {42}e | c"_s << u"01100"_s;
        QTest::addRow("an unfinished section runs to the end") << u"a | {41}s | b | c"_s << u"0011"_s;
        QTest::addRow("an end without a start changes nothing") << u"{42}e | a"_s << u"00"_s;
    }
    void tabSections()
    {
        QFETCH(QString, song);
        QFETCH(QString, inside);
        QString flags;
        for (const bool in : tabSectionLines(parseSong(song)))
            flags += in ? u'1' : u'0';
        QCOMPARE(flags, inside);
    }

    void copyPart_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clip");
        QTest::addRow("the chords on the selection come along, shifted")
            << u"ab[A]cde[B]fghi[C]jk"_s << 4 << 3 << u"e[B]fg"_s;
        QTest::addRow("a chord on the first character after the selection stays behind")
            << u"ab[A]cde[B]fghi[C]jk"_s << 2 << 3 << u"[A]cde"_s;
        QTest::addRow("a selection past the end is cut at the end")
            << u"ab[A]cde[B]fghi[C]jk"_s << 9 << 10 << u"[C]jk"_s;
        QTest::addRow("a directive line is copied whole")
            << u"{21}Start of Chorus"_s << 2 << 3 << u"{21}Start of Chorus"_s;
    }
    void copyPart()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, clip);
        QCOMPARE(showLine(editor::copyPart(parseLine(line), start, length)), clip);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("expected");
        QTest::addRow("pasted chords are sorted in with the line's")
            << u"[Z]xy"_s << 0 << 0 << u"e[B]fg"_s << u"e[B]fg[Z]xy"_s;
        QTest::addRow("a chord at the caret moves after the pasted text")
            << u"ab[Z]cd"_s << 0 << 2 << u"[Q]xy"_s << u"ab[Q]xy[Z]cd"_s;
        QTest::addRow("a directive goes in as a new line above")
            << u"la | lo"_s << 1 << 3 << u"{21}Start of Chorus"_s << u"la | {21}Start of Chorus | lo"_s;
        QTest::addRow("lyrics are not pasted into a directive's name")
            << u"{21}Start of Chorus"_s << 0 << 3 << u"[G]la"_s << u"[G]la | {21}Start of Chorus"_s;
        QTest::addRow("chords are not pasted into a comment") << u"{6}note"_s << 0 << 2 << u"[G]la"_s << u"[G]la | {6}note"_s;
        QTest::addRow("a clip never filled does nothing") << u"la"_s << 0 << 1 << u""_s << u"la"_s;
    }
    void paste()
    {
        QFETCH(QString, song);
        QFETCH(int, index);
        QFETCH(int, offset);
        QFETCH(QString, clip);
        QFETCH(QString, expected);
        Lines lines = parseSong(song);
        pasteClip(lines, index, offset, parseLine(clip));
        QCOMPARE(showSong(lines), expected);
    }
};

LIRAVOX_TEST_MAIN(LineEditingTest)
#include "lineediting_test.moc"
