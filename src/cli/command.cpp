#include "command.h"

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

} // namespace lvx::cli
