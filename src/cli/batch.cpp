#include "batch.h"

#include "command.h"

#include "base/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <vector>

namespace lvx::cli {

namespace {

// Over a song read: the program's own save, which replaces the old file only
// once the new one is whole on disk. Only song results come here: the others
// never replace a file read.
bool save(Command& command, const QString& path, BatchResult& result)
{
    return song::WriteTextFile(path, result.text, result.encoding, command.messages, result.finalLineEnd);
}

// A file of a folder of results: the bytes the program's save writes. A file
// already there under that name is replaced, not written into: it may be a
// link to a song elsewhere, even to the one just read.
bool saveCopy(Command& command, const QString& path, BatchResult& result)
{
    const QString content = result.songText ? song::fileContent(result.text, result.finalLineEnd) : result.text + u'\n';
    const QByteArray bytes = song::encodeForFile(content, result.encoding);
    QString reason;
    if (writeFileSafely(path, bytes, reason, SafeFile::Name::Replace))
        return true;
    command.messages.inform(u"Cannot save file " + path + u": " + reason);
    return false;
}

// The results folder and the songs of the batch that live in it. A song's
// result replaces the song itself when the song is in the folder under its own
// name; it never replaces another song of the batch, which would be lost
// before it is read, or after its own result was saved. Folders are resolved
// once each, and a song given as a link where the link leads.
class ResultsFolder
{
public:
    ResultsFolder(const QString& folder, const QStringList& files) : m_folder(QFileInfo(folder).canonicalFilePath())
    {
        m_ownFile.reserve(files.size());
        for (const QString& path : files) {
            QFileInfo input(path);
            if (input.isSymLink())
                input.setFile(input.canonicalFilePath());
            const bool inFolder = !m_folder.isEmpty() && canonicalFolder(input.absolutePath()) == m_folder;
            if (inFolder)
                m_songNames.insert(input.fileName());
            m_ownFile.push_back(inFolder && input.fileName() == QFileInfo(path).fileName());
        }
    }

    // Whether the result of files[index] goes over the song itself.
    bool isOwnFile(qsizetype index) const { return m_ownFile[size_t(index)]; }
    // Whether a result under this name would replace a song of the batch.
    bool holdsSong(const QString& name) const { return m_songNames.contains(name); }

private:
    QString m_folder;
    QHash<QString, QString> m_canonical;
    QSet<QString> m_songNames;
    std::vector<bool> m_ownFile;

    const QString& canonicalFolder(const QString& directory)
    {
        auto known = m_canonical.constFind(directory);
        if (known == m_canonical.cend())
            known = m_canonical.insert(directory, QFileInfo(directory).canonicalFilePath());
        return *known;
    }
};

// False when `key` was met before; an empty key (a file that is not there) is always new.
bool isFirstTime(QSet<QString>& met, const QString& key)
{
    if (key.isEmpty())
        return true;
    const qsizetype before = met.size();
    met.insert(key);
    return met.size() > before;
}

} // namespace

QString takeBatch(Command& command, qsizetype leading, bool songResults, Batch& batch)
{
    batch.resultsAreSongs = songResults;
    const bool folderGiven = command.args.contains(QStringLiteral("-o"));
    if (folderGiven && !command.takeOption(QStringLiteral("-o"), batch.folder))
        return QStringLiteral("-o needs a folder");
    const bool inPlace = command.takeFlag(QStringLiteral("--in-place"));
    if (command.hasUnknownOption() || command.args.size() <= leading)
        return QStringLiteral("missing file");
    if (inPlace && !songResults)
        return QStringLiteral("--in-place would replace the song with something else");
    if (inPlace && folderGiven)
        return QStringLiteral("-o and --in-place exclude each other");
    batch.files = command.args.mid(leading);
    if (batch.files.contains(QStringLiteral("-")) && (batch.files.size() > 1 || inPlace || folderGiven))
        return QStringLiteral("standard input (-) is read alone, with the result on standard output");
    if (batch.files.size() > 1 && !inPlace && !folderGiven)
        return QStringLiteral("several files need -o DIR or --in-place");
    batch.destination = inPlace       ? Batch::Destination::InPlace
                        : folderGiven ? Batch::Destination::Folder
                                      : Batch::Destination::StandardOutput;
    return {};
}

int runBatch(Command& command, const Batch& batch, const std::function<std::optional<BatchResult>(const QString&)>& make)
{
    if (batch.destination == Batch::Destination::Folder && !QDir().mkpath(batch.folder))
        return command.refuse(u"Cannot create folder " + batch.folder);
    // A batch reads the song defaults once, not once a song.
    if (batch.files.size() > 1)
        command.context.jobDefaults = song::readLoadDefaults();
    QSet<QString> written;
    const bool toFolder = batch.destination == Batch::Destination::Folder;
    const ResultsFolder folder(toFolder ? batch.folder : QString(), toFolder ? batch.files : QStringList());
    bool refused = false;
    const auto refuse = [&](const QString& file, const QString& reason) {
        command.messages.inform(u"Cannot save file " + file + u": " + reason);
        refused = true;
    };
    for (qsizetype index = 0; index < batch.files.size(); ++index) {
        const QString& path = batch.files[index];
        command.messages.about = batch.files.size() > 1 ? path : QString();
        const QString name = QFileInfo(path).fileName();
        // A file named twice (songs/*.cho songs/a.cho) is changed once: transposing it twice is no one's wish.
        if (batch.destination == Batch::Destination::InPlace && !isFirstTime(written, QFileInfo(path).canonicalFilePath())) {
            refuse(path, QStringLiteral("an earlier file of this batch is the same file"));
            continue;
        }
        const bool overwrites = batch.destination == Batch::Destination::InPlace || (toFolder && folder.isOwnFile(index));
        if (toFolder && !overwrites && folder.holdsSong(name)) {
            refuse(QDir(batch.folder).filePath(name), QStringLiteral("it is another song of this batch"));
            continue;
        }
        if (overwrites && !batch.resultsAreSongs) {
            refuse(path, QStringLiteral("it is the file read, and the result is no song to replace it with"));
            continue;
        }
        std::optional<BatchResult> result = make(path);
        if (!result) {
            refused = true;
            continue;
        }
        // Only what was read whole may be written over, decided by what the
        // read got: a file that grew past the limit a moment ago counts.
        if (overwrites && result->readInPart) {
            refuse(path, QStringLiteral("only its first 60000 bytes can be read, so it is left as it is"));
            continue;
        }
        switch (batch.destination) {
        case Batch::Destination::StandardOutput:
            if (result->songText)
                command.print(result->text);
            else
                command.printLine(result->text);
            break;
        case Batch::Destination::InPlace:
            refused = !save(command, path, *result) || refused;
            break;
        case Batch::Destination::Folder: {
            const QString target = QDir(batch.folder).filePath(name);
            if (!isFirstTime(written, target)) {
                refuse(target, QStringLiteral("an earlier file of this batch has the same name"));
                break;
            }
            refused = !(overwrites ? save(command, target, *result) : saveCopy(command, target, *result)) || refused;
            break;
        }
        }
    }
    command.messages.about.clear();
    return refused ? ExitRefused : ExitOk;
}

} // namespace lvx::cli
