#include "testmain.h"

#include "base/messages.h"
#include "base/system.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

using namespace lvx;
using namespace Qt::StringLiterals;

class SystemTest : public QObject
{
    Q_OBJECT

private slots:
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

    void folderExistsNamesWhatAListingFinds()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(u"Songs"_s);
        QCOMPARE(FolderExists(dir.filePath(u"Songs"_s)), u"Songs"_s);
        QCOMPARE(FolderExists(dir.filePath(u"Songs/"_s)), u"."_s);
        QCOMPARE(FolderExists(dir.filePath(u"Missing"_s)), QString());
        QCOMPARE(FolderExists(QString()), QString());
        QCOMPARE(FolderExists(u"\u0001\u0002"_s), QString());
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

LIRAVOX_TEST_MAIN(SystemTest)
#include "system_test.moc"
