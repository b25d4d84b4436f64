#pragma once

#include <QAction>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace lvx::editor {

class SongHost;

// A menu and a menu item named as tests and the toolbar find them.
QMenu* namedMenu(QWidget* owner, const QString& title, const QString& name);
QAction* namedAction(QMenu* menu, const QString& name, const QString& caption);

// A named menu item that runs one of its window's commands.
template <class Window>
QAction* commandAction(QMenu* menu, const QString& name, const QString& caption, Window* window, void (Window::*command)())
{
    QAction* action = namedAction(menu, name, caption);
    QObject::connect(action, &QAction::triggered, window, command);
    return action;
}

// The recent-file items 0..4 of a File menu, hidden until they show a path;
// choosing one asks the host to open it.
QList<QAction*> addRecentFileItems(QMenu* menu, SongHost& host);
// The stored paths, newest first, shown in those items.
void showRecentFileItems(const QList<QAction*>& items, const QStringList& paths);

// The Help menu, the same in the frame and in every song window.
QMenu* createHelpMenu(QWidget* owner, SongHost& host);

// The Window menu: Cascade, Tile, Arrange Icons, Tabs, then the open songs,
// listed afresh each time the menu opens.
QMenu* createWindowMenu(QWidget* owner, SongHost& host);

} // namespace lvx::editor
