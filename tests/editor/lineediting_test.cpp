#include "linenotation.h"
#include "testmain.h"

#include "editor/lineediting.h"
#include "editor/songsearch.h"
#include "editor/undohistory.h"
#include "song/song.h"

using namespace lvx;
using namespace lvx::editor;
using namespace lvx::test;
using namespace Qt::StringLiterals;

namespace {

// An edit on one line, as the window performs it (the chords move first, then
// the box changes its text). `a` and `b` are the edit's two numbers: the caret
// (and the selection's length), the chord's index and its new position, or the
// part to copy; a copy gives the clip.
SongLine editLine(SongLine line, const QString& edit, int a, int b)
{
    if (edit == u"type") {
        shiftForTyping(line, a);
        line.text.insert(a, u'x');
    } else if (edit == u"backspace") {
        shiftForBackspace(line, a);
        line.text.remove(a - 1, 1);
    } else if (edit == u"delete") {
        deleteCharacter(line, a);
    } else if (edit == u"overtype" || edit == u"erase") {
        const QString typed = edit == u"overtype" ? u"x"_s : QString();
        shiftForReplace(line, a, b, int(typed.size()));
        line.text.replace(a, b, typed);
    } else if (edit == u"insert chord") {
        insertChord(line, a, u"X"_s);
    } else if (edit == u"move chord") {
        moveChord(line, a, b);
    } else if (edit == u"copy") {
        return copyPart(line, a, b);
    }
    return line;
}


SongState titled(const QString& title)
{
    SongState state;
    state.title = title;
    return state;
}

// Keystrokes into one text, 10 ms apart: "i3:a_b" types "a b" from offset 3,
// "b5:2" presses BackSpace twice at offset 5, "d1:2" Delete twice at offset 1,
// "p1500" waits 1.5 s. Returns the text typed.
QString typeScript(UndoHistory& history, QString text, const QString& script)
{
    qint64 now = 0;
    for (const QString& step : script.split(u' ')) {
        const QChar what = step.at(0);
        const qsizetype colon = step.indexOf(u':');
        int at = step.mid(1, colon - 1).toInt();
        const QString rest = step.mid(colon + 1).replace(u'_', u' ');
        if (what == u'p') {
            now += at;
            continue;
        }
        const int count = what == u'i' ? int(rest.size()) : rest.toInt();
        for (int k = 0; k < count; ++k) {
            TextEdit edit{TitleBox, at, 1, QString()};
            if (what == u'i')
                edit = TextEdit{TitleBox, at, 0, rest.mid(k, 1)};
            else if (what == u'b')
                edit.position = --at;
            history.recordTyping(edit, now += 10, [&] { return titled(text); });
            text.replace(edit.position, edit.removed, edit.inserted);
            if (what == u'i')
                ++at;
        }
    }
    return text;
}
} // namespace

class LineEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void editsKeepChordsOverTheirCharacters_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("after");
        QTest::addRow("typing moves the chord at the caret, not the one before")
            << u"He[D]l[G]lo"_s << u"type"_s << 3 << 0 << u"He[D]lx[G]lo"_s;
        QTest::addRow("backspace pulls the chord at the caret onto the one before")
            << u"He[D]l[G]lo"_s << u"backspace"_s << 3 << 0 << u"He[D][G]lo"_s;
        QTest::addRow("delete takes the chord on the character and pulls the next")
            << u"Hel[A]l[B]o"_s << u"delete"_s << 3 << 0 << u"Hel[B]o"_s;
        QTest::addRow("delete takes every chord written on the character") << u"H[A][B]i[C]"_s << u"delete"_s << 1 << 0 << u"H[C]"_s;
        QTest::addRow("typing over a selection gathers its chords at its start")
            << u"ab[C]cd[D]ef"_s << u"overtype"_s << 1 << 3 << u"a[C]x[D]ef"_s;
        QTest::addRow("a position at the longest line does not wrap")
            << u"ab[G@32767]"_s << u"type"_s << 0 << 0 << u"xab[G@32767]"_s;
        QTest::addRow("a new chord goes after the chords already at the caret, before later ones")
            << u"ab[A]cd[B]efg[C]h"_s << u"insert chord"_s << 4 << 0 << u"ab[A]cd[B][X]efg[C]h"_s;
        QTest::addRow("a chord moved past the end pads the text with blanks") << u"a[G]b"_s << u"move chord"_s << 0 << 5 << u"ab   [G]"_s;
        QTest::addRow("moved chords are sorted again") << u"[A]ab[B]c[C]d"_s << u"move chord"_s << 0 << 4 << u"ab[B]c[C]d[A]"_s;
        QTest::addRow("the chords on a copied selection come along, shifted")
            << u"ab[A]cde[B]fghi[C]jk"_s << u"copy"_s << 4 << 3 << u"e[B]fg"_s;
        QTest::addRow("a chord on the first character after a copied selection stays behind")
            << u"ab[A]cde[B]fghi[C]jk"_s << u"copy"_s << 2 << 3 << u"[A]cde"_s;
        QTest::addRow("a directive line is copied whole")
            << u"{21}Start of Chorus"_s << u"copy"_s << 2 << 3 << u"{21}Start of Chorus"_s;
    }
    void editsKeepChordsOverTheirCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, edit);
        QFETCH(int, a);
        QFETCH(int, b);
        QTEST(showLine(editLine(parseLine(before), edit, a, b)), "after");
    }

    // Enter, the joins of BackSpace and Delete, and paste, on whole songs. A join
    // also says where the caret goes ("-" when nothing changes).
    void lineEdits_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("edit");   // "enter", "join", or "paste " and the clip
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");
        QTest::addRow("enter: chords from the caret on go to the new line")
            << u"a[A]bc[B]de | next"_s << u"enter"_s << 0 << 3 << u"a[A]bc | [B]de | next"_s;
        QTest::addRow("enter at the start: an empty lyric line goes above and the kind stays")
            << u"{6}note"_s << u"enter"_s << 0 << 0 << u" | {6}note"_s;
        QTest::addRow("enter: a chord after the last character goes with the new line")
            << u"ab[G]"_s << u"enter"_s << 0 << 2 << u"ab | [G]"_s;
        QTest::addRow("enter inside a directive adds a line after it")
            << u"{21}Start of Chorus"_s << u"enter"_s << 0 << 5 << u"{21}Start of Chorus | "_s;
        QTest::addRow("join: the lower chords follow the upper text")
            << u"a[A]b | [B]cd"_s << u"join"_s << 0 << 0 << u"a[A]b[B]cd @0:2"_s;
        QTest::addRow("join: a chord past the upper text comes after the joined chords")
            << u"ab[X@5] | [B]cd"_s << u"join"_s << 0 << 0 << u"ab[B]cd[X@7] @0:2"_s;
        QTest::addRow("join: an empty line below a directive goes, the directive stays")
            << u"x | {21}Start of Chorus | "_s << u"join"_s << 1 << 0 << u"x | {21}Start of Chorus @1:15"_s;
        QTest::addRow("join: text below a directive is never joined into it")
            << u"x | {21}Start of Chorus | [G]la"_s << u"join"_s << 1 << 0 << u"x | {21}Start of Chorus | [G]la @-"_s;
        QTest::addRow("join: chords never join a comment, where saving would drop them")
            << u"{6}note | [G]la"_s << u"join"_s << 0 << 0 << u"{6}note | [G]la @-"_s;
        QTest::addRow("join: never a line longer than a line may be")
            << QString(song::Song::MaxLineLength - 5, u'a') + u" | [G]bcdefghij" << u"join"_s << 0 << 0
            << QString(song::Song::MaxLineLength - 5, u'a') + u" | [G]bcdefghij @-";
        QTest::addRow("pasted chords are sorted in with the line's")
            << u"[Z]xy"_s << u"paste e[B]fg"_s << 0 << 0 << u"e[B]fg[Z]xy"_s;
        QTest::addRow("paste: a chord at the caret moves after the pasted text")
            << u"ab[Z]cd"_s << u"paste [Q]xy"_s << 0 << 2 << u"ab[Q]xy[Z]cd"_s;
        QTest::addRow("paste: a directive goes in as a new line above")
            << u"la | lo"_s << u"paste {21}Start of Chorus"_s << 1 << 3 << u"la | {21}Start of Chorus | lo"_s;
        QTest::addRow("paste: a clip never filled does nothing") << u"la"_s << u"paste "_s << 0 << 1 << u"la"_s;
    }
    void lineEdits()
    {
        QFETCH(QString, song);
        QFETCH(QString, edit);
        QFETCH(int, index);
        QFETCH(int, offset);
        Lines lines = parseSong(song);
        QString caret;
        if (edit == u"enter") {
            splitLine(lines, index, offset);
        } else if (edit == u"join") {
            const auto moved = joinLines(lines, index);
            caret = moved ? u" @%1:%2"_s.arg(moved->lineIndex).arg(moved->offset) : u" @-"_s;
        } else {
            pasteClip(lines, index, offset, parseLine(edit.mid(6)));
        }
        QTEST(QString(showSong(lines) + caret), "expected");
    }

    void dragTarget_data()
    {
        QTest::addColumn<double>("labelLeft");
        QTest::addColumn<double>("characterWidth");
        QTest::addColumn<int>("expected");
        // The text "Hello" in a box at x 600.
        QTest::addRow("the first boundary right of the label") << 830.0 << 100.0 << 3;
        QTest::addRow("past the end lands among the blanks") << 1400.0 << 100.0 << 8;
        QTest::addRow("a boundary within half a twip counts as reached") << 611.0 << 10.6 << 1;
    }
    void dragTarget()
    {
        QFETCH(double, labelLeft);
        QFETCH(double, characterWidth);
        const auto width = [characterWidth](QStringView text) { return characterWidth * text.size(); };
        QTEST(editor::dragTarget(u"Hello"_s, 600.0, labelLeft, width), "expected");
    }

    void dragsStopAtTheLongestLine()
    {
        const QString text(song::Song::MaxLineLength, u'a');
        const auto width = [](QStringView text) { return 100.0 * text.size(); };
        QCOMPARE(editor::dragTarget(text, 0.0, 1.0e12, width), int(song::Song::MaxLineLength));
        SongLine line = parseLine(u"[G]ab"_s);
        editor::moveChord(line, 0, 40000);
        QCOMPARE(line.text.size(), song::Song::MaxLineLength);
        QCOMPARE(line.chords.first().position, qint16(song::Song::MaxLineLength));
    }

    void labelChord_data()
    {
        QTest::addColumn<int>("topIndex");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("chord");   // line:chord, "-" for none
        QTest::addRow("second chord of the same line") << 0 << 2 << u"0:1"_s;
        QTest::addRow("chords inside tablature and on a comment are not counted") << 0 << 4 << u"6:0"_s;
        QTest::addRow("counting starts at the first line shown") << 1 << 1 << u"4:0"_s;
        QTest::addRow("no label past the last chord") << 0 << 5 << u"-"_s;
    }
    void labelChord()
    {
        QFETCH(int, topIndex);
        QFETCH(int, label);
        Lines lines = parseSong(u"[A]a[B]b | {41}Start of Tab | [X]e|--0-- | {42}End of Tab | [C]c | {6}note | [D]d"_s);
        lines[5].chords.append(song::ChordPlacement{u"Y"_s, 0});   // left there by a join
        const auto found = editor::labelChord(lines, topIndex, label);
        QTEST(found ? u"%1:%2"_s.arg(found->lineIndex).arg(found->chordIndex) : u"-"_s, "chord");
    }

    // Find over a song with a lyric, a comment, a directive and a tablature section.
    void findInSong_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("how");     // "text" or "chords", "solfege chords"; " back" for backwards
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("expected");   // line:offset+length, line:offset #chord, "-" for none
        QTest::addRow("a lyric's words, ignoring case") << u"GRACE"_s << u"text"_s << 0 << 0 << u"0:8+5"_s;
        QTest::addRow("the next match from just after the last one, in a comment")
            << u"grace"_s << u"text"_s << 0 << 9 << u"1:11+5"_s;
        QTest::addRow("a directive's name is not searched") << u"chorus"_s << u"text"_s << 0 << 0 << u"-"_s;
        QTest::addRow("a chord name is not lyric text") << u"G7"_s << u"text"_s << 0 << 0 << u"-"_s;
        QTest::addRow("past the end the search goes on from the top")
            << u"amazing"_s << u"text"_s << 3 << 0 << u"0:0+7 wrapped"_s;
        QTest::addRow("the only match, behind the start on its own line, after going round")
            << u"amazing"_s << u"text"_s << 0 << 3 << u"0:0+7 wrapped"_s;
        QTest::addRow("backwards: the last match before the start")
            << u"grace"_s << u"text back"_s << 1 << 11 << u"0:8+5"_s;
        QTest::addRow("backwards past the first line goes on from the last")
            << u"see"_s << u"text back"_s << 0 << 0 << u"3:20+3 wrapped"_s;
        QTest::addRow("nothing found") << u"hallelujah"_s << u"text"_s << 0 << 0 << u"-"_s;
        QTest::addRow("an empty search finds nothing") << u""_s << u"text"_s << 0 << 0 << u"-"_s;
        QTest::addRow("a start past the song's end goes round to the top")
            << u"amazing"_s << u"text"_s << 99 << 0 << u"0:0+7 wrapped"_s;
        QTest::addRow("chords: a whole name, never a longer one") << u"g"_s << u"chords"_s << 0 << 9 << u"3:14 #1"_s;
        QTest::addRow("chords: a letter inside a word is no chord") << u"c"_s << u"chords"_s << 0 << 0 << u"3:0 #0"_s;
        QTest::addRow("chords: the name as its label shows it in solfege")
            << u"sol7"_s << u"solfege chords"_s << 0 << 0 << u"0:19 #1"_s;
        QTest::addRow("chords: none in tablature, where no label shows")
            << u"g"_s << u"chords"_s << 3 << 15 << u"0:8 #0 wrapped"_s;
        QTest::addRow("chords backwards") << u"g"_s << u"chords back"_s << 3 << 14 << u"0:8 #0"_s;
    }
    void findInSong()
    {
        QFETCH(QString, text);
        QFETCH(QString, how);
        QFETCH(int, line);
        QFETCH(int, offset);
        const Lines lines = parseSong(u"Amazing [G]grace, how [G7]sweet the sound | {6}Verse two: Grace again | "
                                      u"{21}Start of Chorus | [C]Was blind but [G]now I see | {41}Start of Tab | "
                                      u"[G]e|--3-- | {42}End of Tab"_s);
        const SongSearch search{text, how.contains(u"chords"), !how.startsWith(u"solfege")};
        const auto hit = editor::findInSong(lines, search, LinePosition{line, offset}, how.endsWith(u" back"));
        QString found = u"-"_s;
        if (hit) {
            found = u"%1:%2"_s.arg(hit->lineIndex).arg(hit->offset)
                + (hit->chordIndex >= 0 ? u" #"_s + QString::number(hit->chordIndex) : u"+"_s + QString::number(hit->length))
                + (hit->wrapped ? u" wrapped"_s : QString());
        }
        QTEST(found, "expected");
    }

    void typingGoesBackInSteps_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("undone");   // the text after each undo in turn
        QTest::addRow("each word is a step") << u""_s << u"i0:hello_world"_s << u"hello  | "_s;
        QTest::addRow("a run of BackSpace is one step") << u"abcdef"_s << u"b6:3"_s << u"abcdef"_s;
        QTest::addRow("typing elsewhere in the text is a new step") << u""_s << u"i0:ab i0:x"_s << u"ab | "_s;
    }
    void typingGoesBackInSteps()
    {
        QFETCH(QString, start);
        QFETCH(QString, script);
        QFETCH(QString, undone);
        UndoHistory history;
        QString text = typeScript(history, start, script);
        QStringList texts;
        while (const auto state = history.undo(titled(text)))
            texts.append(text = state->title);
        QCOMPARE(texts.join(u" | "_s), undone);
    }

    void redoWalksForwardUntilTheNextChange()
    {
        UndoHistory history;
        for (int i = 0; i < UndoHistory::Limit + 50; ++i)
            history.record(titled(QString::number(i)));
        QString current = u"now"_s;
        int steps = 0;
        while (const auto state = history.undo(titled(current))) {
            current = state->title;
            ++steps;
        }
        // The oldest steps gave way; the newest stay.
        QCOMPARE(std::pair(steps, current), std::pair(int(UndoHistory::Limit), QString::number(50)));
        QCOMPARE(history.redo(titled(current))->title, u"51"_s);
        QCOMPARE(history.redo(titled(u"51"_s))->title, u"52"_s);
        history.record(titled(u"52"_s));
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undo(titled(u"edited"_s))->title, u"52"_s);
        QCOMPARE(history.redo(titled(u"52"_s))->title, u"edited"_s);
    }
};

LIRAVOX_TEST_MAIN(LineEditingTest)
#include "lineediting_test.moc"
