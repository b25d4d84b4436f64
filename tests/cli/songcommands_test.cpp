#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using lvx::test::dataFile;

QByteArray readData(const QString& name)
{
    QFile file(dataFile(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class SongCommandsTest final : public QObject
{
    Q_OBJECT

private slots:
    // Every command on one call: what it prints, its exit code, and what it says
    // on stderr ("usage" when it shows its usage, "*" for any message).
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");   // "@name": the file tests/cli/data/name
        QTest::addColumn<QString>("error");
        const QString song = dataFile(u"example.cho"_s);
        QTest::addRow("write") << QStringList{u"write"_s, song} << 0 << u"@example-write-ref.cho"_s << QString();
        QTest::addRow("transpose") << QStringList{u"transpose"_s, u"1"_s, song} << 0 << u"@example-transpose-ref.cho"_s << QString();
        QTest::addRow("transpose an octave up") << QStringList{u"transpose"_s, u"12"_s, song} << 0 << u"@example-octave-ref.cho"_s << QString();
        QTest::addRow("transpose an octave down") << QStringList{u"transpose"_s, u"-12"_s, song} << 0 << u"@example-octave-ref.cho"_s << QString();
        const QString transposeUsage = u"usage: lvx transpose N [-o DIR | --in-place] FILE... (N: semitones, -12 to 12)\n"
                                       u"       lvx transpose --to-key KEY [-o DIR | --in-place] FILE...\n"_s;
        const QString keyed = dataFile(u"keyed.cho"_s);
        QTest::addRow("transpose moves every key, a minor one staying minor, and leaves an unreadable one")
            << QStringList{u"transpose"_s, u"2"_s, keyed} << 0 << u"@keyed-up2-ref.cho"_s << QString();
        QTest::addRow("to key: chords and keys spelled with the target's flats")
            << QStringList{u"transpose"_s, u"--to-key"_s, u"Bb"_s, keyed} << 0 << u"@keyed-bb-ref.cho"_s << QString();
        QTest::addRow("to key refuses a song that names no key") << QStringList{u"transpose"_s, u"--to-key"_s, u"Bb"_s, song} << 1
                                                                << QString() << u"*"_s;
        QTest::addRow("to key refuses a name that is no key") << QStringList{u"transpose"_s, u"--to-key"_s, u"H"_s, keyed} << 2
                                                             << QString() << u"usage"_s;
        QTest::addRow("transpose refuses 13") << QStringList{u"transpose"_s, u"13"_s, song} << 2 << QString() << transposeUsage;
        QTest::addRow("transpose refuses -13") << QStringList{u"transpose"_s, u"-13"_s, song} << 2 << QString() << transposeUsage;
        QTest::addRow("transpose needs a number") << QStringList{u"transpose"_s, u"up"_s, song} << 2 << QString() << transposeUsage;
        QTest::addRow("dump") << QStringList{u"dump"_s, song} << 0 << u"@example-dump-ref.json"_s << QString();
        QTest::addRow("convert-crd") << QStringList{u"convert-crd"_s, dataFile(u"crd.txt"_s)} << 0 << u"@crd-ref.cho"_s << QString();
        QTest::addRow("text") << QStringList{u"text"_s, song} << 0 << u"@example-text-ref.txt"_s << QString();
        QTest::addRow("solfege") << QStringList{u"solfege"_s, dataFile(u"solfege.cho"_s)} << 0 << u"@solfege-ref.cho"_s << QString();
        QTest::addRow("missing file is refused") << QStringList{u"write"_s, u"/nonexistent/song.cho"_s} << 1 << QString()
                                                 << u"Cannot open file /nonexistent/song.cho: No such file or directory\n"_s;
        QTest::addRow("a device is not a song") << QStringList{u"text"_s, u"/dev/zero"_s} << 1 << QString()
                                               << u"Cannot open file /dev/zero: it is not a regular file\n"_s;
        QTest::addRow("replace needs three arguments") << QStringList{u"replace"_s, u"C"_s, song} << 2 << QString() << u"usage"_s;
        QTest::addRow("several files need a folder or --in-place") << QStringList{u"write"_s, song, song} << 2 << QString() << u"usage"_s;

        QTest::addRow("pdf needs an output") << QStringList{u"pdf"_s, u"x.cho"_s} << 2 << QString() << u"usage"_s;
        QTest::addRow("pdf of a missing song") << QStringList{u"pdf"_s, u"-o"_s, u"o.pdf"_s, u"/nonexistent.cho"_s} << 1 << QString() << u"*"_s;
        QTest::addRow("pdf says why it cannot save") << QStringList{u"pdf"_s, u"-o"_s, u"/nonexistent/o.pdf"_s, song} << 1 << QString()
                                                     << u"Cannot save file /nonexistent/o.pdf: No such file or directory\n"_s;
        QTest::addRow("pdf refuses a binary album whole")
            << QStringList{u"pdf"_s, u"-o"_s, u"o.pdf"_s, dataFile(u"binary.abm"_s)} << 1 << QString()
            << QString(dataFile(u"binary.abm"_s) + u" is not an album file.\n");

        QTest::addRow("name a chord from pitch classes") << QStringList{u"name"_s, u"9"_s, u"0"_s, u"4"_s, u"--bass"_s, u"7"_s} << 0
                                                         << u"Am/G\n"_s << QString();
        QTest::addRow("name takes pitch class 11") << QStringList{u"name"_s, u"11"_s, u"2"_s, u"6"_s} << 0 << u"Bm\n"_s << QString();
        QTest::addRow("name refuses what no chord type fits") << QStringList{u"name"_s, u"0"_s, u"1"_s, u"2"_s} << 1 << QString() << QString();
        QTest::addRow("name needs pitch classes 0 to 11") << QStringList{u"name"_s, u"12"_s} << 2 << QString() << u"usage"_s;

        QTest::addRow("chord in letters")
            << QStringList{u"chord"_s, u"C#m7/G#"_s, u"N.C."_s} << 0
            << uR"({"name":"C#m7/G#","tone":1,"toneSharp":true,"bass":8,"bassSharp":true,"mode":"m7","formatted":"C#m7/G#"}
{"name":"N.C.","tone":-1,"toneSharp":false,"bass":-1,"bassSharp":false,"mode":".C.","formatted":null}
)"_s << QString();
        QTest::addRow("chord in solfege")
            << QStringList{u"--notation"_s, u"Do"_s, u"chord"_s, u"Ebmaj7"_s} << 0
            << uR"({"name":"Ebmaj7","tone":3,"toneSharp":false,"bass":3,"bassSharp":false,"mode":"maj7","formatted":"Mibmaj7"}
)"_s << QString();
        QTest::addRow("chord refuses an unknown option") << QStringList{u"chord"_s, u"--sharp"_s, u"C"_s} << 2 << QString() << u"usage"_s;

        QTest::addRow("fingering: the global shape as stored") << QStringList{u"fingering"_s, u"C"_s} << 0
            << uR"j({"name":"C","baseFret":0,"barre":false,"strings":[0,1,0,2,3,-1],"source":"global","notes":[12,16,19,24,28]}
)j"_s << QString();
        QTest::addRow("fingering: G/B from the song's G shape before the global G/B")
            << QStringList{u"fingering"_s, u"G/B"_s, u"--song"_s, dataFile(u"g-shape.cho"_s)} << 0
            << uR"j({"name":"G/B","baseFret":0,"barre":false,"strings":[3,0,0,0,2,3],"source":"song","notes":[7,11,14,19,23,31]}
)j"_s << QString();
        QTest::addRow("fingering: no stored shape, computed from the chord type") << QStringList{u"fingering"_s, u"C13"_s} << 0
            << uR"j({"name":"C13","baseFret":0,"barre":false,"strings":[0,3,2,0,19,3],"source":"computed","notes":[7,12,14,21,26,28]}
)j"_s << QString();
        QTest::addRow("fingering named in solfege") << QStringList{u"--notation"_s, u"Do"_s, u"fingering"_s, u"C#m7"_s} << 0
            << uR"j({"name":"Do#m7","baseFret":3,"barre":false,"strings":[1,2,1,3,1,-1],"source":"global","notes":[13,20,23,28,32]}
)j"_s << QString();
        QTest::addRow("fingering of an unknown chord type") << QStringList{u"fingering"_s, u"Cxyz"_s} << 0
            << uR"j({"name":"Cxyz (not found)","baseFret":0,"barre":false,"strings":[-1,-1,-1,-1,-1,-1],"source":"notfound","notes":[]}
)j"_s << QString();
        QTest::addRow("fingering refuses what is not a chord") << QStringList{u"fingering"_s, u"N.C."_s} << 1 << QString() << u"*"_s;
    }
    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QString, error);
        const lvx::test::Run result = lvx::test::run(QStringLiteral(LVX_PATH), arguments);
        QTEST(result.exitCode, "exitCode");
        QCOMPARE(result.out, out.startsWith(u'@') ? QString::fromUtf8(readData(out.mid(1))) : out);
        if (error == u"usage")
            QVERIFY2(result.error.contains(u"usage: lvx "_s), qPrintable(result.error));
        else if (error == u"*")
            QVERIFY(!result.error.isEmpty());
        else
            QCOMPARE(result.error, error);
    }

    // Several songs in one call: each result saved as the program saves, or
    // refused alone. "IN" stands for the input files, "AGAIN" for the first
    // one again, "OUT" for the folder, "HERE" for the inputs' own folder.
    // Links "from OUT": OUT already holds a symbolic link to the first input
    // and a hard link to the second under their names; "into OUT": the songs
    // are in OUT, and the inputs are symbolic links to them; "song in OUT": the
    // second input is in OUT under the first one's name.
    void batch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<QByteArray>>("inputs");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QList<QByteArray>>("outputs");   // what each result holds: in OUT, or the inputs rewritten
        QTest::addColumn<QString>("links");
        const QByteArray song = readData(u"example.cho"_s);
        const QByteArray written = readData(u"example-write-ref.cho"_s);
        const QByteArray latin = "{t:Caf\xe9}\r\n[C]Ol\xe9\r\n";
        const QByteArray big = QByteArray(70000, 'a');
        QTest::addRow("-o writes each song under its own name")
            << QStringList{u"write"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{song, song} << 0
            << QList<QByteArray>{written, written} << QString();
        // The second song's chords come from the names the first one transposed.
        QTest::addRow("-o transposes song after song alike")
            << QStringList{u"transpose"_s, u"1"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{song, song} << 0
            << QList<QByteArray>{readData(u"example-transpose-ref.cho"_s), readData(u"example-transpose-ref.cho"_s)} << QString();
        QTest::addRow("--in-place keeps a Windows-1252 file in Windows-1252")
            << QStringList{u"transpose"_s, u"1"_s, u"--in-place"_s, u"IN"_s} << QList<QByteArray>{latin, song} << 0
            << QList<QByteArray>{"{t:Caf\xe9}\r\n", readData(u"example-transpose-ref.cho"_s)} << QString();
        QTest::addRow("--in-place leaves a file read in part as it was, and goes on")
            << QStringList{u"write"_s, u"--in-place"_s, u"IN"_s} << QList<QByteArray>{big, song} << 1
            << QList<QByteArray>{big, written} << QString();
        QTest::addRow("--in-place transposes a file named twice once")
            << QStringList{u"transpose"_s, u"1"_s, u"--in-place"_s, u"IN"_s, u"AGAIN"_s} << QList<QByteArray>{song} << 1
            << QList<QByteArray>{readData(u"example-transpose-ref.cho"_s)} << QString();
        QTest::addRow("-o into the songs' own folder never replaces them with a dump")
            << QStringList{u"dump"_s, u"-o"_s, u"HERE"_s, u"IN"_s} << QList<QByteArray>{song, song} << 1
            << QList<QByteArray>{song, song} << QString();
        // A result replaces the link; the song read, even one read in part, stays as it was.
        QTest::addRow("-o never writes through a link into a song")
            << QStringList{u"write"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{big, song} << 0
            << QList<QByteArray>{big.left(1000), written} << u"from OUT"_s;
        QTest::addRow("-o leaves a song read in part as it was, reached through a link")
            << QStringList{u"write"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{big} << 1 << QList<QByteArray>{big}
            << u"into OUT"_s;
        QTest::addRow("-o never replaces a song of the batch with another's result")
            << QStringList{u"write"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{latin, written} << 1
            << QList<QByteArray>{written} << u"song in OUT"_s;
    }
    void batch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QList<QByteArray>, inputs);
        QFETCH(int, exitCode);
        QFETCH(QList<QByteArray>, outputs);
        QFETCH(QString, links);
        QTemporaryDir dir;
        QStringList inputPaths;
        if (!links.isEmpty())
            QVERIFY(QDir(dir.path()).mkdir(u"out"_s));
        for (qsizetype index = 0; index < inputs.size(); ++index) {
            const QString name = u"%1.cho"_s.arg(index);
            inputPaths.append(links == u"song in OUT" && index == 1 ? dir.filePath(u"out/0.cho"_s) : dir.filePath(name));
            QFile file(links == u"into OUT" ? dir.filePath(u"out/"_s + name) : inputPaths.last());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(inputs[index]) == inputs[index].size());
            if (links == u"into OUT")
                QVERIFY(QFile::link(file.fileName(), inputPaths.last()));
        }
        arguments.replace(arguments.indexOf(u"IN"_s), inputPaths.first());
        arguments.append(inputPaths.mid(1));
        const bool toFolder = arguments.contains(u"OUT"_s);
        if (toFolder)
            arguments.replace(arguments.indexOf(u"OUT"_s), dir.filePath(u"out"_s));
        if (const qsizetype here = arguments.indexOf(u"HERE"_s); here >= 0)
            arguments.replace(here, dir.path());
        if (const qsizetype again = arguments.indexOf(u"AGAIN"_s); again >= 0)
            arguments.replace(again, inputPaths.first());
        if (links == u"from OUT") {
            QVERIFY(QFile::link(inputPaths[0], dir.filePath(u"out/0.cho"_s)));
            QCOMPARE(::link(QFile::encodeName(inputPaths[1]).constData(), QFile::encodeName(dir.filePath(u"out/1.cho"_s)).constData()), 0);
        }
        QCOMPARE(lvx::test::run(QStringLiteral(LVX_PATH), arguments).exitCode, exitCode);
        for (qsizetype index = 0; toFolder && index < inputs.size(); ++index) {
            QFile input(inputPaths[index]);
            QVERIFY(input.open(QIODevice::ReadOnly));
            QCOMPARE(input.readAll(), inputs[index]);
        }
        for (qsizetype index = 0; index < outputs.size(); ++index) {
            QFile file(toFolder ? dir.filePath(u"out/%1.cho"_s.arg(index)) : inputPaths[index]);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes.contains(outputs[index]), bytes.left(200).constData());
        }
    }

    // A result that never reached standard output is a failure, said as such.
    void standardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        const QString song = dataFile(u"example.cho"_s);
        QTest::addRow("a song") << QStringList{u"transpose"_s, u"2"_s, song};
        QTest::addRow("a PDF") << QStringList{u"pdf"_s, u"-o"_s, u"-"_s, song};
    }
    void standardOutput()
    {
        QFETCH(QStringList, arguments);
        // In a folder of its own, where a file named "-" would show.
        QTemporaryDir here;
        QProcess lvx;
        lvx.setWorkingDirectory(here.path());
        lvx.setStandardOutputFile(u"/dev/full"_s);
        lvx.start(QStringLiteral(LVX_PATH), arguments);
        QVERIFY(lvx.waitForFinished(30000));
        QCOMPARE(lvx.exitCode(), 1);
        QCOMPARE(lvx.readAllStandardError(), QByteArray("Cannot write to standard output: No space left on device\n"));

        lvx.setStandardOutputFile({});
        lvx.start(QStringLiteral(LVX_PATH), arguments);
        QVERIFY(lvx.waitForFinished(30000));
        QCOMPARE(lvx.exitCode(), 0);
        const QByteArray out = lvx.readAllStandardOutput();
        QVERIFY(out.startsWith("%PDF-") == (arguments.first() == u"pdf"));
        QVERIFY(!QFile::exists(here.filePath(u"-"_s)));
    }

    void standardInput()
    {
        QProcess lvx;
        lvx.start(QStringLiteral(LVX_PATH), {u"write"_s, u"-"_s});
        lvx.write(readData(u"example.cho"_s));
        lvx.closeWriteChannel();
        QVERIFY(lvx.waitForFinished(30000));
        QCOMPARE(lvx.readAllStandardOutput(), readData(u"example-write-ref.cho"_s));
    }
};

LIRAVOX_TEST_MAIN(SongCommandsTest)
#include "songcommands_test.moc"
