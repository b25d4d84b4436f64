#include "mainprogram.h"

#include "desktopcontext.h"
#include "frmmain.h"
#include "guimessages.h"
#include "startup.h"

#include "midi/midistartup.h"
#include "print/paintersurface.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lvx {

int Main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Liravox"_s);
    QApplication::setOrganizationName(u"Liravox"_s);
    // The desktop entry's name: docks and task bars match the windows to it.
    QGuiApplication::setDesktopFileName(u"org.liravox.Liravox"_s);
    QApplication::setWindowIcon(QIcon::fromTheme(u"org.liravox.Liravox"_s, QIcon(u":/icons/liravox.svg"_s)));
    print::installFontSubstitutions();

    GuiMessages messages;
    DesktopContext desktop(messages);
    // The arguments joined by blanks are the command line: one file name, quotes optional.
    StartUp(desktop.app, messages, QApplication::arguments().mid(1).join(u' '));

    frmMain main(desktop);
    messages.setParent(&main);
    main.show();
    main.Form_Load();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    desktop.app.PlayingCount = 0;
    midi::midiStartUp(desktop.midi);
    desktop.clearClipLine();
    QApplication::restoreOverrideCursor();
    // Start-up timing: the program ends once its first window is on screen.
    if (qEnvironmentVariableIsSet("LIRAVOX_QUIT_AFTER_START")) {
        QApplication::processEvents();
        QTimer::singleShot(0, &application, &QApplication::quit);
    }
    return QApplication::exec();
}

} // namespace lvx
