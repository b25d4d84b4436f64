// The frame's own menus (shown while no song window is active), its toolbar
// and its status bar.

#include "frmmain.h"

#include "desktopcontext.h"
#include "base/settings.h"

#include "editor/ui/frmsong.h"
#include "editor/ui/hostmenus.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace lvx {

using editor::namedAction;

namespace {

QIcon icon(const QString& file, const QString& theme)
{
    const QIcon bundled(u":/icons/"_s + file + u".svg"_s);
    return theme.isEmpty() ? bundled : QIcon::fromTheme(theme, bundled);
}

} // namespace

void frmMain::createMenus()
{
    m_menus = {createFileMenu(), createAlbumMenu(), createViewMenu(), createToolsMenu(), createHelpMenu()};
}

QMenu* frmMain::createFileMenu()
{
    auto* menu = editor::namedMenu(this, u"&File"_s, u"mnuFile"_s);
    QAction* newSong = namedAction(menu, u"mnuFNew"_s, u"&New"_s);
    newSong->setShortcut(QKeySequence::New);
    connect(newSong, &QAction::triggered, this, &frmMain::newSong);
    QAction* open = namedAction(menu, u"mnuFOpen"_s, u"&Open ..."_s);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { openSong(QString()); });
    menu->addSeparator();
    // Every way out runs the same end: the dictionary and the settings are saved.
    QAction* exit = namedAction(menu, u"mnuFExit"_s, u"E&xit"_s);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &frmMain::exitProgram);
    menu->addSeparator();
    m_recentActions = editor::addRecentFileItems(menu, *this);
    return menu;
}

QMenu* frmMain::createAlbumMenu()
{
    auto* menu = editor::namedMenu(this, u"&Album"_s, u"mnuAlbum"_s);
    connect(namedAction(menu, u"mnuANew"_s, u"&New"_s), &QAction::triggered, this, &frmMain::albumNew);
    connect(namedAction(menu, u"mnuAOpen"_s, u"&Open ..."_s), &QAction::triggered, this, &frmMain::albumOpen);
    return menu;
}

QMenu* frmMain::createViewMenu()
{
    auto* menu = editor::namedMenu(this, u"&View"_s, u"mnuView"_s);
    m_toolbarAction = namedAction(menu, u"mnuVToolbar"_s, u"&Toolbar"_s);
    m_toolbarAction->setCheckable(true);
    m_toolbarAction->setChecked(true);
    connect(m_toolbarAction, &QAction::triggered, this, &frmMain::toggleToolbar);
    return menu;
}

QMenu* frmMain::createToolsMenu()
{
    auto* menu = editor::namedMenu(this, u"&Tools"_s, u"mnuTools"_s);
    connect(namedAction(menu, u"mnuTGlobalChords"_s, u"Global &Chords Dictionary ..."_s), &QAction::triggered, this,
            &frmMain::globalChords);
    connect(namedAction(menu, u"mnuTChordTypes"_s, u"Chord &Types Dictionary ..."_s), &QAction::triggered, this,
            &frmMain::chordTypes);
    connect(namedAction(menu, u"mnuTGuitar"_s, u"&Guitar Chord Search ..."_s), &QAction::triggered, this,
            &frmMain::guitarSearch);
    connect(namedAction(menu, u"mnuTPiano"_s, u"&Piano Chord Search ..."_s), &QAction::triggered, this,
            &frmMain::pianoSearch);
    connect(namedAction(menu, u"mnuTOptions"_s, u"&Options ..."_s), &QAction::triggered, this, &frmMain::options);
    return menu;
}

QMenu* frmMain::createHelpMenu()
{
    return editor::createHelpMenu(this, *this);
}

QToolButton* frmMain::addButton(const QString& name, const QString& tooltip, const QString& file, const QString& theme)
{
    auto* button = new QToolButton(picToolbar);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setIcon(icon(file, theme));
    button->setAutoRaise(true);
    m_buttons.insert(name, picToolbar->addWidget(button));
    return button;
}

void frmMain::addSongButton(const QString& name, const QString& tooltip, const QString& file, const QString& theme,
                            const char* command, bool thenFocus)
{
    QToolButton* button = addButton(name, tooltip, file, theme);
    connect(button, &QToolButton::clicked, this, [this, command, thenFocus] { callActiveSong(command, thenFocus); });
}

void frmMain::callActiveSong(const char* command, bool thenFocus)
{
    editor::frmSong* song = activeSong();
    if (!song)
        return;
    QMetaObject::invokeMethod(song, command);
    if (thenFocus)
        QMetaObject::invokeMethod(song, "SetFocus");
}

