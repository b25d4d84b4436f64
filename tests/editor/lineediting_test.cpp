#include "linenotation.h"
#include "testmain.h"

#include "editor/clipformat.h"
#include "editor/lineediting.h"
#include "editor/spokennames.h"
#include "editor/linerange.h"
#include "editor/sections.h"
#include "editor/songsearch.h"
#include "editor/undohistory.h"
#include "base/messages.h"
#include "song/song.h"

#include <numeric>
#include <QDirIterator>

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

// Keystrokes into one text, 10 ms apart on the history's clock: "i3:a_b" types
// "a b" from offset 3, "b5:2" presses BackSpace twice at offset 5, "d1:2" Delete
// twice at offset 1, "p1500" waits 1.5 s, "m" moves the caret away and back.
// Returns the text typed.
QString typeScript(UndoHistory& history, QString text, const QString& script)
{
    qint64 now = 0;
    history.setClock([&now] { return now; });
    for (const QString& step : script.split(u' ')) {
        const QChar what = step.at(0);
        const qsizetype colon = step.indexOf(u':');
        int at = step.mid(1, colon - 1).toInt();
        const QString rest = step.mid(colon + 1).replace(u'_', u' ');
        if (what == u'p') {
            now += at;
            continue;
        }
        if (what == u'm') {
            history.endRun();
            continue;
        }
        const int count = what == u'i' ? int(rest.size()) : rest.toInt();
        for (int k = 0; k < count; ++k) {
            TextEdit edit{TitleBox, at, 1, QString()};
            if (what == u'i')
                edit = TextEdit{TitleBox, at, 0, rest.mid(k, 1)};
            else if (what == u'b')
                edit.position = --at;
            now += 10;
            history.recordTyping(edit, [&] { return titled(text); });
            text.replace(edit.position, edit.removed, edit.inserted);
            if (what == u'i')
                ++at;
        }
    }
    history.setClock([] { return qint64(0); });
    return text;
}

// "1:2-3:0": a range from line 1 offset 2 to line 3 offset 0 (either end first).
LineRange parseRange(const QString& text)
{
    const QStringList ends = text.split(u'-');
    const auto at = [](const QString& end) {
        return LinePosition{end.section(u':', 0, 0).toInt(), end.section(u':', 1, 1).toInt()};
    };
    return {at(ends.at(0)), at(ends.at(1))};
}

QString showCaret(LinePosition caret)
{
    return u" @%1:%2"_s.arg(caret.lineIndex).arg(caret.offset);
}

