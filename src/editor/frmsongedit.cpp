// The Edit and Insert menus: the song clipboard, one level of undo, directive
// lines, and the whole-song chord edits.

#include "frmsong.h"

#include "songwidgets.h"

#include "app/desktopcontext.h"
#include "music/frmreplace.h"
#include "music/frmtranspose.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

void frmSong::focusCurrentSlot()
{
    completePendingAction();
    focusSlot(m_currentSlot);
}

void frmSong::takeHeaderText(QLineEdit* box)
{
    (box == tTitle ? m_song.title : m_song.subtitle) = box->text();
}

QLineEdit* frmSong::headerBox() const
{
    return tSubTitle->hasFocus() ? tSubTitle : tTitle;
}

void frmSong::BackUpLinea()
{
    m_undo.lines = m_song.lines;
    m_undo.TopLine = m_song.TopLine;
    m_undo.CurrentSlot = m_currentSlot;
    m_undo.caret = caretOf(m_currentSlot);
    m_undo.ActiveLine = ActiveLine;
    m_undo.ActiveChord = ActiveChord;
    setUndoEnabled(true);
}

void frmSong::mnuEUndo_Click()
{
    if (!m_undoEnabled)
        return;
    m_song.lines = m_undo.lines;
    m_song.TopLine = m_undo.TopLine;
    m_currentSlot = m_undo.CurrentSlot;
    ActiveLine = m_undo.ActiveLine;
    ActiveChord = m_undo.ActiveChord;
    setUndoEnabled(false);
    PaintPage();
    focusSlot(m_currentSlot, m_undo.caret);
}

void frmSong::mnuECopy_Click()
{
    if (!m_editingBody) {
        if (const QString selected = headerBox()->selectedText(); !selected.isEmpty())
            QGuiApplication::clipboard()->setText(selected);
        return;
    }
    const int index = lineIndexOf(m_currentSlot);
    if (index < 0)
        return;
    const SongBox* box = T[m_currentSlot];
    m_desktop.ClipLine = copyPart(m_song.lines.at(index), caretOf(m_currentSlot), int(box->selectedText().size()));
    m_desktop.clipLineFilled = true;
    if (const QString selected = box->selectedText(); !selected.isEmpty())
        QGuiApplication::clipboard()->setText(selected);
}

void frmSong::deleteInHeader(QLineEdit* box)
{
    if (!box->hasSelectedText() && box->cursorPosition() >= box->text().size())
        return;
    box->del();
    takeHeaderText(box);
    setModified();
}

void frmSong::mnuECut_Click()
{
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        if (const QString selected = box->selectedText(); !selected.isEmpty())
            QGuiApplication::clipboard()->setText(selected);
        deleteInHeader(box);
        return;
    }
    if (lineIndexOf(m_currentSlot) < 0)
        return;
    BackUpLinea();
    mnuECopy_Click();
    SongBox* box = T[m_currentSlot];
    const int length = int(box->selectedText().size());
    box->setCursorPosition(caretOf(m_currentSlot));
    for (int i = 0; i < length; ++i)
        Delete(m_currentSlot);
    setModified();
}

void frmSong::mnuEPaste_Click()
{
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        box->insert(QGuiApplication::clipboard()->text());
        takeHeaderText(box);
        setModified();
        return;
    }
    const int index = lineIndexOf(m_currentSlot);
    if (index < 0 || !m_desktop.clipLineFilled)
        return;
    const song::SongLine& clip = m_desktop.ClipLine;
    const int p = caretOf(m_currentSlot);
    if (clip.kind == song::KindLyric
        && m_song.lines.at(index).text.size() + clip.text.size() > song::Song::MaxLineLength) {
        m_desktop.messages.inform(u"The line would be longer than 32767 characters; nothing was pasted."_s);
        return;
    }
    BackUpLinea();
    pasteClip(m_song.lines, index, p, clip);
    PaintPage();
    setModified();
    focusSlot(m_currentSlot, clip.kind == song::KindLyric ? p + int(clip.text.size()) : -1);
}

void frmSong::mnuEDelete_Click()
{
    if (!m_editingBody) {
        deleteInHeader(headerBox());
        return;
    }
    if (lineIndexOf(m_currentSlot) < 0)
        return;
    BackUpLinea();
    SongBox* box = T[m_currentSlot];
    const int times = std::max(1, int(box->selectedText().size()));
    box->setCursorPosition(caretOf(m_currentSlot));
    for (int i = 0; i < times; ++i)
        Delete(m_currentSlot);
    setModified();
}

void frmSong::mnuEDeleteLine_Click()
{
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        box->clear();
        takeHeaderText(box);
        setModified();
        return;
    }
    if (lineIndexOf(m_currentSlot) < 0)
        return;
    BackUpLinea();
    DeleteLine(m_currentSlot);
    Form_Resize();
}

void frmSong::insertDirective(const QString& objectName)
{
    const auto& commands = insertCommands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const InsertCommand& c) { return c.objectName == objectName; });
    if (command == commands.end())
        return;
    const int index = std::max(0, lineIndexOf(m_currentSlot));
    if (command->snapshot)
        BackUpLinea();
    setModified();
    song::SongLine line;
    line.kind = command->kind;
    line.text = command->text;
    insertLine(m_song.lines, std::min(index, int(m_song.lines.size())), line);
    PaintPage();
    setModified();
    // The placeholder of an editable line is selected, so typing replaces it.
    if (SongBox* box = slot(m_currentSlot); box && !box->isReadOnly()) {
        focusSlot(m_currentSlot);
        box->selectAll();
    }
}

void frmSong::mnuIComment_Click()
{
    insertDirective(u"mnuIComment"_s);
}

void frmSong::mnuISOC_Click()
{
    insertDirective(u"mnuISOC"_s);
}

void frmSong::mnuIEOC_Click()
{
    insertDirective(u"mnuIEOC"_s);
}

void frmSong::mnuISOBlk_Click()
{
    insertDirective(u"mnuISOBlk"_s);
}

void frmSong::Transpose(int semitones)
{
    if (semitones == 0)
        return;
    BackUpLinea();
    m_song.Transpose(semitones);
    refreshModified();
}

void frmSong::ReplaceChords(const QString& find, const QString& replacement)
{
    m_song.ReplaceChords(find, replacement);
    refreshModified();
}

void frmSong::mnuETranspose_Click()
{
    music::frmTranspose dialog(m_desktop, this);
    dialog.exec();
}

void frmSong::mnuEReplace_Click()
{
    music::frmReplace dialog(m_desktop, this);
    dialog.exec();
}

} // namespace lvx::editor
