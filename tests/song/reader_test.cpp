#include "songfixture.h"
#include "testmain.h"

#include "music/modos.h"
#include "song/barline.h"
#include "song/songproperties.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

namespace {

QString readData(const QString& name)
{
    QFile file(test::dataFile(name));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

void sortChords(SongLine& line)
{
    std::stable_sort(line.chords.begin(), line.chords.end(),
                     [](const ChordPlacement& a, const ChordPlacement& b) { return a.position < b.position; });
}

// Only the song's own lines, as the source editor shows them.
QString songText(SongFixture& f)
{
    f.context.app.WriteFormat = false;
    return f.song.LinesToString();
}

} // namespace

class ReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void directiveLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");   // 0: the line produces no record
        QTest::addColumn<QString>("text");
        QTest::addRow("short chorus start") << u"{soc}"_s << 21 << u"Start of Chorus"_s;
        QTest::addRow("names are read in any case") << u"{SOC}"_s << 21 << u"Start of Chorus"_s;
        QTest::addRow("blank before the brace is kept as read") << u" {soc}"_s << 12 << u" {soc}"_s;
        QTest::addRow("comment keeps its text") << u"{c: Slowly, with feeling }"_s << 6 << u"Slowly, with feeling"_s;
        QTest::addRow("block start carries its name") << u"{soblk:Intro}"_s << 8 << u"Intro"_s;
        QTest::addRow("bridge end") << u"{end_of_bridge}"_s << 32 << u"End of Bridge"_s;
        QTest::addRow("tab start") << u"{sot}"_s << 41 << u"Start of Tab"_s;
        QTest::addRow("unterminated brace reads the rest") << u"{soc"_s << 21 << u"Start of Chorus"_s;
        QTest::addRow("text after the closing brace shifts the cut") << u"{c:a}b"_s << 6 << u"a}"_s;
        QTest::addRow("title produces no line") << u"{t:Song}"_s << 0 << QString();
        QTest::addRow("unknown directive is kept as read") << u"{textsize: 12}"_s << 12 << u"{textsize: 12}"_s;
        QTest::addRow("a fact is kept as read") << u"{artist: Traditional}"_s << 12 << u"{artist: Traditional}"_s;
        QTest::addRow("title given as a fact produces no line") << u"{meta: title Song}"_s << 0 << QString();
        QTest::addRow("title with a blank, not a colon, is kept") << u"{t Song}"_s << 12 << u"{t Song}"_s;
        QTest::addRow("verse label names the block") << u"{sov: Verse 1}"_s << 8 << u"Verse 1"_s;
        QTest::addRow("chorus label is shown") << u"{start_of_chorus: Chorus 2}"_s << 21 << u"Start of Chorus: Chorus 2"_s;
        QTest::addRow("grid reads as tablature") << u"{start_of_grid 4x4}"_s << 41 << u"Start of Grid: 4x4"_s;
        QTest::addRow("chord to show, not to define") << u"{chord: Am}"_s << 12 << u"{chord: Am}"_s;
        QTest::addRow("blank title is kept as read") << u"{title: }"_s << 12 << u"{title: }"_s;
        QTest::addRow("blank subtitle is kept as read") << u"{st:}"_s << 12 << u"{st:}"_s;
        QTest::addRow("font of a role the program lacks is kept") << u"{font:nosuch,A,1,1,true,true}"_s << 12
                                                                  << u"{font:nosuch,A,1,1,true,true}"_s;
        QTest::addRow("font of a role the program has sets it") << u"{font:Lyric,Arial,12,0,false,false}"_s << 0 << QString();
    }
    void directiveLines()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        const auto f = SongFixture::read(line);
        QVERIFY(f->messages.texts().isEmpty());
        QCOMPARE(f->song.lines.size(), kind == 0 ? 0 : 1);
        if (kind != 0) {
            QCOMPARE(int(f->song.lines[0].kind), kind);
            QTEST(f->song.lines[0].text, "text");
        }
    }

    void lyricChords_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chords");   // name@position, blank separated
        QTest::addRow("chords before syllables") << u"[C]Hello [G]world"_s << u"Hello world"_s << u"C@0 G@6"_s;
        QTest::addRow("chords back to back keep their order") << u"Hello[C][G]"_s << u"Hello"_s << u"C@5 G@5"_s;
        QTest::addRow("unmatched bracket loses its chord") << u"la [Am la"_s << u"la "_s << QString();
        QTest::addRow("lone closing bracket is lyric") << u"a]b[C]c"_s << u"a]bc"_s << u"C@3"_s;
        QTest::addRow("bar line becomes chords over blanks") << u"  | G  Am | C |"_s << u"        "_s
                                                             << u"'|@2 G@3 Am@5 '|@6 C@7 '|@8"_s;
        QTest::addRow("tab expands to the next column of eight") << u"ab\t[C]c"_s << u"ab      c"_s << u"C@8"_s;
    }
    void lyricChords()
    {
        QFETCH(QString, line);
        const auto f = SongFixture::read(line);
        QCOMPARE(f->song.lines.size(), 1);
        const SongLine& record = f->song.lines[0];
        QCOMPARE(int(record.kind), int(KindLyric));
        QTEST(record.text, "text");
        QStringList written;
        for (const ChordPlacement& chord : record.chords)
            written.append(chord.name + u'@' + QString::number(chord.position));
        QTEST(written.join(u' '), "chords");
    }

    // Bar notation is read as chords; a line that starts with a repeat sign and
    // goes on with words is a lyric, and saves as it was written.
    void barNotationOrLyric_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("bars");
        QTest::addRow("chords between bars") << u"| G  Am | C |"_s << true;
        QTest::addRow("rhythm dots, slashes and repeat of the bar") << u"| C . . . | % . / / |"_s << true;
        QTest::addRow("repeat signs and a count") << u"|: C7 . | G7 :| x2"_s << true;
        QTest::addRow("bracketed chords, rests and no chord") << u"| [Am] - | N.C. x |"_s << true;
        QTest::addRow("voltas and lower-case chords") << u"|1. g7 | 2. C#m7b5/G# ||"_s << true;
        QTest::addRow("a bar alone") << u"|"_s << true;
        QTest::addRow("repeat sign before a Czech lyric") << u"|: Dneska[F] jsem v lese [C]byl"_s << false;
        QTest::addRow("closing repeat after a German lyric") << u"|[G]Alle meine [D]Entchen :|"_s << false;
        QTest::addRow("one word among the chords") << u"| G | C | repeat"_s << false;
        QTest::addRow("a word that starts like a chord") << u"| Am I blue"_s << false;
        QTest::addRow("blanks before the repeat sign") << u"   |: Hej [Am]sokoly :|"_s << false;
    }
    void barNotationOrLyric()
    {
        QFETCH(QString, line);
        QFETCH(bool, bars);
        QCOMPARE(IsBarNotation(line), bars);
        auto f = SongFixture::read(line);
        QCOMPARE(f->song.lines.size(), 1);
        const SongLine& read = f->song.lines[0];
        QCOMPARE(int(read.kind), int(KindLyric));
        QCOMPARE(!read.chords.isEmpty() && read.chords.first().name == u"'|", bars && !line.isEmpty());
        if (!bars) {
            QVERIFY(read.text.contains(u'|'));
            QCOMPARE(songText(*f), line + u"\r\n");
        }
        // Tablature is never converted.
        f = SongFixture::read(u"{sot}\r\n" + line + u"\r\n{eot}");
        QCOMPARE(f->song.lines[1], (SongLine{KindLyric, line, {}}));
    }

    void linesFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("empty text has no lines") << QString() << QStringList{};
        QTest::addRow("final line end adds no line") << u"a\r\n"_s << QStringList{u"a"_s};
        QTest::addRow("two line ends make an empty lyric") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::addRow("LF then CR is two line ends") << u"a\n\rb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    }
    void linesFromText()
    {
        QFETCH(QString, text);
        const auto f = SongFixture::read(text);
        QStringList texts;
        for (const SongLine& line : f->song.lines)
            texts.append(line.text);
        QTEST(texts, "lines");
    }

    void songValues()
    {
        const auto f = SongFixture::read(u"{title:  Blowin' in the Wind  }\r\n{subtitle:Bob}\r\n{print_major:Yes}\r\n"
                                         u"{print_minor:yes}\r\n{print_bemol:no}\r\n{botton_margin:720}\r\n"
                                         u"{left_margin:99999}\r\n{right_margin:abc}\r\n{chords_size:2.5}\r\n"
                                         u"{print_orientation:2}\r\n{font:Lyric,Arial,12,0,false,false}"_s);
        const Song& song = f->song;
        QCOMPARE(song.title + u'|' + song.subtitle, u"Blowin' in the Wind|Bob"_s);
        QCOMPARE((QList<bool>{song.PrintMajorFlag, song.PrintMinorFlag, song.PrintBemolFlag}), (QList<bool>{false, true, false}));
        // Margins out of range clamp, and what is not a number reads as 0.
        QCOMPARE((QList<qint16>{song.MargenB, song.MargenT, song.MargenL, song.MargenR, song.ChordSize, song.PrintOrientation}),
                 (QList<qint16>{720, 1000, 32767, 0, 2, 2}));
        QVERIFY(song.lines.isEmpty());
    }

    void chordDefinitions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");   // name base: frets of strings 1..6; "!" + message when refused
        QTest::addRow("old syntax leads with the base fret") << u"{define: G 1 3 2 0 0 0 3}"_s << u"G 0: 3 0 0 0 2 3"_s;
        QTest::addRow("new syntax ends with the base fret") << u"{new_define}\r\n{define: G 1 3 2 0 0 0 3}"_s << u"G 2: 0 0 0 2 3 1"_s;
        QTest::addRow("published form with fret words and x") << u"{define: Am base-fret 1 frets x 0 2 2 1 0}"_s << u"Am 0: 0 1 2 2 0 -1"_s;
        QTest::addRow("base fret may be left out") << u"{define: G frets 3 2 0 0 0 3}"_s << u"G 0: 3 0 0 0 2 3"_s;
        QTest::addRow("fingers are ignored") << u"{define: D base-fret 3 frets x x 0 2 3 2 fingers 0 0 0 1 3 2}"_s << u"D 2: 2 3 2 0 -1 -1"_s;
        QTest::addRow("a chord to show does not switch the syntax") << u"{chord: Am}\r\n{define: G 1 3 2 0 0 0 3}"_s << u"G 0: 3 0 0 0 2 3"_s;
        QTest::addRow("six numbers are refused") << u"{define: G 3 2 0 0 0 3}"_s << u"!Invalid Define: G 3 2 0 0 0 3"_s;
        QTest::addRow("four strings are no guitar fingering") << u"{define: C frets 0 0 0 3}"_s << u"!Invalid Define: C frets 0 0 0 3"_s;
    }
    void chordDefinitions()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto f = SongFixture::read(text);
        for (const SongLine& line : f->song.lines)
            QCOMPARE(int(line.kind), int(KindKept));
        if (expected.startsWith(u'!')) {
            QVERIFY(f->song.chordDefs.isEmpty());
            QCOMPARE(f->messages.texts(), QStringList{expected.mid(1)});
            // The line is not lost: it stays in the song as it was written.
            QCOMPARE(f->song.lines, (QList<SongLine>{{KindKept, text, {}}}));
            return;
        }
        QCOMPARE(f->song.chordDefs.size(), 1);
        const music::GuitarChordDef& def = f->song.chordDefs[0];
        QString written = def.name + u' ' + QString::number(def.baseFret) + u':';
        for (int string = 1; string <= 6; ++string)
            written += u' ' + QString::number(def.frets[string]);
        QCOMPARE(written, expected);
        QCOMPARE(f->song.LastChords, QStringList{def.name});
    }

    void unreadableLinesMakeOneMessage()
    {
        QString text;
        for (int i = 0; i < 14; ++i)
            text += u"{define: X" + QString::number(i) + u" 1 2}\r\n";
        const auto f = SongFixture::read(text + u"{mode: broken}"_s);
        QCOMPARE(f->song.lines.size(), 15);
        QCOMPARE(f->messages.texts().size(), 1);
        const QStringList shown = f->messages.texts().first().split(u'\n');
        QCOMPARE(shown.size(), 11);
        QCOMPARE(shown.first(), u"Invalid Define: X0 1 2"_s);
        QCOMPARE(shown.last(), u"... and 5 more"_s);
    }

    void sectionsAndSongsOfOtherTools_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");   // kind|text per line, lyrics with their chords
        QTest::addColumn<QString>("title");
        QTest::addRow("notation for other tools is carried unread")
            << u"{start_of_abc}\r\nX:1\r\n[C]c d\r\n{end_of_abc}\r\n[G]la"_s
            << u"12|{start_of_abc} 12|X:1 12|[C]c d 12|{end_of_abc} 5|[G]la"_s << QString();
        QTest::addRow("unterminated notation runs to the end") << u"{start_of_ly}\r\n[C]x\r\n{eoc}"_s
                                                               << u"12|{start_of_ly} 12|[C]x 12|{eoc}"_s << QString();
        QTest::addRow("grid rows are kept as written") << u"{sog}\r\n| C . | G |\r\n{eog}\r\n| C |"_s
                                                       << u"41|Start of Grid 5|| C . | G | 42|End of Grid 5|['|] [C] ['|]"_s << QString();
        QTest::addRow("later songs keep their titles as lines") << u"{t:A}\r\n{ns}\r\n{t:B}\r\n{st:C}\r\nla"_s
                                                                << u"12|{ns} 12|{t:B} 12|{st:C} 5|la"_s << u"A"_s;
        QTest::addRow("tablature keeps its brackets as written")
            << u"{sot}\r\n[C]e|--0--|\r\n| G |\r\n{eot}\r\n[C]x"_s << u"41|Start of Tab 5|[C]e|--0--| 5|| G | 42|End of Tab 5|[C]x"_s << QString();
        QTest::addRow("notation ends with blanks around the directive")
            << u"{start_of_ly}\r\nc\r\n{end_of_ly} \r\n{start_of_abc}\r\nX:1\r\n {end_of_abc}\r\n[G]la"_s
            << u"12|{start_of_ly} 12|c 12|{end_of_ly}  12|{start_of_abc} 12|X:1 12| {end_of_abc} 5|[G]la"_s << QString();
        QTest::addRow("notation left open ends where a section starts")
            << u"{start_of_abc}\r\nX:1\r\n{soc}\r\n[C]la\r\n{eoc}"_s
            << u"12|{start_of_abc} 12|X:1 21|Start of Chorus 5|[C]la 22|End of Chorus"_s << QString();
        QTest::addRow("a grid inside tablature does not end it")
            << u"{sot}\r\n{sog}\r\nx\r\n{eog}\r\n[C]y\r\n{eot}\r\n[C]z"_s
            << u"41|Start of Tab 12|{sog} 5|x 12|{eog} 5|[C]y 42|End of Tab 5|[C]z"_s << QString();
        QTest::addRow("grid end with blanks around it") << u"{sog}\r\n| C |\r\n {eog} \r\n| C |"_s
                                                        << u"41|Start of Grid 5|| C | 42|End of Grid 5|['|] [C] ['|]"_s << QString();
        QTest::addRow("stray section ends") << u"{eov}\r\n{end_of_abc}\r\n{sov}"_s << u"9|End of Block 12|{end_of_abc} 8|Verse"_s << QString();
    }
    void sectionsAndSongsOfOtherTools()
    {
        QFETCH(QString, text);
        const auto f = SongFixture::read(text);
        QStringList read;
        for (const SongLine& line : f->song.lines)
            read.append(QString::number(line.kind) + u'|' + (line.kind == KindLyric ? lyricWithChords(line) : line.text));
        QTEST(read.join(u' '), "lines");
        QTEST(f->song.title, "title");
    }

    void modeDeclarations_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");   // as the program writes it again, or "!" for refused
        QTest::addRow("aliases and intervals") << u"\"m7 min7\" \"Minor Seventh\" 1 3b 5 7b"_s << u"\"m7 min7\" \"Minor Seventh\" 1 3b 5 7b"_s;
        QTest::addRow("aliases are lower-cased, sharps written as flats")
            << u"\"M7 Maj7\" \"Major Seventh\" 1 2# 5 7"_s << u"\"m7 maj7\" \"Major Seventh\" 1 3b 5 7"_s;
        QTest::addRow("two octaves") << u"\"13\" \"Thirteenth\" 1 3 5 7b 9 11# 13 14"_s << u"\"13\" \"Thirteenth\" 1 3 5 7b 9 11# 13 14"_s;
        QTest::addRow("interval 15 is unknown") << u"\"x\" \"X\" 1 15"_s << u"!"_s;
        QTest::addRow("description is required") << u"\"x\" 1 3 5"_s << u"!"_s;
        QTest::addRow("must start with a quote") << u"x \"X\" 1"_s << u"!"_s;
    }
    void modeDeclarations()
    {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        const QString line = u"{mode: " + argument + u'}';
        const auto f = SongFixture::read(line);
        const music::ChordTypeTable& table = f->context.music.chordTypes;
        if (expected == u"!") {
            QCOMPARE(table.size(), 0);
            QCOMPARE(f->messages.texts(), QStringList{u"Invalid Mode: " + argument});
            QCOMPARE(f->song.lines, (QList<SongLine>{{KindKept, line, {}}}));
            return;
        }
        QVERIFY(f->song.lines.isEmpty() && f->messages.texts().isEmpty());
        QCOMPARE(table.size(), 1);
        QCOMPARE(Song::ModeDefToStr(*table.at(0)), expected);
    }

    void overlongLyricIsSplitNotWrapped()
    {
        const QString lyric = QString(40000, u'a');
        const auto f = SongFixture::read(u"[C]" + lyric.left(35000) + u"[G]" + lyric.mid(35000) + u"[D]");
        const QList<SongLine>& lines = f->song.lines;
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text.size(), 32767);
        QCOMPARE(lines[0].text + lines[1].text, lyric);
        QCOMPARE(lines[0].chords, (QList<ChordPlacement>{{u"C"_s, 0}}));
        QCOMPARE(lines[1].chords, (QList<ChordPlacement>{{u"G"_s, 35000 - 32767}, {u"D"_s, 40000 - 32767}}));
        QCOMPARE(f->messages.texts(), QStringList{u"Line 1 is longer than 32767 characters and was split into 2 lines."_s});
    }

    // Each file written with every setting (name-ref.cho) and in its own style:
    // as it was, or as name-own.cho says where the program's settings change it.
    void goldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("own");
        const auto row = [](const char* tag, const QString& name, const QString& own) {
            QTest::addRow("%s", tag) << name << readData(own + u".cho");
        };
        row("every line kind and song value", u"everything"_s, u"everything-own"_s);
        row("sections, labels, comments and notation of other tools", u"sections"_s, u"sections"_s);
        row("definitions in every form, read or not", u"definitions"_s, u"definitions-own"_s);
        row("several songs and malformed directives", u"songbook"_s, u"songbook"_s);
        row("repeat signs before lyrics, bar notation as chords", u"repeats"_s, u"repeats"_s);
        row("block ends with blanks, blocks left open, a grid inside tablature", u"blocks"_s, u"blocks"_s);
        row("blank titles and fonts of unknown roles", u"keptvalues"_s, u"keptvalues"_s);
    }
    void goldenFiles()
    {
        QFETCH(QString, name);
        SongFixture f;
        f.context.app.CurrentFileName = test::dataFile(name + u".cho");
        f.song.LoadFile();
        const QString own = f.song.LinesToString();
        QTEST(own, "own");
        f.context.app.WriteEverySetting = true;
        const QString written = f.song.LinesToString();
        QCOMPARE(written, readData(name + u"-ref.cho"));
        // Writing is a fixed point once the text is ours, in either style.
        f.song.StringToLinesRec(written);
        QCOMPARE(f.song.LinesToString(), written);
        f.context.app.WriteEverySetting = false;
        f.song.StringToLinesRec(own);
        QCOMPARE(f.song.LinesToString(), own);
    }

    // Facts about a song in both forms, repeated, and edited: each line in its
    // place, written back as read unless its value changed, then in its own form.
    void metadataFamilies_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("facts");         // name=value, in file order, "; " between
        QTest::addColumn<QStringList>("edits");     // index=new value
        QTest::addColumn<QString>("header");        // the line shown under the title
        QTest::addRow("people, both forms and repeated, a second title kept")
            << u"meta-people"_s << u"Ballad of the Hills"_s
            << u"artist=Marty Robbins; artist=The Band; composer=A. Writer; lyricist=B. Poet; arranger=C. Arranger; "
               u"arranger=D. Arranger"_s
            << QStringList{u"1=The Other Band"_s, u"2=A. Composer"_s, u"5=E. Arranger"_s} << u"Marty Robbins"_s;
        QTest::addRow("keys, times and numbers as written, sense or not")
            << u"meta-music"_s << u"Key Changes"_s
            << u"key=F; key=Dm; key=H#moll; time=3/4; time=6/8; tempo=96; tempo=-5; duration=3:05; capo=2; capo=99; key=G"_s
            << QStringList{u"0=G"_s, u"9=3"_s} << u"Key F \u00b7 Capo 2 \u00b7 3/4 \u00b7 96 bpm"_s;
        QTest::addRow("album, dates, tags and sort names")
            << u"meta-publishing"_s << u"Album Track"_s
            << u"album=Gunfighter Ballads; album=Greatest Hits; year=1959; copyright=(c) 1959 Someone; ccli=1234567; "
               u"tag=western; tag=ballad; tag=; sorttitle=Album Track, The; sortartist=Robbins, Marty"_s
            << QStringList{u"7=gospel"_s, u"2=1960"_s} << QString();
        QTest::addRow("names of other tools; none in notation or in a later song")
            << u"meta-other"_s << u"Other Facts"_s << u"source=Bluegrass library; source=second; x_studio=Nashville; mood=; artist=; composer=Hank Writer"_s
            << QStringList{u"3=calm"_s, u"4=Nobody"_s, u"2=Memphis\nTennessee"_s} << u"Hank Writer"_s;
    }
    void metadataFamilies()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, edits);
        SongFixture f;
        f.context.app.WriteEverySetting = true;
        f.context.app.CurrentFileName = test::dataFile(name + u".cho");
        f.song.LoadFile();
        QTEST(f.song.title, "title");
        QStringList facts;
        for (const MetaEntry& entry : f.song.metadata())
            facts.append(entry.name + u'=' + entry.value);
        QTEST(facts.join(u"; "), "facts");
        QTEST(headerLine(f.song.metadata()), "header");
        for (const QString& edit : std::as_const(edits)) {
            const qsizetype equals = edit.indexOf(u'=');
            QVERIFY(setMetadataValue(f.song.lines, edit.left(equals).toInt(),
                                     edit.mid(equals + 1).replace(u"\\n"_s, u"\n"_s)));
        }
        const QString written = songText(f);
        QCOMPARE(written, readData(name + u"-ref.cho"));
        f.song.StringToLinesRec(written);
        QCOMPARE(f.song.metadata().size(), facts.size());
        QCOMPARE(f.song.LinesToString(), written);
    }

    // The facts' font follows the song's subtitle and is written only when
    // the song sets one of its own, so songs keep the font lines they had.
    void factsFontFollowsTheSubtitle()
    {
        SongFixture f;
        f.song.LoadFile();
        f.song.StringToLinesRec(u"{font:SubTitle,Arial,12,0,false,false}\r\nx"_s);
        QCOMPARE(FontToStr(*f.song.fonts->find(u"Metadata"_s)), u"Metadata,Arial,10,0,false,false"_s);
        QVERIFY(!f.song.LinesToString().contains(u"Metadata"_s));
        f.song.StringToLinesRec(u"{font:Metadata,Arial,9,255,false,true}\r\nx"_s);
        QVERIFY(f.song.LinesToString().contains(u"\r\n{font:Metadata,Arial,9,255,false,true}\r\n"_s));
    }

    // The properties table edits facts where they stand: a changed value
    // rewrites its own line, an emptied one loses it, a new one follows the
    // song's last fact, and rows left alone change nothing.
    void propertiesTable_data()
    {
        QTest::addColumn<QStringList>("edits");     // name=value on the first row of that name; +name=value adds one
        QTest::addColumn<QStringList>("changed");   // -line gone, +line come
        QTest::addColumn<QString>("title");
        QTest::addRow("nothing edited, nothing changed") << QStringList() << QStringList() << u"Ballad of the Hills"_s;
        QTest::addRow("an artist rewritten in its own line")
            << QStringList{u"artist=Johnny Cash"_s} << QStringList{u"-{artist: Marty Robbins}"_s, u"+{artist: Johnny Cash}"_s}
            << u"Ballad of the Hills"_s;
        QTest::addRow("a fact of the meta form keeps its form")
            << QStringList{u"lyricist=C. Poet"_s} << QStringList{u"-{meta: lyricist B. Poet}"_s, u"+{meta: lyricist C. Poet}"_s}
            << u"Ballad of the Hills"_s;
        QTest::addRow("an emptied fact loses its line")
            << QStringList{u"composer="_s} << QStringList{u"-{Composer: A. Writer}"_s} << u"Ballad of the Hills"_s;
        QTest::addRow("new facts after the last one, a name of one's own in the meta form")
            << QStringList{u"key=G"_s, u"+mood=calm"_s} << QStringList{u"+{key: G}"_s, u"+{meta: mood calm}"_s}
            << u"Ballad of the Hills"_s;
        QTest::addRow("the title goes to the title box, its line rewritten in place")
            << QStringList{u"title=New Ballad"_s} << QStringList{u"-{title: Ballad of the Hills}"_s, u"+{title: New Ballad}"_s}
            << u"New Ballad"_s;
    }
    void propertiesTable()
    {
        QFETCH(QStringList, edits);
        SongFixture f;
        f.context.app.CurrentFileName = test::dataFile(u"meta-people.cho"_s);
        f.song.LoadFile();
        f.song.Modificada = false;
        const QString before = songText(f);
        QList<PropertyRow> rows = propertyRows(f.song);
        QCOMPARE(rows.mid(0, 3), (QList<PropertyRow>{{u"title"_s, u"Ballad of the Hills"_s, -1},
                                                     {u"subtitle"_s, u"As sung by the band"_s, -1},
                                                     {u"artist"_s, u"Marty Robbins"_s, 0}}));
        for (const QString& edit : std::as_const(edits)) {
            const qsizetype equals = edit.indexOf(u'=');
            const QString name = edit.left(equals);
            if (name.startsWith(u'+')) {
                rows.append({name.mid(1), edit.mid(equals + 1), -1});
                continue;
            }
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const PropertyRow& r) { return r.name == name; });
            QVERIFY(row != rows.end());
            row->value = edit.mid(equals + 1);
        }
        QCOMPARE(applyPropertyRows(f.song, rows), !edits.isEmpty());
        QCOMPARE(f.song.Modificada, !edits.isEmpty());
        QTEST(f.song.title, "title");
        static const QRegularExpression lineEnd(u"\r?\n"_s);
        const QStringList old = before.split(lineEnd);
        const QStringList now = songText(f).split(lineEnd);
        QStringList changed;
        for (const QString& line : old)
            if (!now.contains(line))
                changed.append(u'-' + line);
        for (const QString& line : now)
            if (!old.contains(line))
                changed.append(u'+' + line);
        QTEST(changed, "changed");
        // New facts stand together right after the last fact that was there.
        if (const qsizetype added = now.indexOf(u"{key: G}"_s); added >= 0)
            QCOMPARE(now.at(added - 1), u"{meta arranger D. Arranger}"_s);
    }

    // Whatever the editor lets a musician type reads back as the same record:
    // any character in a lyric, a chord name, a comment or a block name, inside
    // a tablature section and outside it.
    void editedRecordsReadBackTheSame()
    {
        const QStringList pieces{u"a"_s, u" "_s, u"["_s, u"]"_s, u"{"_s, u"}"_s, u"|"_s, u"<"_s, u"#"_s, u":"_s,
                                 u"'"_s, u"\\"_s, u"\\u005B"_s, u"\\u0020"_s, u"\u00e9"_s};
        const QList<SongLine> fixed{{KindChorusStart, u"Start of Chorus"_s, {}}, {KindTabStart, u"Start of Tab"_s, {}},
                                    {KindTabEnd, u"End of Tab"_s, {}}, {KindBlockEnd, u"End of Block"_s, {}}};
        QRandomGenerator random(1205);
        const auto text = [&](int most) {
            QString typed;
            for (int n = int(random.bounded(most + 1)); n > 0; --n)
                typed += pieces.at(random.bounded(pieces.size()));
            return typed;
        };
        for (int round = 0; round < 400; ++round) {
            SongFixture f;
            bool inTab = false;
            for (int i = 0; i < 8; ++i) {
                SongLine line;
                const int choice = int(random.bounded(8));
                if (choice < 4) {
                    line.text = text(12);
                    // Tablature shows no chords, and the editor puts none there.
                    for (int c = inTab ? 0 : int(random.bounded(3)); c > 0; --c)
                        line.chords.append({text(4), qint16(random.bounded(line.text.size() + 1))});
                    sortChords(line);
                } else if (choice < 6) {
                    line = SongLine{choice == 4 ? KindComment : KindBlockStart, text(8), {}};
                } else {
                    line = fixed.at(random.bounded(fixed.size()));
                    inTab = line.kind == KindTabStart || (inTab && line.kind != KindTabEnd);
                }
                f.song.lines.append(line);
            }
            const QString written = songText(f);
            const auto read = SongFixture::read(written);
            QVERIFY2(read->song.lines == f.song.lines, qPrintable(written));
        }
    }

    void writerFlagsSelectTheGroups()
    {
        SongFixture f;
        f.song.StringToLinesRec(u"{t:T}\r\n{mode: \"m7 min7\" \"Minor Seventh\" 1 3b 5 7b}\r\n"
                                u"{chord: Am -1 0 2 2 1 0 1}\r\nla"_s);
        AppState& app = f.context.app;
        app.WriteModes = true;
        app.WriteFormat = false;
        app.WriteSongText = false;
        QCOMPARE(f.song.LinesToString(), u"{mode: \"m7 min7\" \"Minor Seventh\" 1 3b 5 7b}\r\n"
                                         u"{chord: Am -1 0 2 2 1 0 1}\r\n"_s);
        app.WriteModes = false;
        app.WriteSongText = true;
        QCOMPARE(f.song.LinesToString(), u"{t:T}\r\n{chord: Am -1 0 2 2 1 0 1}\r\nla\r\n"_s);
    }
};

LIRAVOX_TEST_MAIN(ReaderTest)
#include "reader_test.moc"
