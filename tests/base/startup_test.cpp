#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "base/startup.h"
#include "base/system.h"

#include <QDir>
#include <QFile>

using namespace lvx;
using namespace Qt::StringLiterals;

class StartupTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_songs;

    QString makeSong(const QString& name)
    {
        QFile file(m_songs.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("{title: x}\r\n");
        return file.fileName();
    }

private slots:
    void init() { test::clearSettings(); }

    void commandLineNamesOneFile_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("expectedFile");   // relative to the songs folder; empty: none
        QTest::addColumn<int>("messages");
        QTest::addRow("quoted path with blanks") << u"\"%1/My Song.cho\""_s << u"My Song.cho"_s << 0;
        QTest::addRow("unquoted blanks belong to the name") << u"  %1/My Song.cho  "_s << u"My Song.cho"_s << 0;
        QTest::addRow("relative to the folder started in") << u"My Song.cho"_s << u"My Song.cho"_s << 0;
        QTest::addRow("missing file") << u"%1/nothing.cho"_s << QString() << 1;
        QTest::addRow("a folder is not a file") << u"%1"_s << QString() << 1;
        QTest::addRow("empty command line") << u"   "_s << QString() << 0;
    }
    void commandLineNamesOneFile()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, expectedFile);
        QFETCH(int, messages);
        makeSong(u"My Song.cho"_s);
        AppState state;
        state.CurrentFileName = u"stale"_s;
        RecordingMessages recorder;
        QDir::setCurrent(m_songs.path());
        StartUp(state, recorder, commandLine.replace(u"%1"_s, m_songs.path()));
        QCOMPARE(state.CurrentFileName, expectedFile.isEmpty() ? QString() : m_songs.filePath(expectedFile));
        QCOMPARE(recorder.entries().size(), messages);
        if (messages > 0) {
            QCOMPARE(recorder.entries().first().text, u"File not Found"_s);
            QCOMPARE(recorder.entries().first().title, QString());
        }
    }

    void savedFolderBecomesCurrent()
    {
        SaveSetting(u"Public"_s, u"DefDir"_s, m_songs.path());
        AppState state;
        RecordingMessages recorder;
        StartUp(state, recorder, {});
        QCOMPARE(QDir::currentPath(), QDir(m_songs.path()).canonicalPath());
    }

    void vanishedFolderFallsBackToTheProgramFolder()
    {
        SaveSetting(u"Public"_s, u"DefDir"_s, m_songs.filePath(u"gone"_s));
        AppState state;
        RecordingMessages recorder;
        StartUp(state, recorder, {});
        QCOMPARE(QDir::currentPath(), QDir(programFolder()).canonicalPath());
        QVERIFY(recorder.entries().isEmpty());
    }

    void timingCountersInStartUpOrder()
    {
        AppState state;
        state.timers.TimerAdd(u"leftover"_s);
        RecordingMessages recorder;
        StartUp(state, recorder, {});
        const auto& counters = state.timers.counters();
        QCOMPARE(counters.size(), 7);
        const QStringList expected{QString(), u"PrintLine"_s, u"AddChord"_s, u"Set Label"_s,
                                   u"Set Text"_s, u"Draw Lines"_s, u"Set Label Prop"_s};
        for (int i = 0; i < counters.size(); ++i) {
            QCOMPARE(counters[i].name, expected[i]);
            QCOMPARE(counters[i].accumulated, 0);
        }
        QCOMPARE(state.PlayingCount, qint16(0));
    }

    void timerReportFormat()
    {
        TimingCounters timers;
        timers.TimerAdd(u"PrintLine"_s);
        timers.TimerAdd(u"AddChord"_s);
        // Drive the counters through their public operations with a known clock.
        timers.TimerStart(0);
        Delay(30);
        timers.TimerStop(0);
        timers.TimerStart(1);
        timers.TimerStop(1);
        const QStringList lines = timers.TimerReport().split(u"\r\n"_s);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.last().isEmpty());
        const qint32 total = timers.counters()[0].accumulated;
        QVERIFY(total >= 30);
        QCOMPARE(lines[0], QString::number(total / 1000.0, 'f', 3) + u"    100.000%    "_s);
        QCOMPARE(lines[2], u"0.000    0.000%    AddChord"_s);
        timers.TimerReset();
        QCOMPARE(timers.TimerReport(), u"0.000    0.000%    \r\n0.000    0.000%    PrintLine\r\n"
                                       u"0.000    0.000%    AddChord\r\n"_s);
    }

    void commandLineQuotesAreDroppedEvenWhenUnbalanced()
    {
        QCOMPARE(commandLineFileName(u"\"a b.cho\""_s), u"a b.cho"_s);
        QCOMPARE(commandLineFileName(u"\"a b.cho"_s), u"a b.ch"_s);
        QCOMPARE(commandLineFileName(u"\""_s), QString());
    }
};

LIRAVOX_TEST_MAIN(StartupTest)
#include "startup_test.moc"
