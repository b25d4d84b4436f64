#pragma once

#include <QString>

class QMenu;

namespace lvx::editor {

class frmSong;

// What a song window asks of the frame that holds it: the file commands its
// File menu shares with the frame, the window arrangement, help, and the
// bookkeeping of window numbers, recent files and the toolbar.
class SongHost
{
public:
    virtual ~SongHost() = default;

    virtual void newSong() = 0;
    // An empty name asks with the open dialog.
    virtual void openSong(const QString& name) = 0;
    virtual void openRecentFile(int item) = 0;
    // A file just opened or saved: it joins the recent files, and its folder
    // becomes the current one, where the file dialogs start.
    virtual void addRecentFile(const QString& path) = 0;
    // Unloads the frame: every song window is asked to close first.
    virtual void exitProgram() = 0;

    virtual void toggleToolbar() = 0;
    virtual bool toolbarVisible() const = 0;
    virtual void cascade() = 0;
    virtual void tile() = 0;
    virtual void arrangeIcons() = 0;
    // The songs as tabs (Cascade and Tile go back to windows); the choice is kept.
    virtual bool tabbedView() const = 0;
    virtual void setTabbedView(bool tabs) = 0;
    // Puts the open songs at the end of a Window menu, the active one checked.
    virtual void listWindows(QMenu* menu) = 0;

    // The Album menu.
    virtual void albumNew() = 0;
    virtual void albumOpen() = 0;

    // Tools shared with the frame's own menu.
    virtual void options() = 0;
    virtual void globalChords() = 0;
    virtual void chordTypes() = 0;
    virtual void pianoSearch() = 0;

    virtual void helpTopics() = 0;
    virtual void webSite() = 0;
    virtual void olgaSite() = 0;
    virtual void about() = 0;

    // The frame's Undo and Redo buttons follow the song window that changed them last.
    virtual void setUndoButtons(bool undo, bool redo) = 0;
    // A short word in the frame's status bar, such as why a key did nothing.
    virtual void showStatus(const QString& text) = 0;
    // A song window is gone: its number is free again.
    virtual void songClosed(frmSong* window) = 0;
    virtual QString caption() const = 0;
};

} // namespace lvx::editor
