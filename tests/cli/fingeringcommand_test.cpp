#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class FingeringCommandTest final : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

// "SONG" in the arguments stands for a song file holding the row's song text.
void FingeringCommandTest::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("songText");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");

    QTest::addRow("global shape as stored")
        << QStringList{u"fingering"_s, u"C"_s} << QString() << 0
        << uR"j({"name":"C","baseFret":0,"barre":false,"strings":[0,1,0,2,3,-1],"source":"global","notes":[12,16,19,24,28]})j"_s;
    QTest::addRow("G/B from the song's G shape before the global G/B")
        << QStringList{u"fingering"_s, u"G/B"_s, u"--song"_s, u"SONG"_s} << u"{chord: G 3 2 0 0 0 3 1}\n"_s << 0
        << uR"j({"name":"G/B","baseFret":0,"barre":false,"strings":[3,0,0,0,2,3],"source":"song","notes":[7,11,14,19,23,31]})j"_s;
    QTest::addRow("G/B as the global dictionary has it")
        << QStringList{u"fingering"_s, u"G/B"_s} << QString() << 0
        << uR"j({"name":"G/B","baseFret":0,"barre":false,"strings":[3,0,0,0,2,-1],"source":"global","notes":[11,14,19,23,31]})j"_s;
    QTest::addRow("E7/D borrows the global E7, whose string 4 sounds D")
        << QStringList{u"fingering"_s, u"E7/D"_s} << QString() << 0
        << uR"j({"name":"E7/D","baseFret":0,"barre":false,"strings":[0,0,1,0,2,0],"source":"global","notes":[4,11,14,20,23,28]})j"_s;
    QTest::addRow("no stored shape: computed from the chord type")
        << QStringList{u"fingering"_s, u"C13"_s} << QString() << 0
        << uR"j({"name":"C13","baseFret":0,"barre":false,"strings":[0,3,2,0,19,3],"source":"computed","notes":[7,12,14,21,26,28]})j"_s;
    QTest::addRow("named in solfege")
        << QStringList{u"--notation"_s, u"Do"_s, u"fingering"_s, u"C#m7"_s} << QString() << 0
        << uR"j({"name":"Do#m7","baseFret":3,"barre":false,"strings":[1,2,1,3,1,-1],"source":"global","notes":[13,20,23,28,32]})j"_s;
    QTest::addRow("unknown chord type")
        << QStringList{u"fingering"_s, u"Cxyz"_s} << QString() << 0
        << uR"j({"name":"Cxyz (not found)","baseFret":0,"barre":false,"strings":[-1,-1,-1,-1,-1,-1],"source":"notfound","notes":[]})j"_s;
    QTest::addRow("a song's chord type with no playable position")
        << QStringList{u"fingering"_s, u"Csolo"_s, u"--song"_s, u"SONG"_s} << u"{mode: \"solo\" \"Solo\" 1}\n"_s << 0
        << uR"j({"name":"Csolo","baseFret":0,"barre":false,"strings":[-1,-1,-1,-1,-1,-1],"source":"notfound","notes":[]})j"_s;
    QTest::addRow("not a chord is refused") << QStringList{u"fingering"_s, u"N.C."_s} << QString() << 1 << QString();
    QTest::addRow("missing song file is refused")
        << QStringList{u"fingering"_s, u"C"_s, u"--song"_s, u"/nonexistent/song.cho"_s} << QString() << 1 << QString();
    QTest::addRow("no name is a usage error") << QStringList{u"fingering"_s} << QString() << 2 << QString();
    QTest::addRow("two names are a usage error") << QStringList{u"fingering"_s, u"C"_s, u"D"_s} << QString() << 2 << QString();
}

void FingeringCommandTest::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, songText);
    QFETCH(int, exitCode);
    QFETCH(QString, output);

    QTemporaryDir dir;
    const QString songPath = dir.filePath(u"song.cho"_s);
    QFile song(songPath);
    QVERIFY(song.open(QIODevice::WriteOnly));
    song.write(songText.toUtf8());
    song.close();
    arguments.replaceInStrings(u"SONG"_s, songPath);

    QProcess lvx;
    lvx.start(QStringLiteral(LVX_PATH), arguments);
    QVERIFY(lvx.waitForFinished(30000));
    QCOMPARE(lvx.exitStatus(), QProcess::NormalExit);
    QCOMPARE(lvx.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(lvx.readAllStandardOutput()), output.isEmpty() ? QString() : output + u'\n');
    if (exitCode != 0)
        QVERIFY(!lvx.readAllStandardError().isEmpty());
}

LIRAVOX_TEST_MAIN(FingeringCommandTest)
#include "fingeringcommand_test.moc"
