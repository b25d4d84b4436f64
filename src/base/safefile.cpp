#include "safefile.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lvx {

namespace {

constexpr int MaxLinks = 40; // as the kernel's own limit

// Where path leads through links, even when the last one points at nothing
// yet (the save then creates the file there, as an editor would).
bool followLinks(const QString& path, QString& target, int& error)
{
    target = path;
    for (int links = 0; links <= MaxLinks; ++links) {
        const QByteArray name = QFile::encodeName(target);
        struct stat info;
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        const QString points = QFile::symLinkTarget(target);
        if (points.isEmpty()) {
            error = errno ? errno : EINVAL;
            return false;
        }
        target = points;
    }
    error = ELOOP;
    return false;
}

QString temporaryName(const QString& target)
{
    const QFileInfo info(target);
    return info.absolutePath() + u"/." + info.fileName() + u".lvx-"
        + QString::number(QRandomGenerator::global()->generate() % 0xFFFFFF, 16);
}

bool syncUnsupported(int error)
{
    // Pipes, terminals and some devices have nothing to sync.
    return error == EINVAL || error == EROFS || error == ENOTSUP;
}

} // namespace

SafeFile::SafeFile(const QString& path, Name name) : m_path(path), m_name(name) {}

SafeFile::~SafeFile()
{
    discard();
}

bool SafeFile::fail(int error)
{
    m_error = qt_error_string(error);
    discard();
    return false;
}

void SafeFile::discard()
{
    if (m_file.isOpen())
        m_file.close();
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
    m_temporary.clear();
}

bool SafeFile::open()
{
    int error = 0;
    m_target = m_path;
    if (m_name == Name::Follow && !followLinks(m_path, m_target, error))
        return fail(error);
    const QByteArray target = QFile::encodeName(m_target);
    struct stat old;
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(EISDIR);
    if (exists && m_name == Name::Follow && !S_ISREG(old.st_mode)) {
        m_descriptor = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
        if (m_descriptor < 0)
            return fail(errno);
    } else {
        // Made with 0666 so that the user's umask decides, as for any new file.
        for (int attempt = 0; m_descriptor < 0; ++attempt) {
            m_temporary = temporaryName(m_target);
            m_descriptor = ::open(QFile::encodeName(m_temporary).constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_descriptor < 0 && (errno != EEXIST || attempt > 100)) {
                m_temporary.clear();
                return fail(errno);
            }
        }
        if (exists && S_ISREG(old.st_mode)) {
            // The new file takes the old one's place, and its permissions.
            if (::fchmod(m_descriptor, old.st_mode & 07777) != 0)
                return fail(errno);
            if (::geteuid() == 0)
                (void)::fchown(m_descriptor, old.st_uid, old.st_gid);
        }
    }
    if (!m_file.open(m_descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        m_error = m_file.errorString();
        discard();
        return false;
    }
    return true;
}

bool SafeFile::commit()
{
    if (m_descriptor < 0)
        return false; // open() failed and said why
    // An error on an earlier write stays recorded even when the rest fit.
    if (m_file.error() != QFileDevice::NoError || !m_file.flush()) {
        m_error = m_file.errorString();
        discard();
        return false;
    }
    m_file.close();
    if (::fsync(m_descriptor) != 0 && (!m_temporary.isEmpty() || !syncUnsupported(errno)))
        return fail(errno);
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    // Some file systems report a failed write only here.
    if (::close(descriptor) != 0)
        return fail(errno);
    if (m_temporary.isEmpty())
        return true;
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        return fail(errno);
    m_temporary.clear();
    // The rename itself reaches the disk with the folder; the content is
    // already safe, so a folder that cannot be synced changes nothing.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool writeFileSafely(const QString& path, const QByteArray& bytes, QString& error, SafeFile::Name name)
{
    SafeFile file(path, name);
    // A failed write is kept by the file and found by commit().
    if (file.open())
        file.device()->write(bytes);
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lvx
