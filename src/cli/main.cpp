// lvx: the program's libraries without windows, for scripts, tests and benchmarks.
// The text commands run here on Qt Core alone; the commands that print or play
// are in a module loaded only for them.

#include "commandline.h"
#include "commands.h"
#include "printmodule.h"

#include "base/modules.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

using namespace lvx::cli;

namespace {

const CommandTable& textCommands()
{
    static const CommandTable table{
        {QStringLiteral("chord"), runChord},
        {QStringLiteral("dump"), runDump},
        {QStringLiteral("write"), runWrite},
        {QStringLiteral("transpose"), runTranspose},
        {QStringLiteral("replace"), runReplace},
        {QStringLiteral("name"), runName},
        {QStringLiteral("convert-crd"), runConvertCrd},
        {QStringLiteral("solfege"), runSolfege},
        {QStringLiteral("text"), runText},
    };
    return table;
}

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

int runPrintModule(int argc, char** argv)
{
    QString error;
    const auto entry = reinterpret_cast<PrintModuleEntry>(
        lvx::resolveModuleFunction(QStringLiteral(LVX_PRINT_MODULE), PrintModuleEntryName, error));
    if (entry == nullptr) {
        std::fprintf(stderr, "lvx: cannot load the printing module: %s\n", qPrintable(error));
        return 1;
    }
    return entry(argc, argv);
}

} // namespace

int main(int argc, char** argv)
{
    // A reader that went away is an error to report, not a signal to die of.
    std::signal(SIGPIPE, SIG_IGN);
    if (isPrintCommand(commandName(argumentList(argc, argv))))
        return runPrintModule(argc, argv);
    QCoreApplication application(argc, argv);
    return runCommandLine(QCoreApplication::arguments(), textCommands());
}
