// Typing in the line boxes: the line records follow every keystroke and the
// chords keep standing over the characters they belong to.

#include "editor/ui/frmsong.h"

#include "editor/ui/songhost.h"
#include "editor/ui/songwidgets.h"

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

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Meta
        || key == Qt::Key_CapsLock || key == Qt::Key_Control;
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
    if (box->isVisibleTo(this) && keysToLines())
        takeFocus(box);
    if (caret >= 0)
        box->setCursorPosition(std::min(caret, int(box->text().size())));
}

void frmSong::focusAtX(int slotIndex, int x)
{
    focusSlot(slotIndex);
    SongBox* box = slot(slotIndex);
    if (box && slotIndex >= 1 && x >= 0)
        box->setCursorPosition(box->cursorPositionAt(QPoint(x - box->x(), box->height() / 2)));
}

void frmSong::showCaretAt(LinePosition position)
{
    m_song.TopLine = std::min(m_song.TopLine, position.lineIndex + 1);
    for (int tries = 0; tries < 8; ++tries) {
        m_caretRequest = CaretRequest{true, position.lineIndex, position.offset, -1};
        PaintPage();
        if (slotOfLine(position.lineIndex) > 0 || m_song.TopLine >= m_lastLayout.scrollMaximum)
            break;
        // Below the view: scroll down until the line shows.
        m_song.TopLine += std::max(1, position.lineIndex + 1 - m_lastLayout.LastShownLine);
    }
    focusSlot(m_currentSlot);
}

void frmSong::boxFocused(int slotIndex, Qt::FocusReason reason)
{
    if (m_painting)
        return;
    // The focus chain (Tab from the header, or a hiding window passing the
    // focus on) is not the user pointing at a line: the caret goes back to the
    // line it was on.
    const bool chained = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (chained && slotIndex != m_currentSlot && m_currentSlot >= 1 && slot(m_currentSlot)
        && slot(m_currentSlot)->isVisibleTo(this)) {
        focusSlot(m_currentSlot);
        return;
    }
    if (slotIndex < 1)
        return;
    m_leftAnchor.fresh = reason == Qt::MouseFocusReason && m_leftAnchor.slot > 0;
    completePendingAction();
    m_currentSlot = slotIndex;
    m_editingBody = true;
}

void frmSong::headerFocused(QLineEdit* box, Qt::FocusReason reason)
{
    if (m_painting)
        return;
    // Only the user takes the caret into the header, by a click or Tab, or back
    // to where it was. The frame focusing the first box of a window is not that,
    // nor Qt passing the focus on by Tab when Tile hides the window: a Tab
    // pressed in the lyrics has already left them by tabToHeader.
    const bool chosen = reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason || !m_editingBody;
    if (chosen) {
        clearSelection();
        m_leftAnchor = {};
        m_editingBody = false;
        return;
    }
    box->deselect();
    if (slot(m_currentSlot) && m_currentSlot >= 1)
        focusSlot(m_currentSlot);
}

void frmSong::tabToHeader(bool forward)
{
    clearSelection();
    m_leftAnchor = {};
    completePendingAction();
    m_editingBody = false;
    QLineEdit* box = forward ? tTitle : tSubTitle;
    box->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
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
    const bool typing = takesTyping(m_song.lines.at(index).kind);
    const int key = event->key();
    if (key == Qt::Key_Control || selectionKey(event))
        return;
    // The editing shortcuts are the menu's commands, which mark the song when they change it.
    if (isEditingShortcut(event))
        return;
    if (const ChordKey chordKey = boxChordKey(key, event->modifiers()); chordKey != ChordKey::None) {
        focusChordFromCaret(slotIndex, chordKey == ChordKey::ToChordAfter);
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
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
        if (typing)
            BackSpace(slotIndex);
        else
            refuseTyping(index);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier)) {
        handled = false;   // caret movement and selection stay with the box
        // A caret moved ends the run of typing; Shift held for a capital does not.
        if (!isModifierKey(key))
            m_history.endRun();
        return;
    }
    if (text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return;
    typeCommitted(slotIndex, text, handled);
}

void frmSong::refuseTyping(int lineIndex)
{
    if (m_host)
        m_host->showStatus(typingRefusal(m_song.lines.at(lineIndex)));
}

