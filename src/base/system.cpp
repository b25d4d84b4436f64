#include "base/system.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <thread>

namespace lvx {

void Delay(qint32 milliseconds)
{
    if (milliseconds <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    if (QCoreApplication::instance() == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    // A precise timer wakes the loop at the deadline; until then it sleeps in
    // the event dispatcher and handles whatever the user does meanwhile.
    QEventLoop loop;
    QTimer wakeUp;
    wakeUp.setTimerType(Qt::PreciseTimer);
    wakeUp.setSingleShot(true);
    while (clock.elapsed() < milliseconds) {
        wakeUp.start(int(milliseconds - clock.elapsed()));
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
}

QString FolderExists(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (path.endsWith(u'/') || path.endsWith(u'\\'))
        return info.isDir() ? QStringLiteral(".") : QString();
    return info.fileName();
}

namespace {

// The desktop program's per-user folder, whichever program asks: the names
// are spelled out because lvx has no application name of its own.
QString userProgramFolder()
{
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QString folder = data.filePath(QStringLiteral("Liravox/Liravox"));
    // Earlier versions of lvx kept their own folder: its files (an extended
    // Chords.dat among them) move over once, copied, while the new one is
    // not there yet.
    const QDir old(data.filePath(QStringLiteral("lvx")));
    if (!QFileInfo::exists(folder) && old.exists()) {
        QDir().mkpath(folder);
        const QStringList names = old.entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : names)
            QFile::copy(old.filePath(name), QDir(folder).filePath(name));
    }
    return folder;
}

} // namespace

QString programFolder()
{
    QString folder = qEnvironmentVariable("LIRAVOX_HOME");
    if (folder.isEmpty())
        folder = userProgramFolder();
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

QString installedDataFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("LIRAVOX_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // Where the installation put it relative to the program; the build tree
    // links the source's data folder to the same place.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(LIRAVOX_DATA_FROM_PROGRAM));
}

} // namespace lvx
