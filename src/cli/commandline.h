#pragma once

#include <QString>
#include <QStringList>

#include <map>

namespace lvx::cli {

struct Command;

using Runner = int (*)(Command&);
using CommandTable = std::map<QString, Runner>;

// The subcommands that print or play. They need fonts, pages and sound, which
// live in a module of their own, so that the text commands start without them.
bool isPrintCommand(const QString& name);

// The command named in the arguments (after the program name), skipping the
// global options; empty when there is none.
QString commandName(const QStringList& arguments);

// Reads the global options, finds the command in the table and runs it;
// returns the exit code. arguments start with the program name.
int runCommandLine(const QStringList& arguments, const CommandTable& commands);

} // namespace lvx::cli
