#include "testmain.h"

#include "base/messages.h"

using namespace lvx;
using namespace Qt::StringLiterals;

class MessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void aBurstOfMessagesIsSummedUp_data()
    {
        QTest::addColumn<int>("raised");
        QTest::addColumn<int>("shownAlone");
        QTest::addColumn<QString>("summaryStart");
        QTest::addRow("a few are shown one by one") << 3 << 3 << QString();
        QTest::addRow("one more is summed up") << 4 << 3 << u"1 more message was not shown one by one:\n\nbad line 4"_s;
        QTest::addRow("a flood is summed up in one box") << 1000 << 3 << u"997 more messages were not shown"_s;
    }
    void aBurstOfMessagesIsSummedUp()
    {
        QFETCH(int, raised);
        QFETCH(int, shownAlone);
        QFETCH(QString, summaryStart);
        MessageBurst burst;
        int shown = 0;
        for (int line = 1; line <= raised; ++line)
            shown += burst.admit(u"bad line "_s + QString::number(line)) ? 1 : 0;
        QCOMPARE(shown, shownAlone);
        const QString summary = burst.finish();
        QVERIFY2(summary.startsWith(summaryStart) && summary.isEmpty() == summaryStart.isEmpty(), qPrintable(summary));
        // A flood lists its first ten and says that more followed.
        QCOMPARE(summary.endsWith(u"bad line 13\n..."_s), raised > 13);
        QVERIFY(burst.admit(u"the next command's first"_s));
    }
};

LIRAVOX_TEST_MAIN(MessagesTest)
#include "messages_test.moc"
