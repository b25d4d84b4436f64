#include "command.h"

#include "song/song.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace lvx::cli {

bool Command::takeOption(const QString& name, QString& value)
{
    const qsizetype index = args.indexOf(name);
    if (index < 0)
        return false;
    if (index + 1 >= args.size()) {
        args.removeAt(index);
        args.append(name);   // left behind so hasUnknownOption reports it
        return false;
    }
    value = args.at(index + 1);
    args.remove(index, 2);
    return true;
}

bool Command::takeFlag(const QString& name)
{
    return args.removeAll(name) > 0;
}

bool Command::hasUnknownOption() const
{
    for (const QString& arg : args) {
        if (arg.startsWith(u"--"))
            return true;
    }
    return false;
}

void Command::printLine(const QString& line)
{
    out << line << u'\n';
    out.flush();
}

bool Command::finishOutput()
{
    out.flush();
    if (out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    const QString reason = out.status() == QTextStream::Ok ? qt_error_string(errno) : out.device()->errorString();
    messages.inform(u"Cannot write to standard output: " + reason);
    return false;
}

int Command::usage(const QString& text)
{
    QTextStream err(stderr);
    err << text << Qt::endl;
    return ExitUsage;
}

int Command::refuse(const QString& text)
{
    messages.inform(text);
    return ExitRefused;
}

void Command::print(const QString& text)
{
    out << text;
    out.flush();
}

bool Command::readableFile(const QString& path)
{
    return song::isReadableFile(path, messages);
}

song::TextFile Command::readText(const QString& path)
{
    if (path != u"-") {
        if (!readableFile(path))
            return song::failedRead();
        return song::ReadTextFile(path, messages, song::MissingFile::Refuse);
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        messages.inform(u"Cannot open file -: " + input.errorString());
        return song::failedRead();
    }
    // Read as a file is: the first 60000 bytes, and the same message beyond.
    QByteArray bytes = input.read(song::MaxReadBytes + 1);
    const bool truncated = bytes.size() > song::MaxReadBytes;
    if (truncated) {
        bytes.truncate(song::MaxReadBytes);
        messages.inform(QStringLiteral("File to Large, read first 60000 bytes"));
    }
    return song::decodeText(bytes, truncated);
}

bool Command::mayReplace(const QString& path, QByteArrayView signature, QStringView kind)
{
    // Only a plain file is looked into: reading a pipe could wait for ever.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() == 0)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(signature.size()) == signature)
        return true;
    messages.inform(u"Cannot save file " + path + u": it is not a " + kind + u" file, and saving would replace what it holds");
    return false;
}

bool Command::loadSong(song::Song& song, const QString& path)
{
    if (path == u"-") {
        const song::TextFile file = readText(path);
        if (!file.ok)
            return false;
        song.LoadText(file.text, file.encoding);
        song.caption = path;
        return true;
    }
    if (!readableFile(path))
        return false;
    app.CurrentFileName = path;
    song.LoadFile();
    song.caption = path;
    return true;
}

} // namespace lvx::cli
