#include "songfixture.h"
#include "testmain.h"

#include "music/chordsymbol.h"
#include "song/barline.h"
#include "song/chordsheet.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

class RobustnessTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<SongFixture> load(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(u"in.cho"_s);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        auto f = std::make_unique<SongFixture>();
        f->context.app.CurrentFileName = path;
        f->song.LoadFile();
        return f;
    }

    // Once text is ours, reading and writing it again changes nothing.
    static void checkFixedPoint(SongFixture& f, const QString& name)
    {
        const QString written = f.song.LinesToString();
        f.song.StringToLinesRec(written);
        QVERIFY2(f.song.LinesToString() == written, qPrintable(name));
    }

private slots:
    void realSongsLoadAndRoundTrip()
    {
        const QString corpus = qEnvironmentVariable("LIRAVOX_CORPUS");
        if (!QFile::exists(corpus))
            QSKIP("the shared song corpus is not beside the repository");
        int songs = 0;
        int sheetsKept = 0;
        QDirIterator files(corpus, {u"*.cho"_s, u"*.chopro"_s, u"*.pro"_s, u"*.crd"_s, u"*.txt"_s, u"*.chordpro"_s},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            SongFixture f;
            f.context.app.CurrentFileName = path;
            f.song.LoadFile();
            checkFixedPoint(f, path);
            ++songs;
            // As a chord sheet and back, every chord comes back on its syllable
            // unless the sheet said a line would not.
            const ChordSheet sheet = chordSheetText(f.song);
            if (sheet.linesNotKept == 0) {
                const auto back = SongFixture::read(chordSheetToChordPro(sheet.text));
                QCOMPARE(chordsOnSyllables(back->song), chordsOnSyllables(f.song));
                ++sheetsKept;
            }
        }
        QVERIFY2(songs >= 300, qPrintable(QString::number(songs)));
        qInfo("%d of %d songs make chord sheets that read back whole", sheetsKept, songs);
        QVERIFY(sheetsKept * 3 >= songs * 2);
    }

    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lines");
        QTest::addRow("empty file") << QByteArray() << 0;
        QTest::addRow("only line ends") << QByteArray("\r\n\n\r\r\n") << 4;
        QTest::addRow("invalid UTF-8") << QByteArray("\xc3\x28 [\xe2\x82]x\r\n\xf0\x90\x80") << 2;
        QTest::addRow("unterminated bracket and brace") << QByteArray("[C\r\n{title: x\r\n{\r\n[") << 2;
        QTest::addRow("numbers beyond 16 bits") << QByteArray("{chords_size:99999999999999999999}\r\n{left_margin:-70000}\r\n"
                                                              "{define: X 99999 -99999 1e9 0 0 0 0}") << 0;
        QTest::addRow("nested and stray brackets") << QByteArray("[[[C]]] ]]] [ [ [") << 1;
        // Tabs widen a line past the 16-bit limit; the pieces must not read back as directives,
        // and blanks too many to cut around are cut once, not one line per blank.
        QTest::addRow("long line splits before a brace") << (QByteArray("x") + QByteArray(4096, '\t') + "{") << 2;
        QTest::addRow("long line splits before a bar") << (QByteArray("a") + QByteArray(4200, '\t') + "|x") << 2;
        QTest::addRow("long line splits before a directive") << (QByteArray(32767, 'x') + "{soc}") << 2;
        QTest::addRow("a line of tabs") << QByteArray(6000, '\t') << 2;
        QTest::addRow("directive of only a colon") << QByteArray("{:}\r\n{ : }\r\n{}") << 0;
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lines);
        const auto f = load(bytes);
        QCOMPARE(f->song.lines.size(), lines);
        checkFixedPoint(*f, QString::fromLatin1(QTest::currentDataTag()));
    }

    void binaryGarbage()
    {
        QRandomGenerator random(20261205);
        for (int round = 0; round < 20; ++round) {
            QByteArray bytes(4096, Qt::Uninitialized);
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            const auto f = load(bytes);
            checkFixedPoint(*f, QString::number(round));
        }
    }

    void hostileChordNames()
    {
        const QStringList names{QString(), QString(10000, u'#'), u"C" + QString(10000, u'/'), u"\u0000\u0007\u001b"_s,
                                u"É\u0301m7"_s, u"𝄞"_s, QString(5000, u'[') + QString(5000, u']')};
        for (const QString& name : names) {
            const music::ChordSymbol chord = music::ParseChord(name);
            if (chord.tone >= 0 && chord.bass >= 0)
                QVERIFY(!music::FormatChord(chord, u"C"_s).isEmpty());
            BarLineToChordPro(u"| " + name + u" |");
            const auto f = SongFixture::read(u'[' + name + u"]x");
            f->song.Transpose(5);
        }
    }
};

LIRAVOX_TEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
