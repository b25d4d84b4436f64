#include "song/ui/frmnotepad.h"

#include "song/song.h"
#include "song/sourceconversions.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "app/screenfit.h"
#include "editor/ui/hostmenus.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::song {

namespace {

constexpr int TextPointSize = 10;

// Keys the box would handle itself, but which must run the editor's commands:
// a paste goes through the editor's line ends, and the menu items stay the one
// place undo and redo happen.
bool isCommandKey(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) || key->matches(QKeySequence::Cut)
        || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste);
}

} // namespace

frmNotePad::frmNotePad(DesktopContext& desktop, Song& song, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_song(song)
{
    setObjectName(u"frmNotePad"_s);
    setWindowTitle(u"ChordPro Source"_s);
    setModal(true);
    setSizeGripEnabled(true);

    createTextBox();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(createMenuBar());
    // The buttons run the menus' items, so the menus come first.
    QToolBar* toolBar = createToolBar();
    layout->addWidget(toolBar);
    layout->addWidget(m_text, 1);
    layout->addLayout(createCloseButtons());
    // Every button stays in sight: a button folded into the toolbar's overflow
    // menu would lose its tool tip and its place.
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(toolBar->sizeHint().width() + margins.left() + margins.right());
    fitToScreen(this, QSize(std::max(minimumWidth(), 820), 580));

    load();
    m_text->setFocus();
}

void frmNotePad::createTextBox()
{
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"Texto"_s);
    QFont font(u"Courier New"_s, TextPointSize);
    font.setStyleHint(QFont::TypeWriter);
    m_text->setFont(font);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setWordWrapMode(QTextOption::NoWrap);
    // Typing and every command are steps of the box's own history, so Undo walks
    // back through both, as in any text editor.
    m_text->installEventFilter(this);
    m_text->setContextMenuPolicy(Qt::CustomContextMenu);
}

QMenuBar* frmNotePad::createMenuBar()
{
    auto* bar = new QMenuBar(this);
    QMenu* edit = createEditMenu();
    bar->addMenu(edit);
    bar->addMenu(createFormatMenu());
    bar->addMenu(createConvertMenu());
    bar->addMenu(createDirectiveMenu());
    connect(m_text, &QPlainTextEdit::customContextMenuRequested, this,
            [this, edit](const QPoint& at) { edit->exec(m_text->viewport()->mapToGlobal(at)); });
    return bar;
}

QAction* frmNotePad::addCommand(QMenu* menu, const QString& name, const QString& caption, Command command)
{
    QAction* action = editor::commandAction(menu, name, caption, this, command);
    // Also the dialog's own action, so its shortcut works while the box has the focus.
    addAction(action);
    return action;
}

QMenu* frmNotePad::createEditMenu()
{
    auto* menu = editor::namedMenu(this, u"&Edit"_s, u"mnuEdit"_s);
    m_undo = addCommand(menu, u"mnuEUndo"_s, u"&Undo"_s, &frmNotePad::undoCommand);
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo = addCommand(menu, u"mnuERedo"_s, u"&Redo"_s, &frmNotePad::redoCommand);
    m_redo->setShortcuts(QKeySequence::Redo);
    connect(m_text, &QPlainTextEdit::undoAvailable, m_undo, &QAction::setEnabled);
    connect(m_text, &QPlainTextEdit::redoAvailable, m_redo, &QAction::setEnabled);
    menu->addSeparator();
    addCommand(menu, u"mnuECut"_s, u"Cu&t"_s, &frmNotePad::cutCommand)->setShortcut(QKeySequence::Cut);
    addCommand(menu, u"mnuECopy"_s, u"&Copy"_s, &frmNotePad::copyCommand)->setShortcut(QKeySequence::Copy);
    addCommand(menu, u"mnuEPaste"_s, u"&Paste"_s, &frmNotePad::pasteCommand)->setShortcut(QKeySequence::Paste);
    addCommand(menu, u"mnuEDelete"_s, u"D&elete"_s, &frmNotePad::deleteCommand);
    menu->addSeparator();
    addCommand(menu, u"mnuESelectAll"_s, u"Select &All"_s, &frmNotePad::selectAllCommand)
        ->setShortcut(QKeySequence::SelectAll);
    return menu;
}

