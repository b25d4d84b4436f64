// The song window's menu bar. The frame shows these menus while the window is
// active; commands shared with the frame go to the host.

#include "editor/ui/frmsong.h"

#include "editor/sections.h"

#include "editor/ui/hostmenus.h"
#include "editor/ui/songhost.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace lvx::editor {

QAction* frmSong::addAction(QMenu* menu, const QString& name, const QString& caption, void (frmSong::*slot)())
{
    return commandAction(menu, name, caption, this, slot);
}

void frmSong::createMenus()
{
    m_menus = {createFileMenu(), createAlbumMenu(), createEditMenu(), createInsertMenu(),
               createViewMenu(), createToolsMenu(), createWindowMenu(), createHelpMenu()};
}

QMenu* frmSong::createFileMenu()
{
    auto* menu = namedMenu(this, u"&File"_s, u"mnuFile"_s);
    QAction* newSong = namedAction(menu, u"mnuFNew"_s, u"&New"_s);
    newSong->setShortcut(QKeySequence::New);
    connect(newSong, &QAction::triggered, this, [this] { m_host->newSong(); });
    QAction* open = namedAction(menu, u"mnuFOpen"_s, u"&Open..."_s);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { m_host->openSong(QString()); });
    QAction* closeAction = namedAction(menu, u"mnuFClose"_s, u"&Close"_s);
    closeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    // The frame's sub-window asks this window whether it may close.
    connect(closeAction, &QAction::triggered, this, [this] { (parentWidget() ? parentWidget() : this)->close(); });
    addAction(menu, u"mnuFSave"_s, u"&Save"_s, &frmSong::mnuFSave_Click)->setShortcut(QKeySequence::Save);
    addAction(menu, u"mnuFSaveAs"_s, u"Save &As..."_s, &frmSong::mnuFSaveAs_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addAction(menu, u"mnuFExportText"_s, u"&Export as Text..."_s, &frmSong::mnuFExportText_Click);
    addAction(menu, u"mnuFProperties"_s, u"Song Propert&ies..."_s, &frmSong::mnuFProperties_Click);
    menu->addSeparator();
    addAction(menu, u"mnuFPageSetup"_s, u"Pa&ge Setup ..."_s, &frmSong::mnuFPageSetup_Click);
    addAction(menu, u"mnuFPrinterSetup"_s, u"P&rinter Setup ..."_s, &frmSong::mnuFPrinterSetup_Click);
    addAction(menu, u"mnuFPrintPreview"_s, u"Prin&tPreview"_s, &frmSong::mnuFPrintPreview_Click);
    addAction(menu, u"mnuFPrint"_s, u"&Print"_s, &frmSong::mnuFPrint_Click)->setShortcut(QKeySequence::Print);
    menu->addSeparator();
    QAction* exit = namedAction(menu, u"mnuFExit"_s, u"E&xit"_s);
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, [this] { m_host->exitProgram(); });
    menu->addSeparator();
    m_recentActions = addRecentFileItems(menu, *m_host);
    return menu;
}

QMenu* frmSong::createAlbumMenu()
{
    auto* menu = namedMenu(this, u"&Album"_s, u"mnuAlbum"_s);
    connect(namedAction(menu, u"mnuANew"_s, u"&New"_s), &QAction::triggered, this, [this] { m_host->albumNew(); });
    connect(namedAction(menu, u"mnuAOpen"_s, u"&Open ..."_s), &QAction::triggered, this, [this] { m_host->albumOpen(); });
    return menu;
}