// A song read from ChordPro text, as a file or a clipboard brings it.
struct ReadSong
{
    RecordingMessages messages;
    song::SongContext context{messages};
    song::Song song{context};
    explicit ReadSong(const QString& text) { song.StringToLinesRec(text); }
};
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
        QTest::addColumn<QString>("edit");   // "enter", "join", "fold", or "paste " and the clip
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
        QTest::addRow("fold: chords inside tablature become its text, those outside stay chords")
            << u"[A]x | {41}Start of Tab | a[G]b[C] | {42}End of Tab | [D]c"_s << u"fold"_s << 0 << 0
            << u"[A]x | {41}Start of Tab | a[G]b[C] | {42}End of Tab | [D]c, 2 chords"_s;
        QTest::addRow("fold: a line that would grow too long keeps its chords")
            << u"{41}Start of Tab | "_s + QString(song::Song::MaxLineLength - 2, u'a') + u"[G]" << u"fold"_s << 0 << 0
            << u"{41}Start of Tab | "_s + QString(song::Song::MaxLineLength - 2, u'a') + u"[G], 1 chords";
        QTest::addRow("paste lines: the first joins the text before the caret, the last the text after it")
            << u"ab[Z]cd"_s << u"paste lines [Q]x / y / z"_s << 0 << 2 << u"ab[Q]x | y | z[Z]cd @2:1"_s;
        QTest::addRow("paste lines: a chorus at a line's start goes in as its lines, the line keeps its text")
            << u"la | lo"_s << u"paste lines {21}Start of Chorus / [G]x / {22}End of Chorus / "_s << 1 << 0
            << u"la | {21}Start of Chorus | [G]x | {22}End of Chorus | lo @4:0"_s;
        QTest::addRow("paste lines into a directive go in after it")
            << u"{21}Start of Chorus"_s << u"paste lines a / b"_s << 0 << 3 << u"{21}Start of Chorus | a | b @2:1"_s;
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
        } else if (edit == u"fold") {
            foldTablatureChords(lines);
            const qsizetype chords = std::accumulate(lines.cbegin(), lines.cend(), qsizetype(0),
                                                     [](qsizetype n, const SongLine& line) { return n + line.chords.size(); });
            caret = u", %1 chords"_s.arg(chords);
        } else if (edit == u"join") {
            const auto moved = joinLines(lines, index);
            caret = moved ? u" @%1:%2"_s.arg(moved->lineIndex).arg(moved->offset) : u" @-"_s;
        } else if (edit.startsWith(u"paste lines ")) {
            Lines clip;
            for (const QString& part : edit.mid(12).split(u" / "_s))
                clip.append(parseLine(part));
            caret = showCaret(pasteLines(lines, {index, offset}, clip));
        } else {
            pasteClip(lines, index, offset, parseLine(edit.mid(6)));
        }
        QTEST(QString(showSong(lines) + caret), "expected");
    }

    // Selections over lines on the records: what a copy takes (the clip, its
    // records " / " apart, or its text), what a delete or typing over leaves
    // and where the caret goes, what each line shows highlighted.
    void rangeEdits_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("edit");   // copy, text, delete, type X, spans
        QTest::addColumn<QString>("expected");
        const QString three = u"a[A]b[B]c | d[C]e | f[D]g[E]h"_s;
        QTest::addRow("copy: chords inside go with the text, one on the character after the end stays")
            << three << u"0:1-2:1"_s << u"copy"_s << u"[A]b[B]c / d[C]e / f"_s;
        QTest::addRow("copy: a range made upwards takes the same")
            << three << u"2:1-0:1"_s << u"copy"_s << u"[A]b[B]c / d[C]e / f"_s;
        QTest::addRow("copy: a chord after the first line's text goes with its line end")
            << u"ab[G] | cd[X@4]"_s << u"0:2-1:2"_s << u"copy"_s << u"[G] / cd"_s;
        QTest::addRow("copy: a directive the range starts inside is taken whole")
            << u"{21}Start of Chorus | la | {22}End of Chorus"_s << u"0:5-2:3"_s << u"copy"_s
            << u"{21}Start of Chorus / la / {22}End of Chorus"_s;
        QTest::addRow("copy: a range that only reaches a directive's end leaves it out")
            << u"{21}Start of Chorus | la"_s << u"0:15-1:2"_s << u"copy"_s << u" / la"_s;
        QTest::addRow("copy: the text for other programs is ChordPro, a line each")
            << u"[G]Amazing [C]grace | {21}Start of Chorus | how [D]sweet | the sound"_s << u"0:0-3:0"_s
            << u"text"_s << u"[G]Amazing [C]grace\n{start_of_chorus}\nhow [D]sweet\n"_s;
        QTest::addRow("delete: the ends of the first and last line join, the chords between go")
            << three << u"0:1-2:1"_s << u"delete"_s << u"a[D]g[E]h @0:1"_s;
        QTest::addRow("delete: from a line's start to another's start takes whole lines")
            << u"x | [G]y | z"_s << u"0:0-2:0"_s << u"delete"_s << u"z @0:0"_s;
        QTest::addRow("delete: a directive the range reaches into goes whole")
            << u"la | {21}Start of Chorus | [G]lo"_s << u"0:2-1:3"_s << u"delete"_s << u"la | [G]lo @0:2"_s;
        QTest::addRow("delete: text never joins a directive, both stay")
            << u"ab | cd | {22}End of Chorus"_s << u"0:1-2:0"_s << u"delete"_s << u"a | {22}End of Chorus @0:1"_s;
        QTest::addRow("typing over lines up to a directive types on a line of its own above it")
            << u"ab | cd | {22}End of Chorus"_s << u"0:0-2:0"_s << u"type x"_s << u"x | {22}End of Chorus @0:1"_s;
        QTest::addRow("typing over: a chord after the range moves along with the text")
            << u"ab | c[G]d"_s << u"0:1-1:1"_s << u"type xy"_s << u"axy[G]d @0:3"_s;
        QTest::addRow("spans: each line its part, line ends between, a directive whole")
            << u"abc | {21}Start of Chorus |  | de"_s << u"0:1-3:1"_s << u"spans"_s << u"1-3+ 0-15+ 0-0+ 0-1"_s;
        QTest::addRow("spans: a range ending at a line's start shows nothing there")
            << u"abc | de | f"_s << u"1:3-0:2"_s << u"spans"_s << u"2-3+ 0-2 -"_s;
    }
    void rangeEdits()
    {
        QFETCH(QString, song);
        QFETCH(QString, edit);
        Lines lines = parseSong(song);
        QFETCH(QString, range);
        const LineRange taken = parseRange(range);
        QString result;
        if (edit == u"copy") {
            QStringList parts;
            for (const SongLine& line : copyRange(lines, taken))
                parts.append(showLine(line));
            result = parts.join(u" / "_s);
        } else if (edit == u"text") {
            result = clipText(copyRange(lines, taken));
        } else if (edit == u"delete") {
            const LinePosition caret = deleteRange(lines, taken);
            result = showSong(lines) + showCaret(caret);
        } else if (edit.startsWith(u"type ")) {
            const LinePosition caret = typeOverRange(lines, taken, edit.mid(5));
            result = showSong(lines) + showCaret(caret);
        } else {
            QStringList spans;
            for (int i = 0; i < lines.size(); ++i) {
                const auto span = spanOnLine(lines, taken, i);
                spans.append(span ? u"%1-%2%3"_s.arg(span->start).arg(span->end).arg(span->throughEnd ? u"+"_s : QString())
                                  : u"-"_s);
            }
            result = spans.join(u' ');
        }
        QTEST(result, "expected");
    }

    // Copying a range and pasting it where deleting it left the caret gives
    // the song back, for ranges between lyric lines of real songs.
    void cutAndPasteGiveRealSongsBack()
    {
        const QString corpus = qEnvironmentVariable("LIRAVOX_CORPUS");
        if (!QFile::exists(corpus))
            QSKIP("the shared song corpus is not beside the repository");
        int ranges = 0;
        QDirIterator files(corpus, {u"*.cho"_s, u"*.pro"_s, u"*.chopro"_s}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const ReadSong read(song::decodeText(file.readAll(), false).text);
            const Lines& lines = read.song.lines;
            for (int first = 0; first + 3 < lines.size(); first += 3) {
                const int last = first + 1 + first % 3;
                const auto lyricOrFact = [&](int i) { return lines.at(i).kind == song::KindLyric && !lines.at(i).metadata; };
                if (!lyricOrFact(first) || !lyricOrFact(last)
                    || std::any_of(lines.begin() + first, lines.begin() + last, [](const SongLine& l) { return l.metadata; }))
                    continue;
                const LineRange range{{first, int(lines.at(first).text.size()) / 2}, {last, int(lines.at(last).text.size()) / 3}};
                Lines edited = lines;
                const Lines clip = copyRange(edited, range);
                const LinePosition caret = deleteRange(edited, range);
                QCOMPARE(pasteLines(edited, caret, clip), range.last());
                QVERIFY2(edited == lines, qPrintable(path + u": lines "_s + QString::number(first + 1)));
                ++ranges;
            }
        }
        QVERIFY(ranges > 500);
    }

    // The records on the clipboard come back as they went; bytes that are not
    // a clip, or are cut short, give nothing and never a crash.
    void clipboardRecordsTravel()
    {
        const Lines clip = parseSong(u"[G]Amazing | {21}Start of Chorus | [Am]how [D7]sweet | "_s);
        QCOMPARE(decodeClip(encodeClip(clip)), std::optional<Lines>(clip));
        const QByteArray bytes = encodeClip(clip);
        for (int cut = 0; cut < bytes.size(); cut += 3)
            QVERIFY(!decodeClip(bytes.left(cut)));
        QVERIFY(!decodeClip("[G]Amazing grace"_ba));
        // A record a song cannot hold is made one it can.
        SongLine strange = parseLine(u"{77}odd"_s);
        strange.chords.append(song::ChordPlacement{u"G"_s, -4});
        QCOMPARE(showLine(decodeClip(encodeClip({strange}))->first()), u"{12}odd"_s);
    }

    // Sections around lines: the marks as saved and read back as the same
    // kinds, or the reason the section is refused.
    void sections_data()
    {
        QTest::addColumn<QString>("song");      // ChordPro, lines "/" apart
        QTest::addColumn<QString>("command");   // a section command, or "mark" and an Insert command
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("expected");  // the song saved, or the message
        QTest::addRow("a chorus around two lines") << u"a/b/c"_s << u"mnuIChorus"_s << 0 << 1 << QString()
                                                   << u"{start_of_chorus}/a/b/{end_of_chorus}/c"_s;
        QTest::addRow("a verse with its label") << u"a/b"_s << u"mnuIVerse"_s << 1 << 1 << u"Verse 2"_s
                                                << u"a/{start_of_verse: Verse 2}/b/{end_of_verse}"_s;
        QTest::addRow("a verse without one") << u"a"_s << u"mnuIVerse"_s << 0 << 0 << u"Verse"_s
                                             << u"{start_of_verse}/a/{end_of_verse}"_s;
        QTest::addRow("a grid") << u"G . C ."_s << u"mnuIGrid"_s << 0 << 0 << QString()
                                << u"{start_of_grid}/G . C ./{end_of_grid}"_s;
        QTest::addRow("tablature") << u"e--0--"_s << u"mnuITab"_s << 0 << 0 << QString()
                                   << u"{start_of_tab}/e--0--/{end_of_tab}"_s;
        QTest::addRow("a named block") << u"a"_s << u"mnuIBlock"_s << 0 << 0 << u"Intro"_s
                                       << u"{start_of_block:Intro}/a/{end_of_block}"_s;
        QTest::addRow("a bridge after a chorus has ended") << u"{soc}/a/{eoc}/b"_s << u"mnuIBridge"_s << 3 << 3
                                                           << QString() << u"{start_of_chorus}/a/{end_of_chorus}/{start_of_bridge}/b/{end_of_bridge}"_s;
        QTest::addRow("no chorus inside a verse") << u"{sov}/a/{eov}"_s << u"mnuIChorus"_s << 1 << 1 << QString()
                                                  << u"A chorus cannot start inside a verse."_s;
        QTest::addRow("no section over a selection that ends inside a chorus")
            << u"a/{soc}/b/{eoc}"_s << u"mnuIVerse"_s << 0 << 2 << u"V"_s << u"A verse cannot hold a chorus."_s;
        QTest::addRow("no section over a selection that starts inside a grid")
            << u"{sog}/G/{eog}/b"_s << u"mnuIBridge"_s << 1 << 3 << QString() << u"A bridge cannot start inside a grid."_s;
        QTest::addRow("a start of chorus inside a bridge is refused")
            << u"{sob}/a/{eob}"_s << u"mark mnuISOC"_s << 1 << 1 << QString() << u"A chorus cannot start inside a bridge."_s;
        QTest::addRow("the end of a chorus inside a tab section is refused")
            << u"{sot}/a"_s << u"mark mnuIEOC"_s << 2 << 2 << QString() << u"A chorus cannot end inside a tab."_s;
        QTest::addRow("the end of a block ends a verse")
            << u"{sov}/a"_s << u"mark mnuIEOBlk"_s << 2 << 2 << QString() << u"{sov}/a/{end_of_block}"_s;
    }
    void sections()
    {
        QFETCH(QString, song);
        QFETCH(QString, command);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, label);
        ReadSong read(song.replace(u'/', u'\n'));
        Lines lines = read.song.lines;
        QString refusal;
        if (command.startsWith(u"mark ")) {
            const auto& commands = insertCommands();
            const auto mark = std::find_if(commands.begin(), commands.end(),
                                           [&](const InsertCommand& c) { return c.objectName == command.mid(5); });
            SongLine line{mark->kind, mark->text, {}};
            refusal = markRefusal(lines, first, line);
            if (refusal.isEmpty())
                insertLine(lines, first, line);
        } else {
            const SectionCommand* section = sectionCommand(command);
            refusal = wrapRefusal(lines, first, last, section->noun);
            if (refusal.isEmpty())
                wrapInSection(lines, first, last, sectionMarks(*section, label));
        }
        const QString saved = song::writtenLines(lines).join(u'/');
        QTEST(refusal.isEmpty() ? saved : refusal, "expected");
        // What is saved reads back as the same lines.
        if (refusal.isEmpty()) {
            const ReadSong back(song::writtenLines(lines).join(u'\n'));
            QCOMPARE(showSong(back.song.lines), showSong(lines));
        }
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

    // The chord keys: from a caret to a chord of its line ("after", "before"),
    // from a chord to the next or previous one of the song, and a chord moved
    // one character ("right", "left", which also show the song afterwards).
    void chordKeys_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("lineIndex");
        QTest::addColumn<int>("at");        // the caret, or the chord's index
        QTest::addColumn<QString>("expected");   // line:chord, "-" for none
        const QString two = u"ab[A]cd[B]e"_s;
        QTest::addRow("after: the chord on the caret's character") << two << u"after"_s << 0 << 2 << u"0:0"_s;
        QTest::addRow("after: from between chords, the next one") << two << u"after"_s << 0 << 3 << u"0:1"_s;
        QTest::addRow("after: the first of chords written on one character")
            << u"a[A][B]b"_s << u"after"_s << 0 << 1 << u"0:0"_s;
        QTest::addRow("after: none past the last chord") << two << u"after"_s << 0 << 5 << u"-"_s;
        QTest::addRow("before: the last chord before the caret, not the one on it")
            << two << u"before"_s << 0 << 4 << u"0:0"_s;
        QTest::addRow("before: none before the first chord") << two << u"before"_s << 0 << 2 << u"-"_s;
        QTest::addRow("after: chords inside tablature show no label to reach")
            << u"{41}Start of Tab | [X]e|--0-- | {42}End of Tab"_s << u"after"_s << 1 << 0 << u"-"_s;
        const QString song = u"[A]a[B]b | c | {41}Start of Tab | [X]e|--0-- | {42}End of Tab | {6}note | [C]c"_s;
        QTest::addRow("next: on along the line") << song << u"next"_s << 0 << 0 << u"0:1"_s;
        QTest::addRow("next: over lines without labels to the next chord") << song << u"next"_s << 0 << 1 << u"6:0"_s;
        QTest::addRow("next: none after the song's last chord") << song << u"next"_s << 6 << 0 << u"-"_s;
        QTest::addRow("previous: back to the last chord of an earlier line")
            << song << u"previous"_s << 6 << 0 << u"0:1"_s;
        QTest::addRow("previous: none before the song's first chord") << song << u"previous"_s << 0 << 0 << u"-"_s;
        QTest::addRow("right: one character") << u"[G]Hello"_s << u"right"_s << 0 << 0 << u"H[G]ello @0:0"_s;
        QTest::addRow("left: at the line's start the chord stays") << u"[G]Hello"_s << u"left"_s << 0 << 0
                                                                    << u"[G]Hello @-"_s;
        QTest::addRow("right: past the end the text gets a blank") << u"ab[G]"_s << u"right"_s << 0 << 0
                                                                   << u"ab [G] @0:0"_s;
        QTest::addRow("left: onto another chord's character, after it")
            << u"a[A]b[B]c"_s << u"left"_s << 0 << 1 << u"a[A][B]bc @0:1"_s;
        QTest::addRow("right: past a chord, sorted after it") << u"a[A][B]b"_s << u"right"_s << 0 << 0
                                                             << u"a[B]b[A] @0:1"_s;
    }
    void chordKeys()
    {
        QFETCH(QString, song);
        QFETCH(QString, key);
        QFETCH(int, lineIndex);
        QFETCH(int, at);
        Lines lines = parseSong(song);
        std::optional<ChordRef> found;
        QString after;
        if (key == u"after" || key == u"before") {
            found = chordFromCaret(lines, lineIndex, at, key == u"after");
        } else if (key == u"next" || key == u"previous") {
            found = nextChord(lines, ChordRef{lineIndex, at}, key == u"next");
        } else {
            found = stepChord(lines, ChordRef{lineIndex, at}, key == u"right" ? 1 : -1);
            after = showSong(lines) + u" @";
        }
        QTEST(QString(after + (found ? u"%1:%2"_s.arg(found->lineIndex).arg(found->chordIndex) : u"-"_s)), "expected");
    }

    // What a screen reader says for a chord label (the line's chord `index`) or
    // a line box (the line shown as line `index`).
    void spokenNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::addRow("chord on a word's first letter") << u"sweet [G7]home"_s << 0 << u"chord G7 over 'home'"_s;
        QTest::addRow("chord inside a word: the whole word") << u"swe[G7]et home"_s << 0 << u"chord G7 over 'sweet'"_s;
        QTest::addRow("chord on the blank before a word") << u"sweet[D]  home"_s << 0 << u"chord D before 'home'"_s;
        QTest::addRow("chord past the last word") << u"home [A] "_s << 0 << u"chord A at the end of the line"_s;
        QTest::addRow("chord past the text") << u"ho[C]me[A]"_s << 1 << u"chord A at the end of the line"_s;
        QTest::addRow("free text is no chord") << u"['Intro]la"_s << 0 << u"text Intro over 'la'"_s;
        QTest::addRow("lyric line") << u"Hello world"_s << 3 << u"line 3: Hello world"_s;
        QTest::addRow("empty lyric line") << u""_s << 1 << u"line 1, empty"_s;
        QTest::addRow("comment line") << u"{6}Slowly"_s << 2 << u"line 2, comment: Slowly"_s;
        QTest::addRow("block start with its name") << u"{8}Intro"_s << 5 << u"line 5, block start: Intro"_s;
        QTest::addRow("chorus start by its kind") << u"{21}Start of Chorus"_s << 4 << u"line 4, chorus start"_s;
        QTest::addRow("labelled chorus with its label") << u"{21}Start of Chorus: Chorus 2"_s << 4
                                                        << u"line 4, chorus start: Chorus 2"_s;
        QTest::addRow("end of bridge") << u"{32}End of Bridge"_s << 9 << u"line 9, bridge end"_s;
        QTest::addRow("grid, not tablature") << u"{41}Start of Grid"_s << 6 << u"line 6, grid start"_s;
        QTest::addRow("line kept as read") << u"{12}{x_pad: 1}"_s << 7 << u"line 7, kept as written: {x_pad: 1}"_s;
    }
    void spokenNames()
    {
        QFETCH(QString, line);
        QFETCH(int, index);
        const SongLine parsed = parseLine(line);
        const bool label = line.contains(u'[');
        QString name;
        if (label) {
            const song::ChordPlacement& chord = parsed.chords.at(index);
            const QString caption = chord.name.startsWith(u'\'') ? chord.name.mid(1) : chord.name;
            name = chordLabelName(chord, caption, parsed.text);
        } else {
            name = lineBoxName(parsed, index);
        }
        QTEST(name, "expected");
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
        QTest::addRow("a word and the blank after it are one step")
            << u""_s << u"i0:one_two_three"_s << u"one two  | one  | "_s;
        QTest::addRow("a blank typed after a pause goes with the word after it")
            << u""_s << u"i0:_aaa p1500 i4:_bbb p1500 i8:_ccc"_s << u" aaa bbb |  aaa | "_s;
        QTest::addRow("blanks alone after a pause are a step") << u"ab"_s << u"i2:__"_s << u"ab"_s;
        QTest::addRow("a pause splits a word") << u""_s << u"i0:ab p1001 i2:cd"_s << u"ab | "_s;
        QTest::addRow("a pause of a second does not") << u""_s << u"i0:ab p990 i2:cd"_s << u""_s;
        QTest::addRow("a caret move ends a step") << u""_s << u"i0:ab m i2:cd"_s << u"ab | "_s;
        QTest::addRow("typing after a run of BackSpace is a step") << u"abc"_s << u"b3:2 i1:x"_s << u"a | abc"_s;
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
