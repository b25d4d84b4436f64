#include "songfixture.h"
#include "testmain.h"

#include "song/barline.h"
#include "song/chordsheet.h"
#include "song/shownchords.h"
#include "song/sourceconversions.h"

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

namespace {

QString chordNames(const Song& song)
{
    QStringList names;
    for (const SongLine& line : song.lines) {
        for (const ChordPlacement& chord : line.chords)
            names.append(chord.name);
    }
    return names.join(u' ');
}

} // namespace

// The source editor's commands on selected text, bar lines, songs to and from
// chord sheets, and the chord edits of the song menu. Results replace the
// selection as they are, so every line end and blank counts.
class SourceConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("expected");
        QTest::addRow("indent left: the smallest indent goes") << u"indent left"_s << u"  a\n    b"_s << u"a\r\n  b\r\n"_s;
        QTest::addRow("indent left: a line at the margin costs every line its first character")
            << u"indent left"_s << u"ab\n  c"_s << u"b\r\n c\r\n"_s;
        QTest::addRow("indent left: an empty line counts as no indent")
            << u"indent left"_s << u"  a\n\n  b\n"_s << u" a\r\n\r\n b\r\n"_s;
        QTest::addRow("indent left: tabs are eight blanks") << u"indent left"_s << u"\ta"_s << u"   a\r\n"_s;
        QTest::addRow("indent left: nothing selected gives nothing") << u"indent left"_s << QString() << QString();
        QTest::addRow("indent right: five blanks before each line, a last line end added")
            << u"indent right"_s << u"a\r\n b"_s << u"     a\r\n      b\r\n"_s;
        QTest::addRow("indent right: LF then CR is two line ends")
            << u"indent right"_s << u"a\n\rb"_s << u"     a\r\n     \r\n     b\r\n"_s;
        QTest::addRow("filter: every chosen character becomes eight blanks, each time")
            << u"filter |*"_s << u"x|y*z|"_s << u"x        y        z        "_s;
        QTest::addRow("filter: tabs go even when nothing was chosen") << u"filter "_s << u"a\tb"_s << u"a        b"_s;
        QTest::addRow("line ends: lone LF and lone CR") << u"line ends"_s << u"a\nb\rc"_s << u"a\r\nb\r\nc"_s;
        QTest::addRow("line ends: LF then CR is two") << u"line ends"_s << u"a\n\rb"_s << u"a\r\n\r\nb"_s;
        QTest::addRow("line ends: LF then CR LF is two") << u"line ends"_s << u"a\n\r\nb"_s << u"a\r\n\r\nb"_s;
        QTest::addRow("a title wraps the selection without its blanks") << u"wrap t"_s << u"  My Song "_s << u"{t:My Song}"_s;
        QTest::addRow("only blanks are trimmed, not tabs") << u"wrap c"_s << u"\tx "_s << u"{c:\tx}"_s;
        QTest::addRow("section marks stand on a line of their own") << u"line soc"_s << QString() << u"{soc}\r\n"_s;
        QTest::addRow("a chord line merges into the lyric under it")
            << u"merge"_s << u"G   D7\nHello world"_s << u"[G]Hell[D7]o world\r\n"_s;
        QTest::addRow("a chord line merges, then an unpaired line stays") << u"merge"_s << u"C\nla\nG"_s << u"[C]la\r\nG\r\n"_s;
        QTest::addRow("merging counts tabs as eight blanks") << u"merge"_s << u"\tG\n12345678ab"_s << u"12345678[G]ab\r\n"_s;
        QTest::addRow("chord sheet: a chord line alone keeps its chords over blanks")
            << u"chord sheet"_s << u"G  C\n\nla"_s << u"[G]   [C]\r\n\r\nla\r\n"_s;
        QTest::addRow("chord sheet: bars and repeat counts become labels") << u"chord sheet"_s
            << u"|: G :| x2\nla la la la la"_s << u"['|:]la [G]la[':|] la['x2] la la\r\n"_s;
        QTest::addRow("chord sheet: a chord line never takes a directive or the next chord line") << u"chord sheet"_s
            << u"G\n{c:x}\nC\nD\nla"_s << u"[G]\r\n{c:x}\r\n[C]\r\n[D]la\r\n"_s;
        QTest::addRow("chord sheet: tablature becomes a tab section") << u"chord sheet"_s
            << u"e|--3--|\nB|--0--|\nla"_s << u"{start_of_tab}\r\ne|--3--|\r\nB|--0--|\r\n{end_of_tab}\r\nla\r\n"_s;
        QTest::addRow("bar line: bars and chords") << u"bar line"_s << u"  | G  Am | C |"_s << u"  ['|] [G]  [Am] ['|] [C] ['|]"_s;
        QTest::addRow("bar line: a bracketed token is copied") << u"bar line"_s << u"|[G7] x|"_s << u"['|][G7] ['x]['|]"_s;
        QTest::addRow("bar line: not a note becomes a text label") << u"bar line"_s << u"| N.C. |"_s << u"['|] ['N.C.] ['|]"_s;
        QTest::addRow("bar line: a lower-case note letter is a chord") << u"bar line"_s << u"|g7|"_s << u"['|][g7]['|]"_s;
    }
    void conversions()
    {
        QFETCH(QString, command);
        QFETCH(QString, selection);
        QString result;
        if (command == u"indent left")
            result = indentLeft(selection);
        else if (command == u"indent right")
            result = indentRight(selection);
        else if (command.startsWith(u"filter "))
            result = filterChars(selection, command.mid(7));
        else if (command == u"line ends")
            result = lfToCrLf(selection);
        else if (command.startsWith(u"wrap "))
            result = wrapInDirective(QStringView(command).mid(5), selection);
        else if (command.startsWith(u"line "))
            result = directiveLine(QStringView(command).mid(5));
        else if (command == u"merge")
            result = mergeChordLines(selection);
        else if (command == u"chord sheet")
            result = chordSheetToChordPro(selection);
        else
            result = BarLineToChordPro(selection);
        QTEST(result, "expected");
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

    void transpose_data()
    {
        QTest::addColumn<QString>("chords");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<QString>("expected");
        QTest::addRow("sharp up one") << u"F#m7/C#"_s << 1 << u"Gm7/D"_s;
        QTest::addRow("flat down one") << u"Dbmaj7"_s << -1 << u"Cmaj7"_s;
        QTest::addRow("an octave changes nothing") << u"A"_s << 12 << u"A"_s;
        QTest::addRow("labels are normalised") << u"CM7 C/C"_s << 2 << u"Dmaj7 D"_s;
        QTest::addRow("text labels and non-chords stay") << u"'Intro N.C. x"_s << 3 << u"'Intro N.C. x"_s;
        QTest::addRow("each note keeps its own style") << u"Db/F#"_s << 1 << u"D/G"_s;
    }
    void transpose()
    {
        QFETCH(QString, chords);
        QFETCH(int, semitones);
        QFETCH(QString, expected);
        QString line;
        for (const QString& chord : chords.split(u' '))
            line += u'[' + chord + u"]la ";
        const auto f = SongFixture::read(line);
        f->song.Transpose(semitones);
        QCOMPARE(chordNames(f->song), expected);
        QVERIFY(f->song.Modificada);
        QVERIFY(f->messages.texts().isEmpty());
    }

    // How the view and the print show each chord: moved by the {transpose} in
    // force at its line and, for sounding chords, by the capo; never changed.
    void shownChords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("sounding");
        QTest::addColumn<QString>("shown");
        const QString capo2 = u"{capo: 2}\r\n[C]a [G7]b [Bb/F]c ['Intro]d [N.C.]e"_s;
        QTest::addRow("capo 2, sounding: each shape two semitones up") << capo2 << true << u"D A7 C/G 'Intro N.C."_s;
        QTest::addRow("capo 2, as played: as written") << capo2 << false << u"C G7 Bb/F 'Intro N.C."_s;
        QTest::addRow("a capo past the eleventh fret or no number is shown as written, not used")
            << u"{capo: 13}\r\n{capo: 2nd fret}\r\n[C]a"_s << true << u"C"_s;
        QTest::addRow("the key the song sounds in spells the chords")
            << u"{key: C}\r\n{capo: 1}\r\n[C]a [G/B]b [Am]c"_s << true << u"Db Ab/C Bbm"_s;
        QTest::addRow("transpose from its line until transpose 0")
            << u"[C]a\r\n{transpose: 2}\r\n[C]b\r\n[G]c\r\n{transpose: 0}\r\n[C]d"_s << false << u"C D A C"_s;
        QTest::addRow("ChordPro's form without a colon, ended by a transpose without a value")
            << u"{transpose +2}\r\n[C]a\r\n{transpose}\r\n[C]b"_s << false << u"D C"_s;
        QTest::addRow("a later transpose takes the place of the one before")
            << u"{transpose: 2}\r\n[C]a\r\n{transpose: -3}\r\n[C]b"_s << false << u"D A"_s;
        QTest::addRow("a value that is no semitone count changes nothing")
            << u"{transpose: 2}\r\n{transpose: abc}\r\n[C]a\r\n{transpose: 12}\r\n{transpose: 1.4}\r\n[C]b\r\n"
               u"{transpose: G}\r\n{transpose: -3 -1}\r\n[C]c"_s
            << false << u"D D D"_s;
        QTest::addRow("capo and transpose add up") << u"{capo: 2}\r\n{transpose: -1}\r\n[C]a"_s << true << u"C#"_s;
        QTest::addRow("moved down in a song without a key, chords take flats")
            << u"{transpose: -1}\r\n[E]a [A/D]b [Db]c"_s << false << u"Eb Ab/Db C"_s;
        QTest::addRow("moved a whole octave, shown as written") << u"{capo: 2}\r\n{transpose: -2}\r\n[CM7]a"_s << true
                                                               << u"CM7"_s;
        QTest::addRow("each song of a file starts unmoved, with its own capo")
            << u"{capo: 2}\r\n{transpose: 1}\r\n[C]a\r\n{new_song}\r\n{t:B}\r\n[C]b\r\n{ns}\r\n{capo: 3}\r\n[C]c"_s << true
            << u"D# C D#"_s;
    }
    void shownChords()
    {
        QFETCH(QString, text);
        QFETCH(bool, sounding);
        const auto f = SongFixture::read(text);
        const ShownChords shown(f->song.lines, sounding);
        const QString written = f->song.LinesToString();
        QStringList names;
        for (qsizetype index = 0; index < f->song.lines.size(); ++index) {
            for (const ChordPlacement& chord : f->song.lines[index].chords)
                names.append(shown.name(index, chord.name));
        }
        QTEST(names.join(u' '), "shown");
        // The lines that move the chords are saved as they were read, and so are the chords.
        for (const QString& line : text.split(u"\r\n"_s))
            QVERIFY2(written.contains(line + u"\r\n"), qPrintable(line));
    }

    // The song's keys move with its chords; a key that reads as none stays.
    void transposeMovesKeys_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("semitones");
        QTest::addColumn<QString>("expected");
        QTest::addRow("a key moves with the chords") << u"{key: F}"_s << 2 << u"{key: G}"_s;
        QTest::addRow("a minor key stays minor, in its own form") << u"{meta: key Dm}"_s << 3 << u"{meta: key Fm}"_s;
        QTest::addRow("spacing and case kept") << u"{ KEY :  Bb }"_s << 1 << u"{ KEY :  B }"_s;
        QTest::addRow("a key that reads as none stays") << u"{key: H#moll}"_s << 2 << u"{key: H#moll}"_s;
        QTest::addRow("a chord type is no key") << u"{key: Am7}"_s << 2 << u"{key: Am7}"_s;
        QTest::addRow("no other fact moves") << u"{capo: C}"_s << 2 << u"{capo: C}"_s;
        QTest::addRow("nor a key in notation for another tool") << u"{start_of_abc}\r\n{key: G}\r\n{end_of_abc}"_s << 2
                                                                << u"{start_of_abc}\r\n{key: G}\r\n{end_of_abc}"_s;
    }
    void transposeMovesKeys()
    {
        QFETCH(QString, line);
        QFETCH(int, semitones);
        const auto f = SongFixture::read(line + u"\r\n[C]la"_s);
        f->song.Transpose(semitones);
        QFETCH(QString, expected);
        const QString written = f->song.LinesToString().section(u"{print_orientation:1}\r\n"_s, 1);
        QCOMPARE(written.section(u"\r\n["_s, 0, 0), expected);
    }

    // Every key a song can be moved to, each of the twelve notes above its
    // tonic spelled as its signature says. C and A minor have none: each chord
    // keeps its own accidental (the Bb a tritone above the song's key).
    void transposeToKey_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");
        QTest::addRow("to C") << u"C"_s << u"C C# D D# E F Gb G G# A A# B"_s;
        QTest::addRow("to Db") << u"Db"_s << u"Db D Eb E F Gb G Ab A Bb B C"_s;
        QTest::addRow("to D") << u"D"_s << u"D D# E F F# G G# A A# B C C#"_s;
        QTest::addRow("to Eb") << u"Eb"_s << u"Eb E F Gb G Ab A Bb B C Db D"_s;
        QTest::addRow("to E") << u"E"_s << u"E F F# G G# A A# B C C# D D#"_s;
        QTest::addRow("to F") << u"F"_s << u"F Gb G Ab A Bb B C Db D Eb E"_s;
        QTest::addRow("to F#") << u"F#"_s << u"F# G G# A A# B C C# D D# E F"_s;
        QTest::addRow("to G") << u"G"_s << u"G G# A A# B C C# D D# E F F#"_s;
        QTest::addRow("to Ab") << u"Ab"_s << u"Ab A Bb B C Db D Eb E F Gb G"_s;
        QTest::addRow("to A") << u"A"_s << u"A A# B C C# D D# E F F# G G#"_s;
        QTest::addRow("to Bb") << u"Bb"_s << u"Bb B C Db D Eb E F Gb G Ab A"_s;
        QTest::addRow("to B") << u"B"_s << u"B C C# D D# E F F# G G# A A#"_s;
        QTest::addRow("to Cm") << u"Cm"_s << u"C Db D Eb E F Gb G Ab A Bb B"_s;
        QTest::addRow("to C#m") << u"C#m"_s << u"C# D D# E F F# G G# A A# B C"_s;
        QTest::addRow("to Dm") << u"Dm"_s << u"D Eb E F Gb G Ab A Bb B C Db"_s;
        QTest::addRow("to Ebm") << u"Ebm"_s << u"Eb E F Gb G Ab A Bb B C Db D"_s;
        QTest::addRow("to Em") << u"Em"_s << u"E F F# G G# A A# B C C# D D#"_s;
        QTest::addRow("to Fm") << u"Fm"_s << u"F Gb G Ab A Bb B C Db D Eb E"_s;
        QTest::addRow("to F#m") << u"F#m"_s << u"F# G G# A A# B C C# D D# E F"_s;
        QTest::addRow("to Gm") << u"Gm"_s << u"G Ab A Bb B C Db D Eb E F Gb"_s;
        QTest::addRow("to G#m") << u"G#m"_s << u"G# A A# B C C# D D# E F F# G"_s;
        QTest::addRow("to Am") << u"Am"_s << u"A A# B C C# D D# E F Gb G G#"_s;
        QTest::addRow("to Bbm") << u"Bbm"_s << u"Bb B C Db D Eb E F Gb G Ab A"_s;
        QTest::addRow("to Bm") << u"Bm"_s << u"B C C# D D# E F F# G G# A A#"_s;
    }
    void transposeToKey()
    {
        QFETCH(QString, target);
        const bool minor = target.endsWith(u'm');
        // Twelve chords a semitone apart from the tonic up, two written with flats.
        const QString song = minor ? u"{key: C#m}\r\n[C#][D][D#][E][F][F#][G][G#][A][Bb][B][C]"_s
                                   : u"{key: E}\r\n[E][F][F#][G][G#][A][Bb][B][C][C#][D][Eb]"_s;
        const auto f = SongFixture::read(song);
        QVERIFY(f->song.TransposeToKey(target));
        QTEST(chordNames(f->song), "expected");
        QCOMPARE(f->song.metadata().first().value, target);
    }

    // A target of the other mode stands for its relative key, and a name the
    // table spells otherwise keeps its own accidental.
    void transposeToOtherNames_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");   // the key written, then the chords
        QTest::addRow("a minor song to G goes to E minor") << u"{key: Am}\r\n[Am][E7][C]"_s << u"G"_s << u"Em Em B7 G"_s;
        QTest::addRow("a major song to D minor goes to F") << u"{key: G}\r\n[G][D7][Em]"_s << u"Dm"_s << u"F F C7 Dm"_s;
        QTest::addRow("Gb is spelled with flats") << u"{key: E}\r\n[E][B7][C#m]"_s << u"Gb"_s << u"Gb Gb Db7 Ebm"_s;
        QTest::addRow("D# minor with sharps") << u"{key: Ebm}\r\n[Ebm][Bb7]"_s << u"D#m"_s << u"D#m D#m A#7"_s;
    }
    void transposeToOtherNames()
    {
        QFETCH(QString, song);
        QFETCH(QString, target);
        const auto f = SongFixture::read(song);
        QVERIFY(f->song.TransposeToKey(target));
        QTEST(QString(f->song.metadata().first().value + u' ' + chordNames(f->song)), "expected");
    }

    void transposeToKeyNeedsKeys_data()
    {
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("target");
        QTest::addRow("a song without a key") << u"[C]la"_s << u"Bb"_s;
        QTest::addRow("a song whose key reads as none") << u"{key: H#moll}\r\n[C]la"_s << u"Bb"_s;
        QTest::addRow("a target that is no key") << u"{key: C}\r\n[C]la"_s << u"H"_s;
    }
    void transposeToKeyNeedsKeys()
    {
        QFETCH(QString, song);
        QFETCH(QString, target);
        const auto f = SongFixture::read(song);
        const QString before = f->song.LinesToString();
        QVERIFY(!f->song.TransposeToKey(target));
        QCOMPARE(f->song.LinesToString(), before);
        QVERIFY(!f->song.Modificada);
    }

    void transposeLeavesCommentsAndTabsAlone()
    {
        const auto f = SongFixture::read(u"{c:[C] intro}\r\n{sot}\r\n[C]-0-\r\n{eot}\r\n{chord: C -1 3 2 0 1 0 1}\r\n[C]x"_s);
        f->song.Transpose(2);
        QCOMPARE(f->song.lines[0].text, u"[C] intro"_s);
        QCOMPARE(f->song.lines[2].text, u"[C]-0-"_s);
        QCOMPARE(f->song.chordDefs[0].name, u"C"_s);
        QCOMPARE(chordNames(f->song), u"D"_s);
    }

    void emptyChordIsReported()
    {
        const auto f = SongFixture::read(u"[]la"_s);
        f->song.Transpose(1);
        QCOMPARE(f->messages.texts(), QStringList{u"Invalid Chord: "_s});
    }

    void replace_data()
    {
        QTest::addColumn<QString>("notation");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addRow("found as shown, with maj") << u"C"_s << u"Cmaj7"_s << u"D"_s << u"G7 Am G7 'x D"_s;
        QTest::addRow("solfege find and replacement") << u"Do"_s << u"Sol7"_s << u"La7"_s << u"A7 Am A7 'x"_s;
        QTest::addRow("text label loses its apostrophe") << u"C"_s << u"x"_s << u"E"_s << u"G7 Am G7 E"_s;
        QTest::addRow("a replacement that is no chord is stored as typed") << u"C"_s << u"Am"_s << u"hm"_s << u"G7 hm G7 'x"_s;
        QTest::addRow("unknown solfege gives an empty label") << u"Do"_s << u"Lam"_s << u"Xy"_s << u"G7  G7 'x"_s;
    }
    void replace()
    {
        QFETCH(QString, notation);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        const bool withMaj = find == u"Cmaj7";
        const auto f = SongFixture::read(u"[G7]a [Am]b [G7]c ['x]d"_s + (withMaj ? u" [CM7]e"_s : QString()));
        f->context.app.notation = notation;
        f->song.ReplaceChords(find, replacement);
        QCOMPARE(chordNames(f->song), expected);
        QVERIFY(f->song.Modificada);
    }

    // Bars are bracketed first, as letters: only syllables starting with a note
    // letter (Do, Fa) become chords there, the others text labels.
    void solfegeConversion()
    {
        RecordingMessages messages;
        // A "|" inside a lyric is lyric, and tablature stays as it was written.
        const QString text = u"[Do]la [Sol7/Si]la [Xy]z ['Fin]\n# [Re] stays\n{c:[Re]}\n| Do  Fa Re |\n[Re\n"
                             u"[Do]la | li\n{sot}\n|-[Re]-0-|\n{eot}"_s;
        QCOMPARE(ConvertSolfegeChords(text, messages),
                 u"[C]la [G7/B]la [Xy]z ['Fin]\r\n# [Re] stays\r\n{c:[Re]}\r\n['|] [C]  [F] ['Re] ['|]\r\n[Re\r\n"
                 u"[C]la | li\r\n{sot}\r\n|-[Re]-0-|\r\n{eot}\r\n"_s);
        QCOMPARE(messages.texts(), QStringList{u"Invalid Chord: Xy"_s});
    }
};

LIRAVOX_TEST_MAIN(SourceConversionsTest)
#include "sourceconversions_test.moc"