QMenu* frmSong::createEditMenu()
{
    auto* menu = namedMenu(this, u"&Edit"_s, u"mnuEdit"_s);
    m_undoAction = addAction(menu, u"mnuEUndo"_s, u"&Undo"_s, &frmSong::mnuEUndo_Click);
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_undoAction->setEnabled(false);
    // Ctrl+Y stays Delete Line, as the menu always had it.
    m_redoAction = addAction(menu, u"mnuERedo"_s, u"&Redo"_s, &frmSong::mnuERedo_Click);
    m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_redoAction->setEnabled(false);
    menu->addSeparator();
    addAction(menu, u"mnuECut"_s, u"Cu&t"_s, &frmSong::mnuECut_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    addAction(menu, u"mnuECopy"_s, u"&Copy"_s, &frmSong::mnuECopy_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    addAction(menu, u"mnuEPaste"_s, u"&Paste"_s, &frmSong::mnuEPaste_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    addAction(menu, u"mnuEDelete"_s, u"D&elete"_s, &frmSong::mnuEDelete_Click)->setShortcut(QKeySequence(Qt::Key_Delete));
    addAction(menu, u"mnuEDeleteLine"_s, u"Delete Line"_s, &frmSong::mnuEDeleteLine_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    addAction(menu, u"mnuESelectAll"_s, u"Select &All"_s, &frmSong::mnuESelectAll_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    menu->addSeparator();
    addAction(menu, u"mnuETranspose"_s, u"&Transpose ..."_s, &frmSong::mnuETranspose_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    addAction(menu, u"mnuEReplace"_s, u"&Replace Chords ..."_s, &frmSong::mnuEReplace_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    menu->addSeparator();
    addAction(menu, u"mnuEFind"_s, u"&Find..."_s, &frmSong::mnuEFind_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(menu, u"mnuEFindNext"_s, u"Find &Next"_s, &frmSong::mnuEFindNext_Click)->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(menu, u"mnuEFindPrevious"_s, u"Find Pre&vious"_s, &frmSong::mnuEFindPrevious_Click)
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    return menu;
}

QMenu* frmSong::createInsertMenu()
{
    auto* menu = namedMenu(this, u"&Insert"_s, u"mnuInsert"_s);
    addAction(menu, u"mnuIChord"_s, u"C&hord"_s, &frmSong::mnuIChord_Click)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    menu->addSeparator();
    // Sections around the selected lines, or the caret's line.
    for (const SectionCommand& command : sectionCommands()) {
        QAction* action = namedAction(menu, command.objectName, command.caption);
        const QString name = command.objectName;
        connect(action, &QAction::triggered, this, [this, name] { insertSection(name); });
    }
    menu->addSeparator();
    for (const InsertCommand& command : insertCommands()) {
        QAction* action = namedAction(menu, command.objectName, command.caption);
        const QString name = command.objectName;
        connect(action, &QAction::triggered, this, [this, name] { insertDirective(name); });
    }
    return menu;
}

QMenu* frmSong::createViewMenu()
{
    auto* menu = namedMenu(this, u"&View"_s, u"mnuView"_s);
    QAction* toolbar = addAction(menu, u"mnuVToolbar"_s, u"&Toolbar"_s, &frmSong::mnuVToolbar_Click);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    connect(menu, &QMenu::aboutToShow, this, [this, toolbar] { toolbar->setChecked(m_host->toolbarVisible()); });
    addAction(menu, u"mnuVTextFormat"_s, u"Te&xt Format ..."_s, &frmSong::mnuVTextFormat_Click);
    addAction(menu, u"mnuVPreview"_s, u"&Preview"_s, &frmSong::mnuVPreview_Click);
    return menu;
}

QMenu* frmSong::createToolsMenu()
{
    auto* menu = namedMenu(this, u"&Tools"_s, u"mnuTools"_s);
    addAction(menu, u"mnuTSongChords"_s, u"&Song Custom Chord& Dictionary ..."_s, &frmSong::mnuTSongChords_Click);
    connect(namedAction(menu, u"mnuTGlobalChords"_s, u"&Global Chord Dictionary ..."_s), &QAction::triggered, this,
            [this] { m_host->globalChords(); });
    connect(namedAction(menu, u"mnuTChordTypes"_s, u"Chord &Types Dictionary ..."_s), &QAction::triggered, this,
            [this] { m_host->chordTypes(); });
    addAction(menu, u"mnuTGuitar"_s, u"Guitar &Chord Search ..."_s, &frmSong::mnuTGuitar_Click);
    connect(namedAction(menu, u"mnuTPiano"_s, u"&Piano Chord Search ..."_s), &QAction::triggered, this,
            [this] { m_host->pianoSearch(); });
    connect(namedAction(menu, u"mnuTOptions"_s, u"&Options ..."_s), &QAction::triggered, this, [this] { m_host->options(); });
    return menu;
}

QMenu* frmSong::createWindowMenu()
{
    return editor::createWindowMenu(this, *m_host);
}

QMenu* frmSong::createHelpMenu()
{
    return editor::createHelpMenu(this, *m_host);
}

} // namespace lvx::editor
