#include "batch.h"

#include "command.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace lvx::cli {

namespace {

bool writeUtf8(Command& command, const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write((text + u'\n').toUtf8()) >= 0 && file.commit())
        return true;
    command.messages.inform(u"Cannot save file " + path + u": " + file.errorString());
    return false;
}

bool save(Command& command, const QString& path, BatchResult& result)
{
    if (!result.songText)
        return writeUtf8(command, path, result.text);
    return song::WriteTextFile(path, result.text, result.encoding, command.messages);
}

// Only what was read whole may be written over.
bool readWhole(Command& command, const QString& path)
{
    if (QFileInfo(path).size() <= song::MaxReadBytes)
        return true;
    command.messages.inform(u"Cannot save file " + path + u": only its first 60000 bytes can be read, so it is left as it is");
    return false;
}

} // namespace

QString takeBatch(Command& command, qsizetype leading, bool inPlaceAllowed, Batch& batch)
{
    const bool folderGiven = command.args.contains(QStringLiteral("-o"));
    if (folderGiven && !command.takeOption(QStringLiteral("-o"), batch.folder))
        return QStringLiteral("-o needs a folder");
    const bool inPlace = command.takeFlag(QStringLiteral("--in-place"));
    if (command.hasUnknownOption() || command.args.size() <= leading)
        return QStringLiteral("missing file");
    if (inPlace && !inPlaceAllowed)
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
    bool refused = false;
    for (const QString& path : batch.files) {
        command.messages.about = batch.files.size() > 1 ? path : QString();
        const bool overwrites = batch.destination == Batch::Destination::InPlace
            || (batch.destination == Batch::Destination::Folder
                && QFileInfo(QDir(batch.folder).filePath(QFileInfo(path).fileName())) == QFileInfo(path));
        if (overwrites && !readWhole(command, path)) {
            refused = true;
            continue;
        }
        std::optional<BatchResult> result = make(path);
        if (!result) {
            refused = true;
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
            const QString target = QDir(batch.folder).filePath(QFileInfo(path).fileName());
            if (written.contains(target)) {
                command.messages.inform(u"Cannot save file " + target + u": an earlier file of this batch has the same name");
                refused = true;
                break;
            }
            written.insert(target);
            refused = !save(command, target, *result) || refused;
            break;
        }
        }
    }
    command.messages.about.clear();
    return refused ? ExitRefused : ExitOk;
}

} // namespace lvx::cli
