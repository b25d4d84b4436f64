#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QByteArray readData(const QString& name)
{
    QFile file(lvx::test::dataFile(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class SongCommandsTest final : public QObject
{
    Q_OBJECT

private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expectedFile");   // stdout, from tests/cli/data
        QTest::addColumn<QString>("expectedError");  // stderr
        const QString song = lvx::test::dataFile(u"example.cho"_s);
        QTest::addRow("write") << QStringList{u"write"_s, song} << 0 << u"example-write-ref.cho"_s << QString();
        QTest::addRow("transpose") << QStringList{u"transpose"_s, u"1"_s, song} << 0 << u"example-transpose-ref.cho"_s << QString();
        QTest::addRow("dump") << QStringList{u"dump"_s, song} << 0 << u"example-dump-ref.json"_s << QString();
        QTest::addRow("convert-crd") << QStringList{u"convert-crd"_s, lvx::test::dataFile(u"crd.txt"_s)} << 0 << u"crd-ref.cho"_s << QString();
        QTest::addRow("text") << QStringList{u"text"_s, song} << 0 << u"example-text-ref.txt"_s << QString();
        QTest::addRow("solfege") << QStringList{u"solfege"_s, lvx::test::dataFile(u"solfege.cho"_s)} << 0 << u"solfege-ref.cho"_s << QString();
        QTest::addRow("missing file is refused")
            << QStringList{u"write"_s, u"/nonexistent/song.cho"_s} << 1 << QString()
            << u"Cannot open file /nonexistent/song.cho: No such file or directory\n"_s;
        QTest::addRow("transpose needs a number") << QStringList{u"transpose"_s, u"up"_s, song} << 2 << QString() << QString();
        QTest::addRow("replace needs three arguments") << QStringList{u"replace"_s, u"C"_s, song} << 2 << QString() << QString();
        QTest::addRow("name a chord from pitch classes") << QStringList{u"name"_s, u"9"_s, u"0"_s, u"4"_s, u"--bass"_s, u"7"_s} << 0 << QString() << QString();
        QTest::addRow("name refuses what no chord type fits") << QStringList{u"name"_s, u"0"_s, u"1"_s, u"2"_s} << 1 << QString() << QString();
        QTest::addRow("name needs pitch classes 0 to 11") << QStringList{u"name"_s, u"12"_s} << 2 << QString() << QString();
        QTest::addRow("several files need a folder or --in-place") << QStringList{u"write"_s, song, song} << 2 << QString() << QString();
        QTest::addRow("dump never replaces a song") << QStringList{u"dump"_s, u"--in-place"_s, song} << 2 << QString() << QString();
    }
    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expectedFile);
        QFETCH(QString, expectedError);
        QProcess lvx;
        lvx.start(QStringLiteral(LVX_PATH), arguments);
        QVERIFY(lvx.waitForFinished(30000));
        QCOMPARE(lvx.exitStatus(), QProcess::NormalExit);
        const QByteArray out = lvx.readAllStandardOutput();
        const QString error = QString::fromUtf8(lvx.readAllStandardError());
        QCOMPARE(lvx.exitCode(), exitCode);
        if (!expectedFile.isEmpty())
            QCOMPARE(out, readData(expectedFile));
        if (exitCode == 0 && arguments.first() == u"name")
            QCOMPARE(out, QByteArray("Am/G\n"));
        if (!expectedError.isEmpty())
            QCOMPARE(error, expectedError);
        if (exitCode == 2)
            QVERIFY(error.contains(u"usage"_s));
    }

    // Several songs in one call: each result saved as the program saves, or
    // refused alone. "IN" stands for the input files, "OUT" for the folder.
    void batch_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<QByteArray>>("inputs");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QList<QByteArray>>("outputs");   // what each result holds: in OUT, or the inputs rewritten
        const QByteArray song = readData(u"example.cho"_s);
        const QByteArray written = readData(u"example-write-ref.cho"_s);
        const QByteArray latin = "{t:Caf\xe9}\r\n[C]Ol\xe9\r\n";
        const QByteArray big = QByteArray(70000, 'a');
        QTest::addRow("-o writes each song under its own name")
            << QStringList{u"write"_s, u"-o"_s, u"OUT"_s, u"IN"_s} << QList<QByteArray>{song, song} << 0
            << QList<QByteArray>{written, written};
        QTest::addRow("--in-place keeps a Windows-1252 file in Windows-1252")
            << QStringList{u"transpose"_s, u"1"_s, u"--in-place"_s, u"IN"_s} << QList<QByteArray>{latin, song} << 0
            << QList<QByteArray>{"{t:Caf\xe9}\r\n", readData(u"example-transpose-ref.cho"_s)};
        QTest::addRow("--in-place leaves a file read in part as it was, and goes on")
            << QStringList{u"write"_s, u"--in-place"_s, u"IN"_s} << QList<QByteArray>{big, song} << 1
            << QList<QByteArray>{big, written};
    }
    void batch()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QList<QByteArray>, inputs);
        QFETCH(int, exitCode);
        QFETCH(QList<QByteArray>, outputs);
        QTemporaryDir dir;
        QStringList inputPaths;
        for (qsizetype index = 0; index < inputs.size(); ++index) {
            inputPaths.append(dir.filePath(u"in/%1.cho"_s.arg(index)));
            QDir().mkpath(dir.filePath(u"in"_s));
            QFile file(inputPaths.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(inputs[index]);
        }
        arguments.replace(arguments.indexOf(u"IN"_s), inputPaths.first());
        arguments.append(inputPaths.mid(1));
        const bool toFolder = arguments.contains(u"OUT"_s);
        if (toFolder)
            arguments.replace(arguments.indexOf(u"OUT"_s), dir.filePath(u"out"_s));
        QProcess lvx;
        lvx.start(QStringLiteral(LVX_PATH), arguments);
        QVERIFY(lvx.waitForFinished(30000));
        QCOMPARE(lvx.exitCode(), exitCode);
        for (qsizetype index = 0; index < outputs.size(); ++index) {
            QFile file(toFolder ? dir.filePath(u"out/%1.cho"_s.arg(index)) : inputPaths[index]);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes.contains(outputs[index]), bytes.left(200).constData());
        }
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
