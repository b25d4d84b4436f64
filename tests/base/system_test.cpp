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

    void delayOfNothingReturnsAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        Delay(0);
        Delay(-5);
        QVERIFY(clock.elapsed() < 20);
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

    void programFolderIsTheIsolatedOne()
    {
        QCOMPARE(programFolder(), QDir(qEnvironmentVariable("LIRAVOX_HOME")).absolutePath());
        QVERIFY(QDir(programFolder()).exists());
    }

    void recorderAnswersFromItsScriptThenNegatively()
    {
        RecordingMessages recorder;
        recorder.scriptAnswer(Answer::Yes);
        QCOMPARE(recorder.ask(u"Save?"_s, {}, Buttons::YesNoCancel), Answer::Yes);
        QCOMPARE(recorder.ask(u"Save?"_s, {}, Buttons::YesNoCancel), Answer::Cancel);
        QCOMPARE(recorder.ask(u"Sure?"_s, {}, Buttons::YesNo), Answer::No);
        QCOMPARE(recorder.input(u"Name"_s, {}), std::nullopt);
        QCOMPARE(recorder.texts(), (QStringList{u"Save?"_s, u"Save?"_s, u"Sure?"_s, u"Name"_s}));
    }
};

LIRAVOX_TEST_MAIN(SystemTest)
#include "system_test.moc"
