#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace lvx {

namespace {

// Room for the title bar and borders the window manager adds around a window.
QSize frameRoom(const QWidget* window)
{
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {16, title + 16};
}

} // namespace

QRect availableArea(const QWidget* window)
{
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QSize sizeOnScreen(const QWidget* window, QSize wanted)
{
    const QSize room = availableArea(window).size() - frameRoom(window);
    return wanted.boundedTo(room).expandedTo(QSize(1, 1));
}

void fitToScreen(QWidget* window, QSize wanted)
{
    const QSize size = sizeOnScreen(window, wanted.isEmpty() ? window->sizeHint() : wanted);
    window->resize(size.expandedTo(window->minimumSize()).boundedTo(window->maximumSize()));
    // A window not shown yet is placed when it shows (a dialog over its parent,
    // kept on the screen); one already up is moved back inside the area.
    if (!window->isVisible())
        return;
    const QRect area = availableArea(window);
    const QRect outer = window->frameGeometry();
    const int x = std::clamp(outer.x(), area.left(), std::max(area.left(), area.right() - outer.width()));
    const int y = std::clamp(outer.y(), area.top(), std::max(area.top(), area.bottom() - outer.height()));
    window->move(x, y);
}

} // namespace lvx
