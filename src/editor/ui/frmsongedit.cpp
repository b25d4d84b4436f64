// The Edit menu: the song clipboard, undo and redo, and the whole-song chord
// edits.

#include "editor/ui/frmsong.h"

#include "editor/clipformat.h"
#include "editor/ui/findbar.h"

#include "editor/ui/songhost.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"
#include "music/ui/frmreplace.h"
#include "music/ui/frmtranspose.h"
#include "song/ui/frmsongproperties.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>

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
    m_history.record(currentState());
    updateUndoActions();
}

void frmSong::recordIfChanged(const SongState& before)
{
    if (m_song.lines != before.lines || m_song.title != before.title || m_song.subtitle != before.subtitle) {
        m_history.record(before);
        updateUndoActions();
    }
}

void frmSong::recordTyping(int target, int position, int removed, const QString& inserted)
{
    const bool couldUndo = m_history.canUndo();
    const bool couldRedo = m_history.canRedo();
    m_history.recordTyping(TextEdit{target, position, removed, inserted}, [this] { return currentState(); });
    if (couldUndo != m_history.canUndo() || couldRedo != m_history.canRedo())
        updateUndoActions();
}

SongState frmSong::currentState() const
{
    SongState state;
    state.lines = m_song.lines;
    state.title = m_song.title;
    state.subtitle = m_song.subtitle;
    state.TopLine = m_song.TopLine;
    if (m_editingBody) {
        state.caretLine = std::max(0, lineIndexOf(m_currentSlot));
        state.caret = caretOf(m_currentSlot);
    } else {
        state.caretLine = headerBox() == tSubTitle ? SubTitleBox : TitleBox;
        state.caret = headerBox()->cursorPosition();
    }
    state.ActiveLine = ActiveLine;
    state.ActiveChord = ActiveChord;
    return state;
}

void frmSong::restoreState(const SongState& state)
{
    m_span.reset();
    Timer->stop();
    m_song.lines = state.lines;
    m_song.title = state.title;
    m_song.subtitle = state.subtitle;
    if (tTitle->text() != state.title)
        tTitle->setText(state.title);
    if (tSubTitle->text() != state.subtitle)
        tSubTitle->setText(state.subtitle);
    ActiveLine = state.ActiveLine;
    ActiveChord = state.ActiveChord;
    m_song.TopLine = state.TopLine;
    m_found.reset();
    // Undone back to the text last loaded or saved, the song is unchanged again.
    m_song.Modificada = !m_song.matchesSaved();
    refreshModified();
    if (state.caretLine >= 0) {
        m_editingBody = true;
        showCaretAt(LinePosition{std::min(state.caretLine, int(m_song.lines.size()) - 1), state.caret});
        return;
    }
    PaintPage();
    QLineEdit* box = state.caretLine == SubTitleBox ? tSubTitle : tTitle;
    m_editingBody = false;
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(state.caret);
}

void frmSong::updateUndoActions()
{
    m_undoAction->setEnabled(m_history.canUndo());
    m_redoAction->setEnabled(m_history.canRedo());
    if (m_host)
        m_host->setUndoButtons(m_history.canUndo(), m_history.canRedo());
}

void frmSong::mnuEUndo_Click()
{
    if (const std::optional<SongState> state = m_history.undo(currentState()))
        restoreState(*state);
    updateUndoActions();
}

void frmSong::mnuERedo_Click()
{
    if (const std::optional<SongState> state = m_history.redo(currentState()))
        restoreState(*state);
    updateUndoActions();
}

void frmSong::headerEdited(QLineEdit* box)
{
    const QString& before = box == tTitle ? m_song.title : m_song.subtitle;
    const QString after = box->text();
    // The keystroke's change: what lies between the parts both texts share.
    qsizetype start = 0;
    while (start < before.size() && start < after.size() && before.at(start) == after.at(start))
        ++start;
    qsizetype end = 0;
    while (end < before.size() - start && end < after.size() - start
           && before.at(before.size() - 1 - end) == after.at(after.size() - 1 - end))
        ++end;
    recordTyping(box == tTitle ? TitleBox : SubTitleBox, int(start), int(before.size() - start - end),
                 after.mid(start, after.size() - start - end));
    takeHeaderText(box);
    setModified();
}

void frmSong::mnuECopy_Click()
{
    if (m_findBar->edit(&QLineEdit::copy))
        return;
    if (!m_editingBody) {
        if (const QString selected = headerBox()->selectedText(); !selected.isEmpty())
            QGuiApplication::clipboard()->setText(selected);
        return;
    }
    if (m_span) {
        putOnClipboard(copyRange(m_song.lines, *m_span));
        // The line clipboard holds one line; what was copied last is on the system clipboard.
        m_desktop.clearClipLine();
        return;
    }
    const int index = lineIndexOf(m_currentSlot);
    if (index < 0)
        return;
    const SongBox* box = T[m_currentSlot];
    const song::SongLine part = copyPart(m_song.lines.at(index), caretOf(m_currentSlot), int(box->selectedText().size()));
    // Nothing selected in a lyric: both clipboards keep what they hold.
    if (part.kind == song::KindLyric && part.text.isEmpty())
        return;
    m_desktop.ClipLine = part;
    m_desktop.clipLineFilled = true;
    putOnClipboard({part});
}

