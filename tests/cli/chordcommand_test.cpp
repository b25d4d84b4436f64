#include "testmain.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class ChordCommandTest final : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void ChordCommandTest::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines");

    const QStringList names{u"chord"_s, u"C#m7/G#"_s, u"Ebmaj7"_s, u"N.C."_s};
    QTest::addRow("letter names")
        << names << 0
        << QStringList{
               uR"({"name":"C#m7/G#","tone":1,"toneSharp":true,"bass":8,"bassSharp":true,"mode":"m7","formatted":"C#m7/G#"})"_s,
               uR"({"name":"Ebmaj7","tone":3,"toneSharp":false,"bass":3,"bassSharp":false,"mode":"maj7","formatted":"Ebmaj7"})"_s,
               uR"({"name":"N.C.","tone":-1,"toneSharp":false,"bass":-1,"bassSharp":false,"mode":".C.","formatted":null})"_s,
           };
    QTest::addRow("solfege names")
        << QStringList{u"--notation"_s, u"Do"_s} + names << 0
        << QStringList{
               uR"({"name":"C#m7/G#","tone":1,"toneSharp":true,"bass":8,"bassSharp":true,"mode":"m7","formatted":"Do#m7/Sol#"})"_s,
               uR"({"name":"Ebmaj7","tone":3,"toneSharp":false,"bass":3,"bassSharp":false,"mode":"maj7","formatted":"Mibmaj7"})"_s,
               uR"({"name":"N.C.","tone":-1,"toneSharp":false,"bass":-1,"bassSharp":false,"mode":".C.","formatted":null})"_s,
           };
    QTest::addRow("name as given, bass without tonic")
        << QStringList{u"chord"_s, u" /E"_s} << 0
        << QStringList{
               uR"({"name":" /E","tone":-1,"toneSharp":false,"bass":4,"bassSharp":true,"mode":"maj","formatted":null})"_s};
    QTest::addRow("no names is a usage error") << QStringList{u"chord"_s} << 2 << QStringList{};
    QTest::addRow("unknown option is a usage error")
        << QStringList{u"chord"_s, u"--sharp"_s, u"C"_s} << 2 << QStringList{};
}

void ChordCommandTest::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);

    QProcess lvx;
    lvx.start(QStringLiteral(LVX_PATH), arguments);
    QVERIFY(lvx.waitForFinished(30000));
    QCOMPARE(lvx.exitStatus(), QProcess::NormalExit);
    QCOMPARE(lvx.exitCode(), exitCode);
    const QString out = QString::fromUtf8(lvx.readAllStandardOutput());
    QCOMPARE(out, lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
    if (exitCode != 0)
        QVERIFY(!lvx.readAllStandardError().isEmpty());
}

LIRAVOX_TEST_MAIN(ChordCommandTest)
#include "chordcommand_test.moc"
