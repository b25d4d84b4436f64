#include "songfixture.h"
#include "testmain.h"

#include "song/chordsheet.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace lvx;
using namespace lvx::song;
using namespace Qt::StringLiterals;

class RobustnessTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Once text is ours, reading and writing it again changes nothing.
    static void checkFixedPoint(SongFixture& f, const QString& name)
    {
        const QString written = f.song.LinesToString();
        f.song.StringToLinesRec(written);
        QVERIFY2(f.song.LinesToString() == written, qPrintable(name));
    }

    // Every word a musician wrote: all of a lyric line, and the argument of a
    // directive line (its name, and the name of a "{meta: name value}", may come
    // back in another spelling).
    static QHash<QString, int> words(const QString& text)
    {
        QHash<QString, int> counts;
        for (const QString& line : SplitLines(text)) {
            qsizetype from = 0;
            const qsizetype brace = line.indexOf(u'{');
            if (brace >= 0 && line.left(brace).trimmed().isEmpty()) {
                const QRegularExpressionMatch name = QRegularExpression(u"^\\s*\\{\\s*(?:meta\\s*:?\\s*)?[\\w-]*"_s).match(line);
                from = name.capturedEnd();
            }
            for (const QString& word : line.mid(from).split(QRegularExpression(u"[^\\w]+"_s), Qt::SkipEmptyParts))
                ++counts[word];
        }
        return counts;
    }

