#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace lvx {

// A file that replaces the one at path only once its new content is whole on
// disk: the bytes go to a new file beside it, which is flushed, synced and
// closed with every error checked before it is renamed over the old one. Any
// error leaves the old file exactly as it was, and removes the new one.
//
// A name that leads (through links) to something other than a plain file, a
// terminal, a pipe or a device, is written directly: renaming over it would
// replace the device node itself.
class SafeFile final
{
public:
    enum class Name {
        Follow,  // a link is followed: the save changes the file it leads to
        Replace, // whatever stands under the name, a link too, is replaced
    };

    explicit SafeFile(const QString& path, Name name = Name::Follow);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    bool open();
    // Where the content goes, once open() succeeded.
    QIODevice* device() { return &m_file; }
    // False when any write on the way, the flush, the sync, the close or the
    // rename failed; the old file is then untouched.
    bool commit();
    // The system's words for what failed ("No space left on device").
    QString errorString() const { return m_error; }

private:
    QString m_path;      // the name given
    Name m_name;
    QString m_target;    // where links lead
    QString m_temporary; // empty when writing straight into the target
    int m_descriptor = -1;
    QFile m_file;
    QString m_error;

    bool fail(int error);
    void discard();
};

// The whole content at once; on failure error holds the system's reason.
bool writeFileSafely(const QString& path, const QByteArray& bytes, QString& error,
                     SafeFile::Name name = SafeFile::Name::Follow);

} // namespace lvx
