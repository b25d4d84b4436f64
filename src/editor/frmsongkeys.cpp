// Typing in the line boxes: the line records follow every keystroke and the
// chords keep standing over the characters they belong to.

#include "frmsong.h"

#include "songwidgets.h"

#include "app/desktopcontext.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

constexpr int TypingRepaintDelay = 100;

// Keys whose editing the menus own; the box must never act on them itself.
bool isEditingShortcut(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)
        || event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Undo)
        || event->matches(QKeySequence::Redo) || event->matches(QKeySequence::Delete)
        || event->matches(QKeySequence::DeleteEndOfWord) || event->matches(QKeySequence::DeleteStartOfWord)
        || event->matches(QKeySequence::DeleteEndOfLine) || event->matches(QKeySequence::DeleteCompleteLine)
        || (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Y);
}

} // namespace

int frmSong::lineIndexOf(int slotIndex) const
{
    const SongBox* box = slot(slotIndex);
    if (slotIndex < 1 || !box || box->tag.isEmpty())
        return -1;
    const int number = box->tag.toInt();
    return number >= 1 && number <= m_song.lines.size() ? number - 1 : -1;
}

int frmSong::slotOfLine(int lineIndex) const
{
    const QString tag = QString::number(lineIndex + 1);
    for (int i = 1; i < T.size(); ++i) {
        if (T.at(i)->tag == tag)
            return i;
    }
    return 0;
}

int frmSong::caretOf(int slotIndex) const
{
    const SongBox* box = slot(slotIndex);
    if (!box)
        return 0;
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

void frmSong::focusSlot(int slotIndex, int caret)
{
    SongBox* box = slot(slotIndex);
    if (!box || slotIndex < 1)
        return;
    m_currentSlot = slotIndex;
    m_editingBody = true;
    if (box->isVisibleTo(this) && isActiveSong())
        box->setFocus(Qt::OtherFocusReason);
    if (caret >= 0)
        box->setCursorPosition(std::min(caret, int(box->text().size())));
}

void frmSong::boxFocused(int slotIndex)
{
    if (m_painting || slotIndex < 1)
        return;
    completePendingAction();
    m_currentSlot = slotIndex;
    m_editingBody = true;
}

void frmSong::headerFocused()
{
    m_editingBody = false;
}

void frmSong::boxTextEdited(int slotIndex, const QString& text)
{
    const int index = lineIndexOf(slotIndex);
    if (index >= 0)
        m_song.lines[index].text = text;
}

void frmSong::boxKeyPress(int slotIndex, QKeyEvent* event, bool& handled)
{
    handled = true;
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    const qint16 kind = m_song.lines.at(index).kind;
    const int key = event->key();
    if (key == Qt::Key_Control)
        return;
    if (event->modifiers() == Qt::ControlModifier)
        setModified();
    if (isEditingShortcut(event))
        return;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (kind >= song::KindNewPage && caretOf(slotIndex) != 0)
            T[slotIndex]->end(false);
        InsertCR(slotIndex);
        return;
    case Qt::Key_PageUp:
        PageUp();
        return;
    case Qt::Key_PageDown:
        PageDown();
        return;
    case Qt::Key_Up:
        UpKey(slotIndex);
        return;
    case Qt::Key_Down:
        DownKey(slotIndex);
        return;
    case Qt::Key_Backspace:
        if (kind < song::KindNewPage)
            BackSpace(slotIndex);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier)) {
        handled = false;   // caret movement and selection stay with the box
        return;
    }
    if (text.at(0).unicode() < 32 || text.at(0).unicode() == 127 || kind >= song::KindNewPage)
        return;
    typeCommitted(slotIndex, text, handled);
}

void frmSong::typeCommitted(int slotIndex, const QString& text, bool& handled)
{
    handled = true;
    const int index = lineIndexOf(slotIndex);
    if (index < 0 || m_song.lines.at(index).kind >= song::KindNewPage)
        return;
    SongBox* box = T[slotIndex];
    const int selected = int(box->selectedText().size());
    if (box->text().size() - selected + text.size() > song::Song::MaxLineLength)
        return;
    song::SongLine& line = m_song.lines[index];
    if (selected > 0)
        shiftForReplace(line, box->selectionStart(), selected, int(text.size()));
    else
        shiftForReplace(line, box->cursorPosition(), 0, int(text.size()));
    m_currentSlot = slotIndex;
    setModified();
    DelayPaintPage(TypingRepaintDelay);
    handled = false;
}

