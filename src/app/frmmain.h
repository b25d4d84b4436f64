#pragma once

#include "editor/ui/songhost.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QUrl;

namespace lvx {

class DesktopContext;

namespace editor {
class frmSong;
}

// The frame: a multiple-document window holding the song windows, with the
// toolbar, the status bar, the file commands and the recent files. While a song
// window is active its menus replace the frame's own.
class frmMain final : public QMainWindow, public editor::SongHost
{
    Q_OBJECT

public:
    explicit frmMain(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmMain() override;
    Q_DISABLE_COPY_MOVE(frmMain)

    // Opens song window 1 with CurrentFileName (or a new song) and the global
    // chord dictionary.
    void Form_Load();

    // Window numbers in use, and the window owning a number (nullptr when free).
    QList<int> numbersInUse() const;
    editor::frmSong* songWindow(int number) const;
    editor::frmSong* activeSong() const;
    QMdiArea* mdiArea() const { return m_mdi; }

    void ButtonsShow();
    void ButtonsHide();
    bool SongButtonsHidden = false;
    void refreshRecentFiles();
    // The stored recent files, newest first.
    QStringList recentFiles() const;

    // SongHost
    void newSong() override;
    void openSong(const QString& name) override;
    void openRecentFile(int item) override;
    void addRecentFile(const QString& path) override;
    void exitProgram() override;
    void toggleToolbar() override;
    bool toolbarVisible() const override;
    void cascade() override;
    void tile() override;
    void arrangeIcons() override;
    bool tabbedView() const override;
    void setTabbedView(bool tabs) override;
    void listWindows(QMenu* menu) override;
    void helpTopics() override;
    void webSite() override;
    void olgaSite() override;
    void about() override;
    void setUndoButtons(bool undo, bool redo) override;
    void showStatus(const QString& text) override;
    void songClosed(editor::frmSong* window) override;
    QString caption() const override { return windowTitle(); }

    // Files dropped on the frame open one after the other, in drop order; an
    // album opens in the album window.
    void openDropped(const QList<QUrl>& urls);

    // The status bar's notation panel after the notation changed.
    void showNotation();
    // Every open song drawn again, after the options changed how songs show.
    void repaintSongs();
    // The Tools commands shared by the frame and the song windows.
    void options() override;
    void globalChords() override;
    void chordTypes() override;
    void pianoSearch() override;
    void guitarSearch();
    void albumNew() override;
    void albumOpen() override;

    // Sets the instrument for diagrams and playback ("Guitar" or "Piano") and keeps it.
    void selectInstrument(const QString& instrument);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DesktopContext& m_desktop;
    QMdiArea* m_mdi = nullptr;
    QToolBar* picToolbar = nullptr;
    QLabel* m_notationPanel = nullptr;
    QLabel* m_instrumentPanel = nullptr;
    QLabel* m_soundPanel = nullptr;   // shown while sound is off
    QList<QMenu*> m_menus;
    QList<QAction*> m_recentActions;
    QAction* m_toolbarAction = nullptr;
    QHash<QString, QAction*> m_buttons;   // toolbar button name -> its action in the bar
    QList<QPointer<editor::frmSong>> SongWindows;   // index 0 unused
    QList<bool> WindowFree;
    QPointer<QWidget> m_piano;   // the piano search is a tool window: one at a time

    void createMenus();
    QMenu* createFileMenu();
    QMenu* createAlbumMenu();
    QMenu* createViewMenu();
    QMenu* createToolsMenu();
    QMenu* createHelpMenu();
    void createToolbar();
    QToolButton* addButton(const QString& name, const QString& tooltip, const QString& icon, const QString& theme);
    void addSongButton(const QString& name, const QString& tooltip, const QString& icon, const QString& theme,
                       const char* command, bool thenFocus);
    void createStatusBar();
    void setSongButtonsVisible(bool visible);
    void showSongButtons();
    void showInstrument();
    // A path Open can read: a regular file this user may read; otherwise the reason is shown.
    bool openable(const QString& path);
    void showMenusOf(editor::frmSong* song);
    void subWindowActivated(QMdiSubWindow* window);

    static bool isAlbumFile(const QString& path);
    void openAlbumFile(const QString& path);

    int takeFreeNumber();
    editor::frmSong* openInWindow(const QString& fileName);
    // The window already showing this file, brought to the front; false when none does.
    bool activateWindowOf(const QString& path);
    void activate(QMdiSubWindow* window);
    // Runs a change of the windows' arrangement, then puts the active song in
    // front with the keys back where the user left them in it.
    void arrange(const std::function<void()>& change);
    void showViewMode(bool tabs);
    void switchViewMode(bool tabs);
    // The stored choice of tabs or windows, read at start-up.
    void showStoredViewMode();
    // How far each cascaded window sits below the one before: its title bar.
    int cascadeStep() const;
    // After the frame shrank: every song window back inside it.
    void keepWindowsInside();
    QMdiSubWindow* subWindowOf(const editor::frmSong* song) const;
    void callActiveSong(const char* command, bool thenFocus);
};

} // namespace lvx
