#include "base/recoveryfiles.h"

#include "base/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace lvx {

namespace {

const QByteArray Marker = QByteArrayLiteral("Liravox recovery 1");
const QString LockName = QStringLiteral("lock");
const QString CopySuffix = QStringLiteral(".lvxrecover");

QString newSessionName()
{
    return QString::number(QCoreApplication::applicationPid()) + u'-'
        + QString::number(QDateTime::currentMSecsSinceEpoch());
}

// Whether the program that made a session is gone. Its lock file names the
// process; only that process's death frees it, never the lock's age.
bool sessionAbandoned(const QString& session)
{
    QLockFile lock(QDir(session).filePath(LockName));
    lock.setStaleLockTime(0);
    // A lock that cannot even be looked at belongs to someone: leave it.
    if (!lock.tryLock(0))
        return false;
    lock.unlock();
    return true;
}

void writeCopy(const QString& path, const QByteArray& bytes)
{
    // A copy that cannot be written leaves the last good one; the next
    // round tries again.
    QString reason;
    writeFileSafely(path, bytes, reason);
}

} // namespace

QByteArray recoveryFileBytes(const RecoveryFiles::Snapshot& snapshot)
{
    return Marker + '\n' + QUrl::toPercentEncoding(snapshot.fileName) + '\n' + snapshot.text.toUtf8();
}

bool readRecoveryFile(const QByteArray& bytes, RecoveryFiles::Snapshot& snapshot)
{
    const qsizetype marker = bytes.indexOf('\n');
    const qsizetype name = marker < 0 ? -1 : bytes.indexOf('\n', marker + 1);
    if (name < 0 || bytes.left(marker) != Marker)
        return false;
    snapshot.fileName = QUrl::fromPercentEncoding(bytes.mid(marker + 1, name - marker - 1));
    snapshot.text = QString::fromUtf8(bytes.mid(name + 1));
    return true;
}

RecoveryFiles::RecoveryFiles(const QString& folder, int delay)
    : m_folder(folder), m_writer(std::make_unique<QThreadPool>()), m_delay(delay)
{
    // One writer thread: copies of a song land in the order they were taken.
    m_writer->setMaxThreadCount(1);
    m_session = QDir(m_folder).filePath(newSessionName());
    QDir().mkpath(m_session);
    m_lock = std::make_unique<QLockFile>(QDir(m_session).filePath(LockName));
    m_lock->setStaleLockTime(0);
    m_lock->tryLock(0);
}

RecoveryFiles::~RecoveryFiles()
{
    m_writer->waitForDone();
    // A clean exit: nothing of this session is worth offering again.
    m_lock->unlock();
    QDir(m_session).removeRecursively();
}

int RecoveryFiles::add(Source source)
{
    const int song = m_nextSong++;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(m_delay);
    connect(timer, &QTimer::timeout, this, [this, song] { take(song); });
    m_songs.insert(song, {std::move(source), timer});
    return song;
}

void RecoveryFiles::changed(int song)
{
    if (const auto found = m_songs.find(song); found != m_songs.end())
        found->timer->start();
}

void RecoveryFiles::clean(int song)
{
    if (const auto found = m_songs.find(song); found != m_songs.end()) {
        found->timer->stop();
        erase(copyPath(song));
    }
}

void RecoveryFiles::remove(int song)
{
    clean(song);
    if (const auto found = m_songs.find(song); found != m_songs.end()) {
        delete found->timer;
        m_songs.erase(found);
    }
}

void RecoveryFiles::writeNow()
{
    for (auto song = m_songs.cbegin(); song != m_songs.cend(); ++song) {
        if (song->timer->isActive()) {
            song->timer->stop();
            take(song.key());
        }
    }
}

void RecoveryFiles::waitForWrites()
{
    m_writer->waitForDone();
}

QString RecoveryFiles::copyPath(int song) const
{
    return QDir(m_session).filePath(QString::number(song) + CopySuffix);
}

void RecoveryFiles::take(int song)
{
    const auto found = m_songs.constFind(song);
    if (found == m_songs.cend())
        return;
    // The text is taken here, between two keystrokes; only the disk waits.
    const QByteArray bytes = recoveryFileBytes(found->source());
    m_writer->start([path = copyPath(song), bytes] { writeCopy(path, bytes); });
}

void RecoveryFiles::erase(const QString& path)
{
    m_writer->start([path] { QFile::remove(path); });
}

QList<RecoveryFiles::Leftover> RecoveryFiles::leftovers()
{
    QList<Leftover> found;
    const QFileInfoList sessions = QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& session : sessions) {
        if (session.absoluteFilePath() == QFileInfo(m_session).absoluteFilePath()
            || !sessionAbandoned(session.absoluteFilePath()))
            continue;
        QDirIterator copies(session.absoluteFilePath(), {u'*' + CopySuffix}, QDir::Files);
        while (copies.hasNext()) {
            const QString path = copies.next();
            QFile file(path);
            Snapshot snapshot;
            if (file.open(QIODevice::ReadOnly) && readRecoveryFile(file.readAll(), snapshot))
                found.append({path, snapshot.fileName, snapshot.text, copies.fileInfo().lastModified()});
        }
        // A session with nothing left in it (it had no unsaved song) goes at once.
        if (QDir(session.absoluteFilePath()).entryList({u'*' + CopySuffix}, QDir::Files).isEmpty())
            QDir(session.absoluteFilePath()).removeRecursively();
    }
    std::sort(found.begin(), found.end(),
              [](const Leftover& a, const Leftover& b) { return a.written < b.written; });
    return found;
}

void RecoveryFiles::discard(const Leftover& leftover)
{
    QFile::remove(leftover.path);
    const QDir session = QFileInfo(leftover.path).absoluteDir();
    if (session.entryList({u'*' + CopySuffix}, QDir::Files).isEmpty())
        QDir(session.absolutePath()).removeRecursively();
}

} // namespace lvx
