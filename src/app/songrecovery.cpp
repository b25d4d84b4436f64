#include "songrecovery.h"

#include "desktopcontext.h"
#include "frmmain.h"
#include "base/recoveryfiles.h"

#include "editor/ui/frmsong.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

QString question(const RecoveryFiles::Leftover& leftover)
{
    const QString song = leftover.fileName.isEmpty() ? u"a new song"_s : QDir::toNativeSeparators(leftover.fileName);
    return u"Liravox ended without saving the changes to "_s + song + u". They were kept on "_s
        + QLocale().toString(leftover.written, QLocale::ShortFormat) + u".\nRestore them?"_s;
}

// The window a restored song goes into: its own file when it can still be
// opened, otherwise a new song that will be saved under the old name.
editor::frmSong* windowFor(frmMain& main, const QString& fileName)
{
    const QList<int> before = main.numbersInUse();
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile())
        main.openSong(fileName);
    if (main.numbersInUse() == before)
        main.newSong();
    for (int number : main.numbersInUse()) {
        if (!before.contains(number))
            return main.songWindow(number);
    }
    return nullptr;
}

} // namespace

void offerRecoveredSongs(DesktopContext& desktop, frmMain& main)
{
    RecoveryFiles* recovery = desktop.recovery;
    if (recovery == nullptr)
        return;
    for (const RecoveryFiles::Leftover& leftover : recovery->leftovers()) {
        if (desktop.messages.ask(question(leftover), u"Recover Songs"_s, Buttons::YesNo, Icon::Question) == Answer::Yes) {
            editor::frmSong* window = windowFor(main, leftover.fileName);
            if (window == nullptr)
                continue;   // kept for the next start
            if (!leftover.fileName.isEmpty())
                window->setCaption(leftover.fileName);
            window->restoreText(leftover.text);
            // The restored song's own copy is on disk before the old one goes.
            recovery->writeNow();
            recovery->waitForWrites();
        }
        recovery->discard(leftover);
    }
}

} // namespace lvx