private slots:
    // Opening a real song and saving it changes no byte of it, and loses no
    // word, chord or directive argument even with every setting written.
    void realSongsLoseNothing()
    {
        const QString corpus = qEnvironmentVariable("LIRAVOX_CORPUS");
        if (!QFile::exists(corpus))
            QSKIP("the shared song corpus is not beside the repository");
        int songs = 0;
        int sheetsKept = 0;
        QDirIterator files(corpus, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.endsWith(u"MANIFEST.tsv"))
                continue;
            const QString copy = m_dir.filePath(u"song."_s + QFileInfo(path).suffix());
            QFile::remove(copy);
            QVERIFY(QFile::copy(path, copy));
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            // None was written by this program: each is saved in its own style,
            // so a song saved unchanged keeps every byte.
            QVERIFY2(SongFixture::open(copy)->song.SaveFile(), qPrintable(path));
            QVERIFY2(readBytes(copy) == readBytes(path), qPrintable(path));
            const auto saveWithEverySetting = [&] {
                const auto f = SongFixture::open(copy);
                f->context.app.WriteEverySetting = true;
                return f->song.SaveFile();
            };
            QVERIFY2(saveWithEverySetting(), qPrintable(path));
            const QByteArray saved = readBytes(copy);
            QVERIFY2(saveWithEverySetting(), qPrintable(path));
            QVERIFY2(readBytes(copy) == saved, qPrintable(path));

            const QHash<QString, int> before = words(decodeText(readBytes(path), false).text);
            const QHash<QString, int> after = words(decodeText(saved, false).text);
            for (auto word = before.cbegin(); word != before.cend(); ++word)
                QVERIFY2(after.value(word.key()) >= word.value(), qPrintable(path + u": lost " + word.key()));
            ++songs;
            // As a chord sheet and back, every chord comes back on its syllable
            // unless the sheet said a line would not.
            const auto f = SongFixture::open(path);
            const ChordSheet sheet = chordSheetText(f->song);
            if (sheet.linesNotKept == 0) {
                const auto back = SongFixture::read(chordSheetToChordPro(sheet.text));
                QCOMPARE(chordsOnSyllables(back->song), chordsOnSyllables(f->song));
                ++sheetsKept;
            }
        }
        QCOMPARE(songs, 361);
        qInfo("%d of %d songs make chord sheets that read back whole", sheetsKept, songs);
        QVERIFY(sheetsKept * 3 >= songs * 2);
    }

    // A song whose file names its title, as "{title}", "{t}" or "{meta: title}",
    // opens with that title: the first one that names something.
    void corpusSongsHaveTheirTitles()
    {
        const QString corpus = qEnvironmentVariable("LIRAVOX_CORPUS");
        if (!QFile::exists(corpus))
            QSKIP("the shared song corpus is not beside the repository");
        const QRegularExpression titleLine(u"^\\{\\s*(?:(?:title|t)\\s*:|meta\\s*:?\\s*title(?:\\s|(?=\\})))(.*)\\}$"_s,
                                           QRegularExpression::CaseInsensitiveOption);
        int titled = 0;
        QDirIterator files(corpus, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.endsWith(u"MANIFEST.tsv"))
                continue;
            QString title;
            for (const QString& line : SplitLines(decodeText(readBytes(path), false).text)) {
                if (const QRegularExpressionMatch match = titleLine.match(line); match.hasMatch()) {
                    title = match.captured(1).trimmed();
                    if (!title.isEmpty())
                        break;
                }
            }
            if (title.isEmpty())
                continue;
            QCOMPARE(SongFixture::open(path)->song.title, title);
            ++titled;
        }
        QVERIFY(titled >= 100);
    }

    // Ten thousand facts, more than a file may hold, as the source editor can
    // hand them over: read, written back and transposed without a stall.
    void tenThousandFacts()
    {
        QString text;
        for (int i = 0; i < 10000; ++i)
            text += (i % 2 ? u"{meta: x"_s : u"{key: G"_s) + QString::number(i) + u"}\n";
        QElapsedTimer timer;
        timer.start();
        const auto f = SongFixture::read(text);
        f->song.Transpose(2);
        QCOMPARE(f->song.metadata().size(), 10000);
        QVERIFY(f->song.LinesToString().contains(u"{key: G0}\r\n{meta: x1}\r\n"_s));
        checkFixedPoint(*f, u"ten thousand facts"_s);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }

    void hostileFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("lines");
        QTest::addRow("empty file") << QByteArray() << 0;
        QTest::addRow("invalid UTF-8") << QByteArray("\xc3\x28 [\xe2\x82]x\r\n\xf0\x90\x80") << 2;
        QTest::addRow("unterminated bracket and brace") << QByteArray("[C\r\n{title: x\r\n{\r\n[") << 3;
        QTest::addRow("nested and stray brackets") << QByteArray("[[[C]]] ]]] [ [ [") << 1;
        // Tabs widen a line past the 16-bit limit; the pieces must not read back as directives,
        // and blanks too many to cut around are cut once, not one line per blank.
        QTest::addRow("long line splits before a brace") << (QByteArray("x") + QByteArray(4096, '\t') + "{") << 2;
        QByteArray facts;
        for (int i = 0; i < 4000; ++i)
            facts += (i % 2 ? "{meta: x" : "{key: ") + QByteArray::number(i) + "}\n";
        QTest::addRow("a file of facts") << facts << 4000;
        QTest::addRow("title of 5000 characters") << ("{meta: title " + QByteArray(5000, 'T') + "}\n{key: H#moll}") << 1;
        QTest::addRow("fact without a name") << QByteArray("{meta}\r\n{meta:}\r\n{meta: }") << 3;
    }
    void hostileFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, lines);
        writeBytes(m_dir.filePath(u"in.cho"_s), bytes);
        const auto f = SongFixture::open(m_dir.filePath(u"in.cho"_s));
        QCOMPARE(f->song.lines.size(), lines);
        // Every fact's line goes back byte for byte.
        const QStringList written = SplitLines(f->song.LinesToString());
        for (const MetaEntry& entry : f->song.metadata())
            QVERIFY(written.contains(entry.source));
        QVERIFY(f->messages.texts().size() <= 1);
        checkFixedPoint(*f, QString::fromLatin1(QTest::currentDataTag()));
    }

};

LIRAVOX_TEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
