#pragma once

#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace lvx::editor {

class SongHost;

// A menu item named as tests and the toolbar find it.
QAction* namedAction(QMenu* menu, const QString& name, const QString& caption);

// The Help menu, the same in the frame and in every song window.
QMenu* createHelpMenu(QWidget* owner, SongHost& host);

} // namespace lvx::editor
