#include "frmmain.h"

#include "desktopcontext.h"
#include "frmabout.h"
#include "frmoptions.h"
#include "screenfit.h"
#include "base/settings.h"
#include "base/system.h"
#include "base/windowplacement.h"

#include "editor/ui/frmsong.h"
#include "editor/ui/hostmenus.h"
#include "midi/midistartup.h"
#include "music/ui/frmchorddef.h"
#include "music/ui/frmchordlist.h"
#include "music/ui/frmmodes.h"
#include "music/ui/frmpiano.h"
#include "print/ui/frmalbum.h"
#include "song/globaldictionary.h"
#include "song/song.h"
#include "song/songquestions.h"
#include "song/textfile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

using namespace Qt::StringLiterals;

// The bundled icons live in a static library: nothing would pull them in otherwise.
static void initIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace lvx {

namespace {

constexpr qint64 LargestSong = 65000;
// A new song window is at least as wide as this many characters of lyrics.
constexpr int PageColumns = 70;
const QString RecentSection = u"Recent Files"_s;
constexpr int RecentCount = 4;

QString recentKey(int i)
{
    return u"RecentFile"_s + QString::number(i);
}

// The hourglass for as long as a command works. Not before the frame is first
// on screen: there is nothing to point at yet, and loading the pointer's
// pictures would only hold back the first paint.
class BusyPointer final
{
public:
    explicit BusyPointer(const QWidget& frame)
        : m_shown(frame.windowHandle() != nullptr && frame.windowHandle()->isExposed())
    {
        if (m_shown)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyPointer()
    {
        if (m_shown)
            QApplication::restoreOverrideCursor();
    }
    Q_DISABLE_COPY_MOVE(BusyPointer)

private:
    bool m_shown;
};

} // namespace

frmMain::frmMain(DesktopContext& desktop, QWidget* parent) : QMainWindow(parent), m_desktop(desktop)
{
    initIconResources();
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Liravox"_s);
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(u"mdiArea"_s);
    m_mdi->setBackground(QColor(0xd8, 0xdd, 0xe6));
    m_mdi->setAcceptDrops(false);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &frmMain::subWindowActivated);
    m_mdi->viewport()->installEventFilter(this);
    showStoredViewMode();

    createMenus();
    createToolbar();
    createStatusBar();
    showMenusOf(nullptr);
    fitToScreen(this, availableArea(this).size() * 0.85);

    SongWindows = {nullptr};
    WindowFree = {false};
    m_desktop.mainWindow = this;
    m_desktop.activeChild = [this]() -> QWidget* { return activeSong(); };
}

frmMain::~frmMain()
{
    m_desktop.activeChild = [] { return nullptr; };
    m_desktop.midi.setSoundListener({});
}

void frmMain::Form_Load()
{
    const BusyPointer busy(*this);
    // Window 1 opens the command-line file, or a new song. An album named there
    // (a double click on one) comes up in the album window, over a new song.
    const QString fileName = m_desktop.app.CurrentFileName;
    const bool album = isAlbumFile(fileName);
    const bool opened = openInWindow(album ? QString() : fileName) != nullptr;
    if (!opened)
        openInWindow(QString());   // the program starts with a song window all the same
    if (album)
        QMetaObject::invokeMethod(this, [this, fileName] { openAlbumFile(fileName); }, Qt::QueuedConnection);
    else if (opened && !fileName.isEmpty())
        addRecentFile(fileName);

    song::loadGlobalDictionary(m_desktop.dictionary);
    refreshRecentFiles();
}

// -- window numbers

int frmMain::takeFreeNumber()
{
    for (int i = 1; i < WindowFree.size(); ++i) {
        if (WindowFree.at(i)) {
            WindowFree[i] = false;
            return i;
        }
    }
    SongWindows.append(nullptr);
    WindowFree.append(false);
    return int(WindowFree.size()) - 1;
}

QList<int> frmMain::numbersInUse() const
{
    QList<int> numbers;
    for (int i = 1; i < WindowFree.size(); ++i) {
        if (!WindowFree.at(i) && SongWindows.at(i))
            numbers.append(i);
    }
    return numbers;
}

editor::frmSong* frmMain::songWindow(int number) const
{
    if (number < 1 || number >= SongWindows.size() || WindowFree.at(number))
        return nullptr;
    return SongWindows.at(number);
}

editor::frmSong* frmMain::activeSong() const
{
    const QMdiSubWindow* window = m_mdi->currentSubWindow();
    return window ? qobject_cast<editor::frmSong*>(window->widget()) : nullptr;
}

QMdiSubWindow* frmMain::subWindowOf(const editor::frmSong* song) const
{
    const auto windows = m_mdi->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (window->widget() == song)
            return window;
    }
    return nullptr;
}