QMenu* frmNotePad::createFormatMenu()
{
    auto* menu = editor::namedMenu(this, u"&Format"_s, u"mnuFormat"_s);
    addCommand(menu, u"mnuFFilter"_s, u"&Filter"_s, &frmNotePad::filterCommand);
    addCommand(menu, u"mnuFIndentR"_s, u"Indent &Right"_s, &frmNotePad::indentRightCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    addCommand(menu, u"mnuFIndentL"_s, u"Indet &Left"_s, &frmNotePad::indentLeftCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    return menu;
}

QMenu* frmNotePad::createConvertMenu()
{
    auto* menu = editor::namedMenu(this, u"&Convert"_s, u"mnuConvert"_s);
    addCommand(menu, u"mnuCLFtoCRLF"_s, u"&LF to CRLF"_s, &frmNotePad::lfToCrLfCommand);
    addCommand(menu, u"mnuCDoToC"_s, u"&Do to C"_s, &frmNotePad::doToCCommand);
    addCommand(menu, u"mnuCMix"_s, u"C&onvert 2 Crd Lines to 1 ChoPro Line"_s, &frmNotePad::mergeCommand);
    return menu;
}

QMenu* frmNotePad::createDirectiveMenu()
{
    auto* menu = editor::namedMenu(this, u"&Directives"_s, u"mnuDirectives"_s);
    addCommand(menu, u"mnuDTitle"_s, u"&Title Directive"_s, &frmNotePad::titleCommand);
    addCommand(menu, u"mnuDSubTitle"_s, u"&SubTitle Directive"_s, &frmNotePad::subTitleCommand);
    addCommand(menu, u"mnuDComment"_s, u"&Comment Directive"_s, &frmNotePad::commentCommand);
    addCommand(menu, u"mnuDCommentItalic"_s, u"Comment &Italic Directive"_s, &frmNotePad::commentItalicCommand);
    menu->addSeparator();
    addCommand(menu, u"mnuDStartTab"_s, u"Start of Tablature Directive"_s, &frmNotePad::startOfTabCommand);
    addCommand(menu, u"mnuDEndTab"_s, u"End of Tablature Directive"_s, &frmNotePad::endOfTabCommand);
    addCommand(menu, u"mnuDStartChorus"_s, u"St&art of Chorus Directive"_s, &frmNotePad::startOfChorusCommand);
    addCommand(menu, u"mnuDEndChorus"_s, u"&End of Chorus Directive"_s, &frmNotePad::endOfChorusCommand);
    addCommand(menu, u"mnuDStartBridge"_s, u"Start of Bridge Directive"_s, &frmNotePad::startOfBridgeCommand);
    addCommand(menu, u"mnuDEndBridge"_s, u"End of Bridge Directive"_s, &frmNotePad::endOfBridgeCommand);
    menu->addSeparator();
    addCommand(menu, u"mnuDNewPage"_s, u"&New Page"_s, &frmNotePad::newPageCommand);
    return menu;
}

// The buttons are shortcuts to menu items and run exactly what the item runs;
// they keep out of the tab order so Tab goes from the text to Close and Cancel.
void frmNotePad::addButton(QToolBar* bar, const QString& name, const QString& caption, const QString& action,
                           const QString& toolTip)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    QAction* command = findChild<QAction*>(action);
    connect(button, &QToolButton::clicked, command, &QAction::trigger);
    button->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, button, &QToolButton::setEnabled);
    bar->addWidget(button);
}

QToolBar* frmNotePad::createToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(u"toolBar"_s);
    bar->setMovable(false);
    addButton(bar, u"bUndo"_s, u"Undo"_s, u"mnuEUndo"_s);
    addButton(bar, u"bCut"_s, u"Cut"_s, u"mnuECut"_s);
    addButton(bar, u"bCopy"_s, u"Copy"_s, u"mnuECopy"_s);
    addButton(bar, u"bPaste"_s, u"Paste"_s, u"mnuEPaste"_s);
    bar->addSeparator();
    addButton(bar, u"bFilter"_s, u"Filter"_s, u"mnuFFilter"_s, u"Replace specific chars by spaces"_s);
    addButton(bar, u"bIndentL"_s, u"Indent Left"_s, u"mnuFIndentL"_s, u"Tab the Block to the Left"_s);
    addButton(bar, u"bIndentR"_s, u"Indent Right"_s, u"mnuFIndentR"_s, u"Tab the Block to the Right"_s);
    addButton(bar, u"bMix"_s, u"Crd to ChoPro"_s, u"mnuCMix"_s, u"Convert two 'crd' lines into one 'chopro' lines"_s);
    bar->addSeparator();
    addButton(bar, u"bTitle"_s, u"{t}"_s, u"mnuDTitle"_s, u"Apply Title Directive {title:text}"_s);
    addButton(bar, u"bSubTitle"_s, u"{st}"_s, u"mnuDSubTitle"_s, u"Apply SubTitle Directive {subtitle:text}"_s);
    addButton(bar, u"bComment"_s, u"{c}"_s, u"mnuDComment"_s, u"Apply Comment Directive {comment:text}"_s);
    addButton(bar, u"bsoc"_s, u"{soc}"_s, u"mnuDStartChorus"_s, u"Apply Start of Chorus Directive {soc:text}"_s);
    addButton(bar, u"beoc"_s, u"{eoc}"_s, u"mnuDEndChorus"_s, u"Apply End of Chorus Directive {eoc:text}"_s);
    return bar;
}

QLayout* frmNotePad::createCloseButtons()
{
    auto* close = new QPushButton(u"Close"_s, this);
    close->setObjectName(u"bClose"_s);
    close->setToolTip(u"Put the text into the song (Ctrl+Enter)"_s);
    auto* cancel = new QPushButton(u"Cancel"_s, this);
    cancel->setObjectName(u"bCancel"_s);
    connect(close, &QPushButton::clicked, this, &frmNotePad::apply);
    // The button says what it does: no question.
    connect(cancel, &QPushButton::clicked, this, [this] { QDialog::reject(); });

    // Enter belongs to the text; Ctrl+Enter closes from anywhere.
    auto* closeKey = new QAction(this);
    closeKey->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    connect(closeKey, &QAction::triggered, this, &frmNotePad::apply);
    addAction(closeKey);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    row->addWidget(cancel);
    return row;
}

void frmNotePad::apply()
{
    m_song.StringToLinesRec(boxText());
    m_song.Modificada = true;
    accept();
}

void frmNotePad::reject()
{
    if (boxText() != m_loaded) {
        const Answer answer = m_desktop.messages.ask(
            u"The source text has changed.\nDo you want to put the changes into the song?"_s, windowTitle(),
            Buttons::YesNoCancel, Icon::Exclamation);
        if (answer == Answer::Cancel)
            return;
        if (answer == Answer::Yes) {
            apply();
            return;
        }
    }
    QDialog::reject();
}

bool frmNotePad::eventFilter(QObject* watched, QEvent* event)
{
    // Refusing the override lets the key reach the menu item's shortcut.
    if (watched == m_text && event->type() == QEvent::ShortcutOverride
        && isCommandKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lvx::song
