#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThreadPool;
class QTimer;

namespace lvx {

// Copies of the songs that have unsaved changes, so that a crash or a power cut
// loses no typing. Each running program keeps its copies in a session of its
// own inside the recovery folder, held by a lock file that dies with it; a
// clean exit takes the session away. Copies are taken a few seconds after the
// last change and written by a thread of their own, never over a song's file.
class RecoveryFiles final : public QObject
{
    Q_OBJECT

public:
    // The song as it stands: its file name (empty for a new song) and its text.
    struct Snapshot
    {
        QString fileName;
        QString text;
    };
    using Source = std::function<Snapshot()>;

    // A copy some session left behind.
    struct Leftover
    {
        QString path;       // the copy itself
        QString fileName;   // the song's own file, empty for a new song
        QString text;
        QDateTime written;
    };

    static constexpr int DefaultDelay = 3000;   // milliseconds after the last change

    explicit RecoveryFiles(const QString& folder, int delay = DefaultDelay);
    ~RecoveryFiles() override;
    Q_DISABLE_COPY_MOVE(RecoveryFiles)

    // A song to look after; the number names it in the calls below.
    int add(Source source);
    // The song changed: a copy follows once it has been still for the delay.
    void changed(int song);
    // The song has no unsaved changes (saved, or reverted): its copy goes.
    void clean(int song);
    // The song is closed for good: its copy goes.
    void remove(int song);
    // Every copy that is due is taken now (the delays are cut short).
    void writeNow();
    // Waits until every copy taken so far is on disk.
    void waitForWrites();

    // Copies left by programs that are no longer running, oldest first. Each is
    // taken over: it stays on disk until it is discarded.
    QList<Leftover> leftovers();
    void discard(const Leftover& leftover);

    QString folder() const { return m_folder; }
    QString sessionFolder() const { return m_session; }

private:
    struct Song
    {
        Source source;
        QTimer* timer = nullptr;
    };

    QString m_folder;
    QString m_session;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QThreadPool> m_writer;
    int m_delay;
    int m_nextSong = 1;
    QHash<int, Song> m_songs;

    QString copyPath(int song) const;
    void take(int song);
    void erase(const QString& path);
};

// The text of a copy: a marker line, the song's file name, then the song.
QByteArray recoveryFileBytes(const RecoveryFiles::Snapshot& snapshot);
// False when the bytes are not a copy.
bool readRecoveryFile(const QByteArray& bytes, RecoveryFiles::Snapshot& snapshot);

} // namespace lvx