void frmSong::typeCommitted(int slotIndex, const QString& text, bool& handled)
{
    handled = true;
    if (m_span) {
        deleteSelection(text);
        return;
    }
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    if (!takesTyping(m_song.lines.at(index).kind)) {
        refuseTyping(index);
        return;
    }
    SongBox* box = T[slotIndex];
    const int selected = int(box->selectedText().size());
    if (box->text().size() - selected + text.size() > song::Song::MaxLineLength)
        return;
    const int start = selected > 0 ? box->selectionStart() : box->cursorPosition();
    recordTyping(index, start, selected, text);
    shiftForReplace(m_song.lines[index], start, selected, int(text.size()));
    m_currentSlot = slotIndex;
    setModified();
    DelayPaintPage(TypingRepaintDelay);
    handled = false;
}

void frmSong::BackSpace(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    SongBox* box = T[slotIndex];
    // The undo step is taken before the line is touched: it shares the lines until then.
    if (box->hasSelectedText()) {
        recordTyping(index, box->selectionStart(), int(box->selectedText().size()), QString());
        shiftForReplace(m_song.lines[index], box->selectionStart(), int(box->selectedText().size()), 0);
        box->del();
    } else if (const int s = box->cursorPosition(); s > 0) {
        recordTyping(index, s - 1, 1, QString());
        shiftForBackspace(m_song.lines[index], s);
        box->backspace();
    } else {
        if (index == 0)
            return;
        // Next to a structural line only an empty line goes; otherwise the caret just moves up.
        const SongState before = currentState();
        const std::optional<LinePosition> joined = joinLines(m_song.lines, index - 1);
        if (joined)
            setModified();
        recordIfChanged(before);
        showCaretAt(joined.value_or(LinePosition{index - 1, int(m_song.lines.at(index - 1).text.size())}));
        return;
    }
    m_song.lines[index].text = box->text();
    m_currentSlot = slotIndex;
    setModified();
    DelayPaintPage(TypingRepaintDelay);
}

void frmSong::Delete(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    SongBox* box = T[slotIndex];
    song::SongLine& line = m_song.lines[index];
    const int s = box->cursorPosition();
    if (s < box->text().size()) {
        if (!takesTyping(line.kind))
            return;
        line.text = box->text();
        deleteCharacter(line, s);
        box->setText(line.text);
        box->setCursorPosition(s);
        m_currentSlot = slotIndex;
        setModified();
        DelayPaintPage(TypingRepaintDelay);
        return;
    }
    const SongState before = currentState();
    const std::optional<LinePosition> joined = joinLines(m_song.lines, index);
    if (!joined)
        return;
    recordIfChanged(before);
    setModified();
    showCaretAt(*joined);
}

void frmSong::InsertCR(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    BackUpLinea();
    setModified();
    // A read-only line shows no caret to split at: Enter there always opens a
    // lyric line below it.
    if (isReadOnlyLine(m_song.lines.at(index)))
        insertLine(m_song.lines, index + 1, song::SongLine{});
    else
        splitLine(m_song.lines, index, caretOf(slotIndex));
    showCaretAt(LinePosition{index + 1, 0});
}

void frmSong::UpKey(int slotIndex)
{
    const int index = lineIndexOf(slotIndex);
    if (index <= 0)
        return;
    const int x = caretX();
    if (slotIndex > 1) {
        focusAtX(slotIndex - 1, x);
        return;
    }
    // The song's facts have no box: the caret goes to the line above them.
    int above = index - 1;
    while (above >= 0 && m_song.lines.at(above).metadata)
        --above;
    if (above < 0)
        return;
    m_currentSlot = 1;
    m_caretRequest = CaretRequest{true, above, -1, x};
    m_song.TopLine = above + 1;
    PaintPage();
}

void frmSong::DownKey(int slotIndex)
{
    const int x = caretX();
    if (lineIndexOf(slotIndex + 1) >= 0 && T[slotIndex + 1]->isVisibleTo(this)) {
        focusAtX(slotIndex + 1, x);
        return;
    }
    const int index = lineIndexOf(slotIndex);
    if (index < 0)
        return;
    int below = index + 1;
    while (below < m_song.lines.size() && m_song.lines.at(below).metadata)
        ++below;
    if (below >= m_song.lines.size())
        return;
    // A taller line coming in at the bottom can leave the next line out of
    // sight: the view scrolls on until it shows.
    do {
        m_caretRequest = CaretRequest{true, below, -1, x};
        ++m_song.TopLine;
        PaintPage();
    } while (slotOfLine(below) == 0 && m_song.TopLine < m_lastLayout.scrollMaximum);
}

void frmSong::PageDown()
{
    scrollTo(std::min(VS->value() + VS->pageStep(), VS->maximum()), false);
}

void frmSong::PageUp()
{
    if (VS->value() > VS->minimum()) {
        scrollTo(std::max(VS->value() - VS->pageStep(), VS->minimum()), false);
    } else if (!m_song.lines.isEmpty()) {
        focusAtX(1, caretX());
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
