// The printing module of lvx: the commands that need fonts, pages or sound.

#include "commandline.h"
#include "commands.h"
#include "printmodule.h"

#include <QCoreApplication>

using namespace lvx::cli;

extern "C" Q_DECL_EXPORT int liravoxLvxPrintMain(int argc, char** argv)
{
    // The PDF writer reads the font files itself: no GUI application, no
    // platform plugin.
    QCoreApplication application(argc, argv);
    static const CommandTable commands{
        {QStringLiteral("fingering"), runFingering},
        {QStringLiteral("play"), runPlay},
        {QStringLiteral("pdf"), runPdf},
        {QStringLiteral("markup"), runMarkup},
    };
    return runCommandLine(QCoreApplication::arguments(), commands);
}