void frmMain::createToolbar()
{
    picToolbar = addToolBar(u"Toolbar"_s);
    picToolbar->setObjectName(u"picToolbar"_s);
    picToolbar->setMovable(false);
    picToolbar->setIconSize(QSize(22, 22));

    connect(addButton(u"bNew"_s, u"New Song"_s, u"new"_s, u"document-new"_s), &QToolButton::clicked, this,
            &frmMain::newSong);
    connect(addButton(u"bOpen"_s, u"Open Song"_s, u"open"_s, u"document-open"_s), &QToolButton::clicked, this,
            [this] { openSong(QString()); });
    addSongButton(u"bSave"_s, u"Save Song"_s, u"save"_s, u"document-save"_s, "mnuFSave_Click", false);
    picToolbar->addSeparator();
    addSongButton(u"bPreview"_s, u"Print Preview"_s, u"print-preview"_s, u"document-print-preview"_s,
                  "mnuFPrintPreview_Click", false);
    addSongButton(u"bPrint"_s, u"Print"_s, u"print"_s, u"document-print"_s, "mnuFPrint_Click", false);
    picToolbar->addSeparator();
    addSongButton(u"bCut"_s, u"Cut"_s, u"cut"_s, u"edit-cut"_s, "mnuECut_Click", false);
    addSongButton(u"bCopy"_s, u"Copy"_s, u"copy"_s, u"edit-copy"_s, "mnuECopy_Click", false);
    addSongButton(u"bPaste"_s, u"Paste"_s, u"paste"_s, u"edit-paste"_s, "mnuEPaste_Click", false);
    addSongButton(u"bUndo"_s, u"Undo"_s, u"undo"_s, u"edit-undo"_s, "mnuEUndo_Click", false);
    m_buttons.value(u"bUndo"_s)->setEnabled(false);
    addSongButton(u"bRedo"_s, u"Redo"_s, u"redo"_s, u"edit-redo"_s, "mnuERedo_Click", false);
    m_buttons.value(u"bRedo"_s)->setEnabled(false);
    picToolbar->addSeparator();
    addSongButton(u"bTranspose"_s, u"Transpose All the Chords"_s, u"transpose"_s, QString(), "mnuETranspose_Click",
                  false);
    addSongButton(u"bInsertChord"_s, u"Insert Chord"_s, u"insert-chord"_s, QString(), "mnuIChord_Click", true);
    addSongButton(u"bComment"_s, u"Insert Comment "_s, u"comment"_s, QString(), "mnuIComment_Click", true);
    addSongButton(u"bsoc"_s, u"Insert Start of Chorus "_s, u"chorus-start"_s, QString(), "mnuISOC_Click", true);
    addSongButton(u"beoc"_s, u"Insert End of Chorus "_s, u"chorus-end"_s, QString(), "mnuIEOC_Click", true);
    addSongButton(u"bChorus"_s, u"Make the Selected Lines a Chorus"_s, u"chorus"_s, QString(), "mnuIChorus_Click", true);
    picToolbar->addSeparator();
    QToolButton* guitar = addButton(u"bGuitar"_s, u"Select Guitar"_s, u"guitar"_s, QString());
    QToolButton* piano = addButton(u"bPiano"_s, u"Select Piano"_s, u"piano"_s, QString());
    guitar->setCheckable(true);
    piano->setCheckable(true);
    connect(guitar, &QToolButton::clicked, this, [this] { selectInstrument(u"Guitar"_s); });
    connect(piano, &QToolButton::clicked, this, [this] { selectInstrument(u"Piano"_s); });
    picToolbar->addSeparator();
    connect(addButton(u"bSalir"_s, u"Exit Program"_s, u"exit"_s, u"application-exit"_s), &QToolButton::clicked, this,
            &frmMain::exitProgram);
}

void frmMain::createStatusBar()
{
    m_notationPanel = new QLabel(this);
    m_notationPanel->setObjectName(u"StatusNotation"_s);
    m_notationPanel->setToolTip(u"Chord names"_s);
    m_instrumentPanel = new QLabel(this);
    m_instrumentPanel->setObjectName(u"StatusInstrument"_s);
    m_soundPanel = new QLabel(u"Sound is off until a MIDI output device opens."_s, this);
    m_soundPanel->setObjectName(u"StatusSound"_s);
    statusBar()->addPermanentWidget(m_soundPanel);
    statusBar()->addPermanentWidget(m_notationPanel);
    statusBar()->addPermanentWidget(m_instrumentPanel);
    showNotation();
    showInstrument();
    m_desktop.midi.setSoundListener([panel = QPointer<QLabel>(m_soundPanel)](bool off) {
        if (panel)
            panel->setVisible(off);
    });
}

void frmMain::showNotation()
{
    m_notationPanel->setText(m_desktop.app.notation == u"C" ? u"C D E ..."_s : u"Do Re Mi ..."_s);
}

void frmMain::selectInstrument(const QString& instrument)
{
    m_desktop.app.instrument = instrument;
    showInstrument();
    SaveSetting(u"Public"_s, u"Instrument"_s, instrument);
}

// The status bar shows the guitar's picture for "Guitar", the piano's for anything else.
void frmMain::showInstrument()
{
    const bool guitar = m_desktop.app.instrument == u"Guitar";
    m_instrumentPanel->setPixmap(icon(guitar ? u"guitar"_s : u"piano"_s, QString()).pixmap(QSize(18, 18)));
    m_instrumentPanel->setToolTip(guitar ? u"Guitar"_s : u"Piano"_s);
    qobject_cast<QToolButton*>(picToolbar->widgetForAction(m_buttons.value(u"bGuitar"_s)))->setChecked(guitar);
    qobject_cast<QToolButton*>(picToolbar->widgetForAction(m_buttons.value(u"bPiano"_s)))->setChecked(!guitar);
}

void frmMain::setSongButtonsVisible(bool visible)
{
    for (const QString& name : {u"bCut"_s, u"bCopy"_s, u"bPaste"_s, u"bUndo"_s, u"bRedo"_s, u"bPreview"_s, u"bTranspose"_s,
                                u"bPrint"_s, u"bSave"_s, u"bInsertChord"_s, u"bGuitar"_s, u"bPiano"_s, u"bComment"_s,
                                u"bsoc"_s, u"beoc"_s, u"bChorus"_s})
        m_buttons.value(name)->setVisible(visible);
}

void frmMain::ButtonsShow()
{
    setSongButtonsVisible(true);
}

void frmMain::ButtonsHide()
{
    setSongButtonsVisible(false);
}

void frmMain::toggleToolbar()
{
    picToolbar->setVisible(!picToolbar->isVisible());
    m_toolbarAction->setChecked(picToolbar->isVisible());
}

bool frmMain::toolbarVisible() const
{
    return picToolbar->isVisible();
}

} // namespace lvx
