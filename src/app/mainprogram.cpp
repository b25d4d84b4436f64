#include "mainprogram.h"

#include "desktopcontext.h"
#include "frmmain.h"
#include "guimessages.h"
#include "base/recoveryfiles.h"
#include "songrecovery.h"
#include "base/startup.h"
#include "base/system.h"

#include "midi/midistartup.h"
#include "print/paintersurface.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

// Runs `then` once, after the first song window has painted: what can wait
// for that (the sound libraries and the synthesizer) does not delay the window.
class FirstSongPaint final : public QObject
{
public:
    explicit FirstSongPaint(std::function<void()> then) : m_then(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
        // A window that never paints (started minimised) must not keep the sound off.
        QTimer::singleShot(FallbackMilliseconds, this, [this] { run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && isInsideSongWindow(watched)) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { run(); });
        }
        return false;
    }

private:
    static constexpr int FallbackMilliseconds = 2000;
    std::function<void()> m_then;
    bool m_done = false;

    void run()
    {
        if (m_done)
            return;
        m_done = true;
        m_then();
    }

    static bool isInsideSongWindow(QObject* object)
    {
        for (; object != nullptr; object = object->parent()) {
            if (object->inherits("lvx::editor::frmSong"))
                return true;
        }
        return false;
    }
};

} // namespace

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
    RecoveryFiles recovery(QDir(programFolder()).filePath(u"recovery"_s));
    desktop.recovery = &recovery;
    // The arguments joined by blanks are the command line: one file name, quotes optional.
    StartUp(desktop.app, messages, QApplication::arguments().mid(1).join(u' '));

    frmMain main(desktop);
    messages.setParent(&main);
    main.show();
    main.Form_Load();

    desktop.app.PlayingCount = 0;
    desktop.clearClipLine();
    // Start-up timing: the program says when its first song window was
    // painted (milliseconds since the epoch, to set against the launch) and ends.
    const bool quitAfterStart = qEnvironmentVariableIsSet("LIRAVOX_QUIT_AFTER_START");
    FirstSongPaint afterFirstPaint([&desktop, quitAfterStart] {
        if (quitAfterStart) {
            std::fprintf(stderr, "first song window painted at %lld\n", QDateTime::currentMSecsSinceEpoch());
            QApplication::quit();
            return;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        midi::midiStartUp(desktop.midi);
        QApplication::restoreOverrideCursor();
    });
    offerRecoveredSongs(desktop, main);
    return QApplication::exec();
}

} // namespace lvx
