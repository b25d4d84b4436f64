#include "testmain.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "base/startup.h"
#include "base/system.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTimer>

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
        QTest::addRow("relative to the folder started in") << u"My Song.cho"_s << u"My Song.cho"_s << 0;
        QTest::addRow("missing file") << u"%1/nothing.cho"_s << QString() << 1;
        QTest::addRow("a folder is not a file") << u"%1"_s << QString() << 1;
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

    // lvx and the desktop program share one folder; an old lvx folder's
    // files are taken over once, and the old folder is left as it was.
    void oneProgramFolderForBothPrograms()
    {
        const QByteArray home = qgetenv("LIRAVOX_HOME");
        qunsetenv("LIRAVOX_HOME");
        const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        QDir(data.filePath(u"Liravox"_s)).removeRecursively();
        QVERIFY(data.mkpath(u"lvx"_s));
        QFile old(data.filePath(u"lvx/Chords.dat"_s));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("{define: X}");
        old.close();

        const QString folder = programFolder();
        QCOMPARE(folder, data.filePath(u"Liravox/Liravox"_s));
        QFile taken(QDir(folder).filePath(u"Chords.dat"_s));
        QVERIFY(taken.open(QIODevice::ReadOnly));
        QCOMPARE(taken.readAll(), QByteArray("{define: X}"));
        QVERIFY(QFile::exists(old.fileName()));
        QVERIFY(QFile::remove(taken.fileName()));
        QCOMPARE(programFolder(), folder); // once: the new folder stays as it is
        QVERIFY(!QFile::exists(taken.fileName()));

        qputenv("LIRAVOX_HOME", home);
        QCOMPARE(programFolder(), QDir(QString::fromLocal8Bit(home)).absolutePath());
    }

    void delayWaitsWhileEventsRun()
    {
        bool fired = false;
        QTimer::singleShot(10, this, [&fired] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        Delay(60);
        QVERIFY(clock.elapsed() >= 60);
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY2(fired, "a timer due during the wait must run during the wait");
    }

    void aBurstOfMessagesIsSummedUp_data()
    {
        QTest::addColumn<int>("raised");
        QTest::addColumn<QString>("summaryStart");
        QTest::addRow("a few are shown one by one") << 3 << QString();
        QTest::addRow("one more is summed up") << 4 << u"1 more message was not shown one by one:\n\nbad line 4"_s;
        QTest::addRow("a flood is summed up in one box") << 1000 << u"997 more messages were not shown"_s;
    }
    void aBurstOfMessagesIsSummedUp()
    {
        QFETCH(int, raised);
        QFETCH(QString, summaryStart);
        MessageBurst burst;
        int shown = 0;
        for (int line = 1; line <= raised; ++line)
            shown += burst.admit(u"bad line "_s + QString::number(line)) ? 1 : 0;
        QCOMPARE(shown, 3);
        const QString summary = burst.finish();
        QVERIFY2(summary.startsWith(summaryStart) && summary.isEmpty() == summaryStart.isEmpty(), qPrintable(summary));
        // A flood lists its first ten and says that more followed.
        QCOMPARE(summary.endsWith(u"bad line 13\n..."_s), raised > 13);
        QVERIFY(burst.admit(u"the next command's first"_s));
    }
};

LIRAVOX_TEST_MAIN(StartupTest)
#include "startup_test.moc"