editor::frmSong* frmMain::openInWindow(const QString& fileName)
{
    const BusyPointer busy(*this);
    m_desktop.app.CurrentFileName = fileName;
    const int number = takeFreeNumber();
    auto* song = new editor::frmSong(m_desktop, this);
    SongWindows[number] = song;
    if (!song->Form_Load()) {
        // A file that cannot be read gets no window: saving it would replace the file with nothing.
        SongWindows[number] = nullptr;
        WindowFree[number] = true;
        delete song;
        m_desktop.app.CurrentFileName.clear();
        return nullptr;
    }
    // A new song is named after its window: window 3 is Untitled:3.
    if (fileName.isEmpty())
        song->setCaption(u"Untitled:"_s + QString::number(number));
    song->setTag(QString::number(number));
    const int open = int(m_mdi->subWindowList().size());
    QMdiSubWindow* window = m_mdi->addSubWindow(song);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(windowIcon());
    // The song's own Close asks about changes; the system menu's copy of its
    // key would make Ctrl+W ambiguous, and then neither would run.
    for (QAction* action : window->systemMenu()->actions()) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
            action->setShortcuts({});
    }
    const int pageWidth = song->fontMetrics().horizontalAdvance(QString(PageColumns, u'n'));
    window->setGeometry(newWindowGeometry(m_mdi->viewport()->size(), open, cascadeStep(), pageWidth));
    song->showRecentFiles(recentFiles());
    window->show();
    song->PaintPage();
    m_desktop.app.CurrentFileName.clear();
    return song;
}

void frmMain::songClosed(editor::frmSong* window)
{
    const int number = window->number();
    if (number >= 1 && number < WindowFree.size())
        WindowFree[number] = true;
    if (numbersInUse().isEmpty()) {
        ButtonsHide();
        SongButtonsHidden = true;
        showMenusOf(nullptr);
        refreshRecentFiles();
    }
}

// -- file commands

void frmMain::newSong()
{
    openInWindow(QString());
    showSongButtons();
}

void frmMain::showSongButtons()
{
    ButtonsShow();
    SongButtonsHidden = false;
}

bool frmMain::openable(const QString& path)
{
    return song::isReadableFile(path, m_desktop.messages);
}

void frmMain::openSong(const QString& name)
{
    QString path = name;
    if (path.isEmpty()) {
        path = m_desktop.messages.openFile(song::songFileFilter(), QDir::currentPath());
        if (path.isEmpty())
            return;
    }
    if (!openable(path))
        return;
    const QFileInfo file(path);
    if (file.size() > LargestSong) {
        m_desktop.messages.inform(u"The file is too large to open."_s);
        return;
    }
    // A second window on the same file would let one save undo the other's.
    if (!activateWindowOf(file.absoluteFilePath()) && openInWindow(file.absoluteFilePath()) == nullptr)
        return;
    addRecentFile(file.absoluteFilePath());
    if (SongButtonsHidden)
        showSongButtons();
}

QStringList frmMain::recentFiles() const
{
    QStringList paths;
    for (int i = 1; i <= RecentCount; ++i) {
        const QString path = GetSetting(RecentSection, recentKey(i), QString());
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void frmMain::addRecentFile(const QString& path)
{
    // The stored list, not the menu: at start-up the menu is filled only
    // after the first song opens, and a song listed already stays where it is.
    const bool listed = recentFiles().contains(path);
    QDir::setCurrent(QFileInfo(path).absolutePath());
    if (!listed) {
        for (int i = RecentCount - 1; i >= 1; --i) {
            const QString entry = GetSetting(RecentSection, recentKey(i), QString());
            if (!entry.isEmpty())
                SaveSetting(RecentSection, recentKey(i + 1), entry);
        }
        SaveSetting(RecentSection, recentKey(1), path);
    }
    refreshRecentFiles();
}

void frmMain::refreshRecentFiles()
{
    if (GetSetting(RecentSection, recentKey(1), QString()).isEmpty())
        return;
    const QStringList paths = recentFiles();
    editor::showRecentFileItems(m_recentActions, paths);
    for (int number : numbersInUse())
        SongWindows.at(number)->showRecentFiles(paths);
}

void frmMain::openRecentFile(int item)
{
    if (item < 0 || item >= m_recentActions.size())
        return;
    const QString path = m_recentActions.at(item)->text();
    if (!openable(path) || (!activateWindowOf(path) && openInWindow(path) == nullptr))
        return;
    QDir::setCurrent(QFileInfo(path).absolutePath());
    refreshRecentFiles();
    if (SongButtonsHidden)
        showSongButtons();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    openDropped(urls);
}

void frmMain::openDropped(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        if (isAlbumFile(url.toLocalFile()))
            openAlbumFile(url.toLocalFile());
        else
            openSong(url.toLocalFile());
    }
}

bool frmMain::isAlbumFile(const QString& path)
{
    return path.endsWith(u".abm", Qt::CaseInsensitive);
}

void frmMain::openAlbumFile(const QString& path)
{
    print::frmAlbum window(m_desktop, path, this);
    window.exec();
}

// -- ending the program

void frmMain::exitProgram()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    song::saveGlobalDictionary(m_desktop.dictionary);
    // The windows are asked one by one; the first that stays open (Cancel, a
    // save that did not happen, a chord still sounding) stops the whole exit.
    const auto windows = m_mdi->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    SaveSetting(u"Public"_s, u"DefDir"_s, QDir::currentPath());
    SaveSetting(u"Public"_s, u"Modo Acordes"_s, m_desktop.app.notation);
    midi::midiShutDown(m_desktop.midi);
    event->accept();
}

