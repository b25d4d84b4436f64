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

    void savedFolderBecomesCurrentUnlessItVanished_data()
    {
        QTest::addColumn<QString>("saved");   // relative to the songs folder
        QTest::addColumn<bool>("programFolderInstead");
        QTest::addRow("saved folder becomes current") << QString() << false;
        QTest::addRow("a vanished folder falls back to the program folder") << u"gone"_s << true;
    }
    void savedFolderBecomesCurrentUnlessItVanished()
    {
        QFETCH(QString, saved);
        QFETCH(bool, programFolderInstead);
        SaveSetting(u"Public"_s, u"DefDir"_s, saved.isEmpty() ? m_songs.path() : m_songs.filePath(saved));
        AppState state;
        RecordingMessages recorder;
        StartUp(state, recorder, {});
        QCOMPARE(QDir::currentPath(), QDir(programFolderInstead ? programFolder() : m_songs.path()).canonicalPath());
        QVERIFY(recorder.entries().isEmpty());
    }

    void timerReportFormat()
    {
        TimingCounters timers;
        timers.TimerAdd(u"PrintLine"_s);
        timers.TimerStart(0);
        Delay(30);
        timers.TimerStop(0);
        const qint32 total = timers.counters()[0].accumulated;
        QVERIFY(total >= 30);
        QCOMPARE(timers.TimerReport(), QString::number(total / 1000.0, 'f', 3) + u"    100.000%    \r\n"
                                           u"0.000    0.000%    PrintLine\r\n"_s);
    }
};

LIRAVOX_TEST_MAIN(StartupTest)
#include "startup_test.moc"
