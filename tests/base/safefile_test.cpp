#include "testmain.h"

#include "base/safefile.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace lvx;
using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A small file system of its own, full or read-only, for as long as the test runs.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& folder) : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = ::geteuid() == 0 && run(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, folder});
    }
    ~SmallDisk()
    {
        if (m_mounted)
            run(u"umount"_s, {m_folder});
    }
    bool mounted() const { return m_mounted; }
    void fill() { run(u"dd"_s, {u"if=/dev/zero"_s, u"of="_s + m_folder + u"/filler"_s, u"bs=1k"_s}); }
    bool makeReadOnly() { return run(u"mount"_s, {u"-o"_s, u"remount,ro"_s, m_folder}); }

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace

class SafeFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    // Whatever stops a save, the old file stays exactly as it was and no
    // half-written file is left beside it.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("reason");
        QTest::addRow("a song on a full disk") << u"full"_s << 700 << u"No space left on device"_s;
        QTest::addRow("a book larger than any buffer on a full disk") << u"full"_s << 400000 << u"No space left on device"_s;
        QTest::addRow("a song on a read-only file system") << u"readonly"_s << 700 << u"Read-only file system"_s;
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, place);
        QFETCH(int, size);
        QFETCH(QString, reason);
        SmallDisk disk(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
        if (!disk.mounted())
            QSKIP("needs root to mount a small tmpfs");
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())) + u"/song.cho"_s;
        const QByteArray old = "{t:Old}\n[C]kept\n";
        put(path, old);
        if (place == u"full")
            disk.fill();
        else
            QVERIFY(disk.makeReadOnly());

        QString error;
        QVERIFY(!writeFileSafely(path, QByteArray(size, 'x'), error));
        QCOMPARE(error, reason);
        QCOMPARE(contentOf(path), old);
        const QStringList left = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        const QStringList expected = place == u"full" ? QStringList{u"filler"_s, u"song.cho"_s} : QStringList{u"song.cho"_s};
        QCOMPARE(left, expected);
    }

    void saveReplacesWhatTheNameLeadsTo()
    {
        const QString song = m_dir.filePath(u"real.cho"_s);
        const QString link = m_dir.filePath(u"link.cho"_s);
        put(song, "old");
        ::chmod(QFile::encodeName(song).constData(), 0640);
        QVERIFY(QFile::link(song, link));
        QString error;

        QVERIFY(writeFileSafely(link, "through the link", error));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contentOf(song), QByteArray("through the link"));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(song).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0640u);

        QVERIFY(writeFileSafely(link, "the link replaced", error, SafeFile::Name::Replace));
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(contentOf(song), QByteArray("through the link"));
        QCOMPARE(contentOf(link), QByteArray("the link replaced"));

        // A device is written into, never replaced by a plain file.
        QVERIFY(writeFileSafely(u"/dev/null"_s, "gone", error));
        QVERIFY(!QFileInfo(u"/dev/null"_s).isFile());
    }

    void namesThatCannotBeSavedSayWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::addRow("links in a loop") << u"loop.cho"_s << u"Too many levels of symbolic links"_s;
        QTest::addRow("a folder") << u"folder"_s << u"Is a directory"_s;
        QTest::addRow("a missing folder") << u"missing/song.cho"_s << u"No such file or directory"_s;
    }
    void namesThatCannotBeSavedSayWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QFile::link(m_dir.filePath(u"loop.cho"_s), m_dir.filePath(u"loop2.cho"_s));
        QFile::link(m_dir.filePath(u"loop2.cho"_s), m_dir.filePath(u"loop.cho"_s));
        QDir(m_dir.path()).mkdir(u"folder"_s);
        QString error;
        QVERIFY(!writeFileSafely(m_dir.filePath(name), "x", error));
        QCOMPARE(error, reason);
    }
};

LIRAVOX_TEST_MAIN(SafeFileTest)
#include "safefile_test.moc"