void frmSong::BackSpace(int slotIndex)
{
    setModified();
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    SongBox* box = T[slotIndex];
    song::SongLine& line = m_song.lines[index];
    // A locked box's text is the line's name, written back from its kind: taking
    // characters out of it would only change what the window shows.
    if (box->isReadOnly() && (box->hasSelectedText() || box->cursorPosition() > 0))
        return;
    if (box->hasSelectedText()) {
        shiftForReplace(line, box->selectionStart(), int(box->selectedText().size()), 0);
        box->del();
    } else if (const int s = box->cursorPosition(); s > 0) {
        shiftForBackspace(line, s);
        box->backspace();
    } else {
        if (index == 0)
            return;
        const int caret = joinWithPrevious(m_song.lines, index);
        if (slotIndex == 1) {
            if (m_song.TopLine > 1)
                --m_song.TopLine;
            m_currentSlot = 1;
        } else {
            m_currentSlot = slotIndex - 1;
        }
        PaintPage();
        focusSlot(m_currentSlot, caret);
        return;
    }
    line.text = box->text();
    m_currentSlot = slotIndex;
    DelayPaintPage(TypingRepaintDelay);
}

void frmSong::Delete(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index < 0 || m_song.lines.at(index).kind >= song::KindNewPage)
        return;
    SongBox* box = T[slotIndex];
    song::SongLine& line = m_song.lines[index];
    const int s = box->cursorPosition();
    if (s < box->text().size()) {
        if (box->isReadOnly())
            return;
        line.text = box->text();
        deleteCharacter(line, s);
        box->setText(line.text);
        box->setCursorPosition(s);
        m_currentSlot = slotIndex;
        DelayPaintPage(TypingRepaintDelay);
        return;
    }
    if (index + 1 >= m_song.lines.size())
        return;
    const int caret = joinWithNext(m_song.lines, index);
    m_currentSlot = slotIndex;
    PaintPage();
    focusSlot(slotIndex, caret);
}

void frmSong::InsertCR(int slotIndex)
{
    setModified();
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    splitLine(m_song.lines, index, caretOf(slotIndex));
    PaintPage();
    DownKey(slotIndex);
    if (SongBox* box = slot(m_currentSlot))
        box->setCursorPosition(0);
}

void frmSong::UpKey(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index <= 0)
        return;
    if (slotIndex > 1) {
        focusSlot(slotIndex - 1);
        return;
    }
    m_currentSlot = 1;
    if (m_song.TopLine > 1)
        --m_song.TopLine;
    PaintPage();
}

void frmSong::DownKey(int slotIndex)
{
    if (lineIndexOf(slotIndex + 1) >= 0 && T[slotIndex + 1]->isVisibleTo(this)) {
        focusSlot(slotIndex + 1);
        return;
    }
    const int index = lineIndexOf(slotIndex);
    if (index < 0 || index + 1 >= m_song.lines.size())
        return;
    ++m_song.TopLine;
    m_currentSlot = slotIndex;
    PaintPage();
}

void frmSong::PageDown()
{
    VS->setValue(std::min(VS->value() + VS->pageStep(), VS->maximum()));
}

void frmSong::PageUp()
{
    if (VS->value() > VS->minimum()) {
        VS->setValue(std::max(VS->value() - VS->pageStep(), VS->minimum()));
    } else if (!m_song.lines.isEmpty()) {
        focusSlot(1);
    }
}

void frmSong::DeleteLine(int slotIndex)
{
    setModified();
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    const bool wasLast = index + 1 == m_song.lines.size();
    removeLine(m_song.lines, index);
    m_currentSlot = wasLast ? slotIndex - 1 : slotIndex;
}

} // namespace lvx::editor
