#include "testmain.h"

#include "base/recoveryfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace lvx;
using namespace Qt::StringLiterals;

namespace {

// A session folder as a program that died leaves it: its lock names a process
// that has ended, and one copy.
void leaveDeadSession(const QString& folder, const QString& fileName, const QString& text)
{
    QProcess ended;
    ended.start(u"true"_s, {});
    ended.waitForStarted();
    const qint64 pid = ended.processId();
    ended.waitForFinished();
    const QString session = QDir(folder).filePath(u"dead"_s);
    QDir().mkpath(session);
    QFile lock(QDir(session).filePath(u"lock"_s));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nliravox\n\n");
    lock.close();
    QFile copy(QDir(session).filePath(u"1.lvxrecover"_s));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(recoveryFileBytes({fileName, text}));
}

} // namespace

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

    void onlyProgramsThatEndedLeaveSongsBehind()
    {
        const QString folder = m_dir.filePath(u"sessions"_s);
        leaveDeadSession(folder, u"/songs/line\nbreak.cho"_s, u"typed é"_s);
        auto running = std::make_unique<RecoveryFiles>(folder, 0);
        const int song = running->add([] { return RecoveryFiles::Snapshot{QString(), u"new song"_s}; });
        running->changed(song);
        running->writeNow();
        running->waitForWrites();

        // A second program sees the dead one's song, never the running one's.
        RecoveryFiles next(folder, 0);
        const QList<RecoveryFiles::Leftover> found = next.leftovers();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().fileName, u"/songs/line\nbreak.cho"_s);
        QCOMPARE(found.first().text, u"typed é"_s);
        next.discard(found.first());
        QVERIFY(!QFile::exists(found.first().path));

        // A clean exit takes its session away.
        const QString session = running->sessionFolder();
        running.reset();
        QVERIFY(!QFileInfo::exists(session));
        QVERIFY(next.leftovers().isEmpty());
    }
};

LIRAVOX_TEST_MAIN(RecoveryFilesTest)
#include "recoveryfiles_test.moc"
