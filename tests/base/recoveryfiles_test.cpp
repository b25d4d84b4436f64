#include "testmain.h"

#include "base/recoveryfiles.h"

#include <QDir>
#include <QFile>

using namespace lvx;
using namespace Qt::StringLiterals;

class RecoveryFilesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void copiesFollowUnsavedChanges()
    {
        const QString folder = m_dir.filePath(u"changes"_s);
        RecoveryFiles recovery(folder, 0);
        QString text = u"[C]first"_s;
        const int song = recovery.add([&text] { return RecoveryFiles::Snapshot{u"/songs/a.cho"_s, text}; });
        const QString copy = QDir(recovery.sessionFolder()).filePath(u"1.lvxrecover"_s);

        recovery.changed(song);
        text = u"[C]first and second"_s;   // the copy is taken when it is due, not at the change
        recovery.writeNow();
        recovery.waitForWrites();
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        RecoveryFiles::Snapshot kept;
        QVERIFY(readRecoveryFile(file.readAll(), kept));
        QCOMPARE(kept.fileName, u"/songs/a.cho"_s);
        QCOMPARE(kept.text, text);

        recovery.clean(song);   // saved
        recovery.waitForWrites();
        QVERIFY(!QFile::exists(copy));
    }

};

LIRAVOX_TEST_MAIN(RecoveryFilesTest)
#include "recoveryfiles_test.moc"
