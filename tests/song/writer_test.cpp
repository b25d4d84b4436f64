#include "songfixture.h"
#include "testmain.h"

#include "music/modos.h"

#include <QFile>

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

// Only the song's own lines, as the source editor shows them.
QString songText(SongFixture& f)
{
    f.context.app.WriteFormat = false;
    return f.song.LinesToString();
}

} // namespace

class WriterTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void goldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("every line kind and song value") << u"everything"_s;
    }
    void goldenFiles()
    {
        QFETCH(QString, name);
        SongFixture f;
        f.context.app.CurrentFileName = test::dataFile(name + u".cho");
        f.song.LoadFile();
        const QString written = f.song.LinesToString();
        QCOMPARE(written, readData(name + u"-ref.cho"));
        // Writing is a fixed point once the text is ours.
        f.song.StringToLinesRec(written);
        QCOMPARE(f.song.LinesToString(), written);
    }

    void lyricsWithChordsComeBackAsWritten_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addRow("chords inside words") << u"[C]Hel[G]lo wor[Am7/G]ld"_s;
        QTest::addRow("chords after the last character") << u"Hello[C][G]"_s;
        QTest::addRow("only chords") << u"[C][G][Am]"_s;
        QTest::addRow("text labels and bars") << u"['|] [G] ['x]"_s;
        QTest::addRow("non-ASCII lyrics") << u"[D]Ça [A]va, señor, привет"_s;
    }
    void lyricsWithChordsComeBackAsWritten()
    {
        QFETCH(QString, line);
        const auto f = SongFixture::read(line);
        QCOMPARE(songText(*f), line + u"\r\n");
    }

    void chordsPlacedBeyondTheTextFollowIt()
    {
        SongLine line{KindLyric, u"ab"_s, {{u"C"_s, 1}, {u"G"_s, 9}, {u"D"_s, 0}}};
        QCOMPARE(lyricWithChords(line), u"a[C]b[G][D]"_s);
    }

    void titlesAreWrittenOnlyWhenNotBlank()
    {
        SongFixture f;
        f.song.title = u"   "_s;
        f.song.subtitle = u" Sub "_s;
        QCOMPARE(songText(f), u"{st: Sub }\r\n"_s);
    }

    void flagsWrittenAsNoReadBackAsFalse()
    {
        SongFixture f;
        Song& song = f.song;
        song.PrintChordsFlag = song.PrintMajorFlag = song.PrintMinorFlag = false;
        song.PrintSeventhFlag = song.PrintBemolFlag = song.PrintBassNotRootFlag = false;
        const QString text = song.LinesToString();
        QCOMPARE(text.count(u":no}"_s), 6);
        SongFixture other;
        other.song.StringToLinesRec(text);
        QVERIFY(!other.song.PrintChordsFlag && !other.song.PrintMajorFlag && !other.song.PrintMinorFlag);
        QVERIFY(!other.song.PrintSeventhFlag && !other.song.PrintBemolFlag && !other.song.PrintBassNotRootFlag);
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

    void chordTypeDeclarationText()
    {
        music::Modos mode;
        mode.Create(u"m7"_s, u"Minor Seventh"_s, 0, 3, 7, 10, -1, -1, -1, -1);
        mode.SinonimosAdd(u"min7"_s);
        mode.SinonimosAdd(u"-7"_s);
        QCOMPARE(Song::ModeDefToStr(mode), u"\"m7 min7 -7\" \"Minor Seventh\" 1 3b 5 7b"_s);
        mode.Create(u"13"_s, u"Thirteenth"_s, 0, 4, 7, 10, 14, 18, 21, 23);
        QCOMPARE(Song::ModeDefToStr(mode), u"\"13\" \"Thirteenth\" 1 3 5 7b 9 11# 13 14"_s);
    }
};

LIRAVOX_TEST_MAIN(WriterTest)
#include "writer_test.moc"
