#include "songfixture.h"
#include "testmain.h"

#include "music/modos.h"

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

class WriterTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void goldenFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("every line kind and song value") << u"everything"_s;
        QTest::addRow("sections, labels, comments and notation of other tools") << u"sections"_s;
        QTest::addRow("definitions in every form, read or not") << u"definitions"_s;
        QTest::addRow("several songs and malformed directives") << u"songbook"_s;
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
        QTest::addRow("text labels and bars") << u"['|] [G] ['x]"_s;
        QTest::addRow("non-ASCII lyrics") << u"[D]Ça [A]va, señor, привет"_s;
    }
    void lyricsWithChordsComeBackAsWritten()
    {
        QFETCH(QString, line);
        const auto f = SongFixture::read(line);
        QCOMPARE(songText(*f), line + u"\r\n");
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