// -- help, web pages, tools

void frmMain::helpTopics()
{
    const QString index = QDir(installedDataFolder()).filePath(u"help/index.html"_s);
    if (!QFileInfo::exists(index) || !QDesktopServices::openUrl(QUrl::fromLocalFile(index)))
        m_desktop.messages.inform(u"Cannot open the help pages: " + index);
}

void frmMain::webSite()
{
    QDesktopServices::openUrl(QUrl(u"https://www.chordpro.org/"_s));
}

void frmMain::olgaSite()
{
    QDesktopServices::openUrl(QUrl(u"https://www.olga.net/"_s));
}

void frmMain::options()
{
    if (editor::frmSong* song = activeSong()) {
        frmOptions dialog(m_desktop, song->song(), this);
        dialog.exec();
        song->setWindowModified(song->song().Modificada);
        return;
    }
    // With no song open the options edit the song values new songs start from.
    song::Song defaults(m_desktop.context);
    m_desktop.app.CurrentFileName = song::defaultSongPath();
    defaults.LoadFile();
    m_desktop.app.CurrentFileName.clear();
    frmOptions dialog(m_desktop, defaults, this);
    dialog.exec();
}

void frmMain::globalChords()
{
    music::frmChordList list(m_desktop, m_desktop.dictionary, u"Global Guitar Chord Dictionary"_s, this);
    list.exec();
}

void frmMain::chordTypes()
{
    music::frmModes types(m_desktop, this);
    types.exec();
}

void frmMain::pianoSearch()
{
    if (!m_piano) {
        m_piano = new music::frmPiano(m_desktop, this);
        m_piano->setWindowFlag(Qt::Tool);
        m_piano->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_piano->show();
    m_piano->raise();
    m_piano->activateWindow();
}

void frmMain::guitarSearch()
{
    if (editor::frmSong* song = activeSong()) {
        QMetaObject::invokeMethod(song, "mnuTGuitar_Click");
        return;
    }
    m_desktop.music.activeChordDef = {};
    music::frmChordDef search(m_desktop, nullptr, this);
    search.exec();
}

void frmMain::albumNew()
{
    print::frmAlbum::NewAlbum(m_desktop, this);
}

void frmMain::albumOpen()
{
    print::frmAlbum::OpenAlbum(m_desktop, QDir::currentPath(), this);
}

void frmMain::about()
{
    frmAbout box(this);
    box.exec();
}

void frmMain::setUndoButtons(bool undo, bool redo)
{
    if (QAction* button = m_buttons.value(u"bUndo"_s))
        button->setEnabled(undo);
    if (QAction* button = m_buttons.value(u"bRedo"_s))
        button->setEnabled(redo);
}

void frmMain::repaintSongs()
{
    for (const QPointer<editor::frmSong>& song : SongWindows) {
        if (song)
            song->PaintPage();
    }
}

void frmMain::showStatus(const QString& text)
{
    constexpr int StatusMsecs = 8000;
    statusBar()->showMessage(text, StatusMsecs);
}

void frmMain::subWindowActivated(QMdiSubWindow* window)
{
    auto* song = window ? qobject_cast<editor::frmSong*>(window->widget()) : nullptr;
    if (!song) {
        if (m_mdi->subWindowList().isEmpty())
            showMenusOf(nullptr);
        return;
    }
    showMenusOf(song);
    setUndoButtons(song->undoEnabled(), song->redoEnabled());
    // After the activation has finished: the not-ChordPro question is a modal box.
    QMetaObject::invokeMethod(song, [song] { song->Form_Activate(); }, Qt::QueuedConnection);
}

void frmMain::showMenusOf(editor::frmSong* song)
{
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* menu : song ? song->menus() : m_menus)
        bar->addMenu(menu);
}

} // namespace lvx
