// The printing module of lvx: the commands that need fonts, pages or sound.

#include "commandline.h"
#include "commands.h"
#include "printmodule.h"

#include <QGuiApplication>

using namespace lvx::cli;

extern "C" Q_DECL_EXPORT int liravoxLvxPrintMain(int argc, char** argv)
{
    // Printing needs fonts, and fonts need a platform; lvx never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    static const CommandTable commands{
        {QStringLiteral("fingering"), runFingering},
        {QStringLiteral("play"), runPlay},
        {QStringLiteral("pdf"), runPdf},
        {QStringLiteral("markup"), runMarkup},
    };
    return runCommandLine(QCoreApplication::arguments(), commands);
}