void frmSong::deleteInHeader(QLineEdit* box)
{
    if (!box->hasSelectedText() && box->cursorPosition() >= box->text().size())
        return;
    BackUpLinea();
    box->del();
    takeHeaderText(box);
    setModified();
}

void frmSong::mnuECut_Click()
{
    if (m_findBar->edit(&QLineEdit::cut))
        return;
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        if (const QString selected = box->selectedText(); !selected.isEmpty())
            QGuiApplication::clipboard()->setText(selected);
        deleteInHeader(box);
        return;
    }
    if (m_span) {
        mnuECopy_Click();
        deleteSelection({});
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
    if (m_findBar->edit(&QLineEdit::paste))
        return;
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        BackUpLinea();
        if (isHeaderPlaceholder(box->text()))
            box->selectAll();
        // A title is one line: the lines of a text copied over several go in side by side.
        QString text = QGuiApplication::clipboard()->text();
        text.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ');
        box->insert(text);
        takeHeaderText(box);
        setModified();
        return;
    }
    if (lineIndexOf(m_currentSlot) < 0)
        return;
    // The program's own lines, else another program's text read as a song, else the line clipboard.
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && !data->hasFormat(QString::fromLatin1(ClipMimeType)) && data->text().size() > MaxPastedText) {
        m_desktop.messages.inform(u"The clipboard holds more text than a song can; nothing was pasted."_s);
        return;
    }
    std::optional<Lines> clip = clipFromMimeData(data, m_desktop.context);
    if (!clip && m_desktop.clipLineFilled)
        clip = Lines{m_desktop.ClipLine};
    if (clip)
        pasteRecords(*clip);
}

void frmSong::mnuEDelete_Click()
{
    if (m_findBar->edit(&QLineEdit::del))
        return;
    if (!m_editingBody) {
        deleteInHeader(headerBox());
        return;
    }
    if (m_span) {
        deleteSelection({});
        return;
    }
    const int index = lineIndexOf(m_currentSlot);
    if (index < 0)
        return;
    SongBox* box = T[m_currentSlot];
    // A run of Del keys goes back as one step, as typing does.
    if (box->hasSelectedText())
        BackUpLinea();
    else if (box->cursorPosition() < box->text().size() && takesTyping(m_song.lines.at(index).kind))
        recordTyping(index, box->cursorPosition(), 1, QString());
    const int times = std::max(1, int(box->selectedText().size()));
    box->setCursorPosition(caretOf(m_currentSlot));
    // Delete marks the song when it changes it (not on a line that takes no
    // typing, nor at the end of the song).
    for (int i = 0; i < times; ++i)
        Delete(m_currentSlot);
}

void frmSong::mnuEDeleteLine_Click()
{
    // In the find bar the line is its words.
    if (m_findBar->edit(&QLineEdit::clear))
        return;
    if (!m_editingBody) {
        QLineEdit* box = headerBox();
        BackUpLinea();
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

void frmSong::Transpose(int semitones)
{
    if (semitones == 0)
        return;
    const SongState before = currentState();
    m_song.Transpose(semitones);
    recordIfChanged(before);
    refreshModified();
}

void frmSong::TransposeToKey(const QString& key)
{
    const SongState before = currentState();
    m_song.TransposeToKey(key);
    recordIfChanged(before);
    refreshModified();
}

QString frmSong::SongKey() const
{
    return m_song.keyName();
}

void frmSong::ReplaceChords(const QString& find, const QString& replacement)
{
    const SongState before = currentState();
    m_song.ReplaceChords(find, replacement);
    recordIfChanged(before);
    refreshModified();
}

void frmSong::mnuETranspose_Click()
{
    music::frmTranspose dialog(m_desktop, this);
    dialog.exec();
}

// The properties change as one step, undone with one Undo; Cancel changes nothing.
void frmSong::mnuFProperties_Click()
{
    song::frmSongProperties dialog(song::propertyRows(m_song), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SongState before = currentState();
    song::applyPropertyRows(m_song, dialog.rows());
    if (tTitle->text() != m_song.title)
        tTitle->setText(m_song.title);
    if (tSubTitle->text() != m_song.subtitle)
        tSubTitle->setText(m_song.subtitle);
    recordIfChanged(before);
    refreshModified();
    PaintPage();
}

void frmSong::mnuEReplace_Click()
{
    music::frmReplace dialog(m_desktop, this);
    dialog.exec();
}

} // namespace lvx::editor
