// The song windows inside the frame: where new ones go, Cascade, Tile,
// Arrange Icons and tabs, the Window menu's list, and bringing an open file to
// the front. Whatever the arrangement, the active song ends up in front with
// the keys in it.

#include "frmmain.h"

#include "base/settings.h"
#include "base/windowplacement.h"

#include "editor/ui/frmsong.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

// Tabs or windows, as the user last chose.
const QString TabsSection = u"Public"_s;
const QString TabsKey = u"WindowTabs"_s;

} // namespace

bool frmMain::activateWindowOf(const QString& path)
{
    const QFileInfo wanted(path);
    for (int number : numbersInUse()) {
        editor::frmSong* song = SongWindows.at(number);
        const QFileInfo shown(song->caption());
        if (shown.exists() && shown == wanted) {
            activate(subWindowOf(song));
            return true;
        }
    }
    return false;
}

void frmMain::activate(QMdiSubWindow* window)
{
    if (!window)
        return;
    arrange([this, window] {
        if (window->isMinimized())
            window->showNormal();
        m_mdi->setActiveSubWindow(window);
    });
}

// Qt hands the focus on as it hides, restores and restacks windows, and an
// active window that is active already is not raised again.
void frmMain::arrange(const std::function<void()>& change)
{
    const QPointer<QWidget> had = QApplication::focusWidget();
    change();
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    if (!active)
        return;
    active->raise();
    if (auto* song = qobject_cast<editor::frmSong*>(active->widget()))
        song->restoreFocus(had);
}

void frmMain::showStoredViewMode()
{
    showViewMode(GetSettingFlag(TabsSection, TabsKey, u"false"_s));
}

bool frmMain::tabbedView() const
{
    return m_mdi->viewMode() == QMdiArea::TabbedView;
}

void frmMain::setTabbedView(bool tabs)
{
    arrange([this, tabs] { switchViewMode(tabs); });
}

// The choice is kept for the next start; Cascade and Tile choose windows.
void frmMain::switchViewMode(bool tabs)
{
    SaveSettingFlag(TabsSection, TabsKey, tabs);
    showViewMode(tabs);
}

// Tabs as an editor shows its documents: closable (the song asks about its
// changes first) and in the order the user drags them to.
void frmMain::showViewMode(bool tabs)
{
    if (tabs == tabbedView())
        return;
    m_mdi->setViewMode(tabs ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    if (tabs) {
        m_mdi->setDocumentMode(true);
        m_mdi->setTabsClosable(true);
        m_mdi->setTabsMovable(true);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mdi->viewport() && event->type() == QEvent::Resize)
        keepWindowsInside();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::keepWindowsInside()
{
    const QSize area = m_mdi->viewport()->size();
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        if (!window->isMinimized() && !window->isMaximized())
            window->setGeometry(keptInside(window->geometry(), area));
    }
}

int frmMain::cascadeStep() const
{
    return m_mdi->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_mdi) + 4;
}

// Qt's own cascade shrinks every window to its size hint, a line or two of a
// song; these keep most of the frame. The windows keep their order from back
// to front, the active song taking the front place.
void frmMain::cascade()
{
    arrange([this] {
        switchViewMode(false);
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
            if (!window->isMinimized())
                windows.append(window);
        }
        if (QMdiSubWindow* active = m_mdi->activeSubWindow(); windows.removeOne(active))
            windows.append(active);
        const QList<QRect> places = cascadeGeometries(m_mdi->viewport()->size(), int(windows.size()), cascadeStep());
        for (qsizetype index = 0; index < windows.size(); ++index) {
            if (windows.at(index)->isMaximized())
                windows.at(index)->showNormal();
            windows.at(index)->setGeometry(places.at(index));
            windows.at(index)->raise();
        }
    });
}

void frmMain::tile()
{
    arrange([this] {
        switchViewMode(false);
        m_mdi->tileSubWindows();
    });
}

void frmMain::arrangeIcons()
{
    // Minimised windows line up along the bottom of the frame.
    int x = 0;
    const auto windows = m_mdi->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized())
            continue;
        window->move(x, m_mdi->viewport()->height() - window->height());
        x += window->width();
    }
}

void frmMain::listWindows(QMenu* menu)
{
    const QList<QAction*> items = menu->actions();
    for (QAction* item : items) {
        if (item->objectName().startsWith(u"mnuWSong"))
            delete item;
    }
    const QMdiSubWindow* active = m_mdi->activeSubWindow();
    int shown = 0;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        const auto* song = qobject_cast<editor::frmSong*>(window->widget());
        if (!song)
            continue;
        ++shown;
        const QString name = song->caption().startsWith(u"Untitled") ? song->caption()
                                                                      : QFileInfo(song->caption()).fileName();
        // The first nine go by their digit, as in every other program's Window menu.
        const QString number = shown < 10 ? u"&"_s + QString::number(shown) : QString::number(shown);
        QAction* item = menu->addAction(number + u' ' + QString(name).replace(u'&', u"&&"_s));
        item->setObjectName(u"mnuWSong"_s + QString::number(shown));
        item->setToolTip(song->caption());
        item->setCheckable(true);
        item->setChecked(window == active);
        connect(item, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] { activate(target); });
    }
}

} // namespace lvx
