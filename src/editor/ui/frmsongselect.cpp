// Selections over lines: the keys and the mouse that make them, their
// highlight across the line boxes, and cutting, copying and pasting them. The
// rules on the records are linerange.h's; within one line the box selects.

#include "editor/ui/frmsong.h"

#include "editor/clipformat.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

bool isPrintable(const QString& text)
{
    return !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127;
}

} // namespace

LinePosition frmSong::caretPosition() const
{
    const SongBox* box = slot(m_currentSlot);
    const int index = lineIndexOf(m_currentSlot);
    return index < 0 || !box ? LinePosition{} : LinePosition{index, box->cursorPosition()};
}

LinePosition frmSong::selectionAnchor() const
{
    if (m_span)
        return m_span->anchor;
    const LinePosition caret = caretPosition();
    const SongBox* box = slot(m_currentSlot);
    if (!box || m_currentSlot < 1 || !box->hasSelectedText())
        return caret;
    // The end of the box's selection that is not where its cursor is.
    const int anchor = box->cursorPosition() == box->selectionStart() ? box->selectionEnd() : box->selectionStart();
    return {caret.lineIndex, anchor};
}

LinePosition frmSong::songStart() const
{
    for (int i = 0; i < m_song.lines.size(); ++i) {
        if (!m_song.lines.at(i).metadata)
            return {i, 0};
    }
    return {};
}

LinePosition frmSong::songEnd() const
{
    for (int i = int(m_song.lines.size()) - 1; i >= 0; --i) {
        if (!m_song.lines.at(i).metadata)
            return {i, int(m_song.lines.at(i).text.size())};
    }
    return {};
}

void frmSong::selectTo(LinePosition anchor, LinePosition caret)
{
    const LineRange range{anchor, caret};
    m_span = range.spansLines() ? std::optional<LineRange>(range) : std::nullopt;
    showCaretAt(caret);
    // Within one line the box selects, as it does by itself.
    SongBox* box = slot(m_currentSlot);
    if (!m_span && box && lineIndexOf(m_currentSlot) == caret.lineIndex)
        box->setSelection(anchor.offset, caret.offset - anchor.offset);
}

void frmSong::showSelection()
{
    const QScopedValueRollback quiet(m_painting, true);
    for (int i = 1; i < T.size(); ++i) {
        SongBox* box = T.at(i);
        const int index = lineIndexOf(i);
        std::optional<LineSpan> span;
        if (m_span && index >= 0)
            span = spanOnLine(m_song.lines, *m_span, index);
        box->showSelectedEnd(span && span->throughEnd);
        if (!m_span) {
            // A selection left in a box the caret is not in is an old one.
            if (i != m_currentSlot && box->hasSelectedText())
                box->deselect();
            continue;
        }
        const bool caretBox = index == m_span->caret.lineIndex;
        if (!span || span->start == span->end) {
            if (box->hasSelectedText())
                box->deselect();
            if (caretBox)
                box->setCursorPosition(m_span->caret.offset);
            continue;
        }
        const int length = span->end - span->start;
        // The box that holds the caret keeps its cursor at the caret's end.
        if (caretBox && m_span->caret < m_span->anchor)
            box->setSelection(span->end, -length);
        else
            box->setSelection(span->start, length);
    }
}

void frmSong::clearSelection()
{
    if (!m_span)
        return;
    const LinePosition caret = m_span->caret;
    m_span.reset();
    showSelection();
    if (const int shown = slotOfLine(caret.lineIndex); shown > 0)
        T[shown]->setCursorPosition(caret.offset);
}

// Keys that make or change a selection over lines, or act on one; true when
// the key is done with.
bool frmSong::selectionKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier
                                                                  | Qt::AltModifier | Qt::MetaModifier);
    const bool extend = modifiers.testFlag(Qt::ShiftModifier);
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (modifiers.testFlag(Qt::ControlModifier)) {
        if (key == Qt::Key_A && !extend) {
            mnuESelectAll_Click();
            return true;
        }
        if (key != Qt::Key_Home && key != Qt::Key_End)
            return false;
        const LinePosition anchor = selectionAnchor();
        const LinePosition to = key == Qt::Key_Home ? songStart() : songEnd();
        if (extend) {
            selectTo(anchor, to);
        } else {
            clearSelection();
            showCaretAt(to);
        }
        return true;
    }
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    if (extend && vertical) {
        const LinePosition anchor = selectionAnchor();
        // The caret's line may have scrolled out of sight: the caret moves from where it is.
        if (m_span && slotOfLine(m_span->caret.lineIndex) != m_currentSlot)
            showCaretAt(m_span->caret);
        const LinePosition from = m_span ? m_span->caret : caretPosition();
        // The box's cursor stands where the caret is, not at the end of a directive the selection takes whole.
        m_span.reset();
        if (SongBox* box = slot(m_currentSlot); box && lineIndexOf(m_currentSlot) == from.lineIndex)
            box->setCursorPosition(from.offset);
        if (key == Qt::Key_Up)
            UpKey(m_currentSlot);
        else if (key == Qt::Key_Down)
            DownKey(m_currentSlot);
        else if (key == Qt::Key_PageUp)
            PageUp();
        else
            PageDown();
        LinePosition to = caretPosition();
        // Up and Down keep the caret's place on the screen, which on a line that
        // takes no text is not a place in it: there the selection stops at the
        // line's start, as at column 0, so Shift+Down onto an end mark leaves it out.
        if (to.lineIndex != from.lineIndex && isReadOnlyLine(m_song.lines.at(to.lineIndex)))
            to.offset = 0;
        // On the song's first or last line the caret goes to its start or end.
        if (to.lineIndex == from.lineIndex) {
            const bool up = key == Qt::Key_Up || key == Qt::Key_PageUp;
            to.offset = up ? 0 : int(m_song.lines.at(to.lineIndex).text.size());
        }
        selectTo(anchor, to);
        return true;
    }
    return spanKey(event, event->text());
}

// Shift with Left, Right, Home and End over a line break, and the keys that
// act on a selection over lines.
bool frmSong::spanKey(QKeyEvent* event, const QString& typed)
{
    const int key = event->key();
    const bool extend = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool sideways = key == Qt::Key_Left || key == Qt::Key_Right;
    const LinePosition caret = m_span ? m_span->caret : caretPosition();
    if (extend && sideways && lineIndexOf(m_currentSlot) >= 0) {
        const int length = int(m_song.lines.at(caret.lineIndex).text.size());
        LinePosition to = caret;
        if (key == Qt::Key_Left && caret.offset > 0) {
            --to.offset;
        } else if (key == Qt::Key_Right && caret.offset < length) {
            ++to.offset;
        } else {
            // Over the line break, to the next line the view shows (facts have none).
            const int step = key == Qt::Key_Left ? -1 : 1;
            int next = caret.lineIndex + step;
            while (next >= 0 && next < m_song.lines.size() && m_song.lines.at(next).metadata)
                next += step;
            if (next < 0 || next >= m_song.lines.size())
                return m_span.has_value();
            to = {next, step < 0 ? int(m_song.lines.at(next).text.size()) : 0};
        }
        if (!m_span && to.lineIndex == caret.lineIndex)
            return false;   // the box moves its own selection
        selectTo(selectionAnchor(), to);
        return true;
    }
    if (!m_span)
        return false;
    if (extend && (key == Qt::Key_Home || key == Qt::Key_End)) {
        const int length = int(m_song.lines.at(caret.lineIndex).text.size());
        selectTo(m_span->anchor, {caret.lineIndex, key == Qt::Key_Home ? 0 : length});
        return true;
    }
    if (sideways && !extend) {
        const LinePosition to = key == Qt::Key_Left ? m_span->first() : m_span->last();
        clearSelection();
        showCaretAt(to);
        return true;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        clearSelection();
        return false;
    case Qt::Key_Backspace:
        deleteSelection({});
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        deleteSelection({});
        InsertCR(m_currentSlot);
        return true;
    default:
        break;
    }
    if (!isPrintable(typed))
        return false;
    deleteSelection(typed);
    return true;
}

void frmSong::mnuESelectAll_Click()
{
    if (!m_editingBody) {
        headerBox()->selectAll();
        return;
    }
    selectTo(songStart(), songEnd());
}

void frmSong::boxFocusLeaving(int slotIndex)
{
    if (m_painting || slotIndex != m_currentSlot || lineIndexOf(slotIndex) < 0)
        return;
    m_leftAnchor = {slotIndex, selectionAnchor(), false};
}

bool frmSong::boxShiftClicked(int slotIndex, QPoint position)
{
    const int line = lineIndexOf(slotIndex);
    const bool cameFromAnotherBox = m_leftAnchor.fresh && m_leftAnchor.slot != slotIndex;
    m_leftAnchor.fresh = false;
    if (line < 0)
        return false;
    const LinePosition anchor = m_span ? m_span->anchor : cameFromAnotherBox ? m_leftAnchor.at : selectionAnchor();
    if (!m_span && anchor.lineIndex == line)
        return false;   // the box extends its own selection
    selectTo(anchor, {line, T[slotIndex]->cursorPositionAt(position)});
    return true;
}

void frmSong::boxPressed(int slotIndex)
{
    m_leftAnchor.fresh = false;
    if (m_span) {
        // A click ends the selection; the box has put the caret where it was clicked.
        m_span.reset();
        showSelection();
    }
    const int line = lineIndexOf(slotIndex);
    m_dragAnchor = line < 0 ? std::nullopt : std::optional(LinePosition{line, T[slotIndex]->cursorPosition()});
}

SongBox* frmSong::boxAtY(int y) const
{
    // A point above a box, among its chords, belongs to its line.
    SongBox* last = nullptr;
    for (int i = 1; i < T.size(); ++i) {
        SongBox* box = T.at(i);
        if (lineIndexOf(i) < 0 || !box->isVisibleTo(this))
            continue;
        if (y < box->y() + box->height())
            return box;
        last = box;
    }
    return last;
}

bool frmSong::boxDragged(int slotIndex, QPoint windowPosition)
{
    if (!m_dragAnchor)
        return false;
    SongBox* target = boxAtY(windowPosition.y());
    const int line = target ? lineIndexOf(target->index()) : -1;
    if (line < 0)
        return false;
    if (line == m_dragAnchor->lineIndex) {
        // Back on the line the drag started on: the box selects by itself again, from there.
        if (m_span) {
            m_span.reset();
            showSelection();
            T[slotIndex]->setCursorPosition(m_dragAnchor->offset);
        }
        return target->index() != slotIndex;
    }
    int offset = target->cursorPositionAt(target->mapFrom(this, windowPosition));
    if (windowPosition.y() >= target->y() + target->height())
        offset = int(target->text().size());
    m_span = LineRange{*m_dragAnchor, {line, offset}};
    showSelection();
    return true;
}

void frmSong::boxReleased()
{
    m_dragAnchor.reset();
    // The caret goes to the end of the selection the drag made.
    if (m_span)
        selectTo(m_span->anchor, m_span->caret);
}

void frmSong::putOnClipboard(const Lines& clip)
{
    QGuiApplication::clipboard()->setMimeData(clipMimeData(clip));
}

void frmSong::deleteSelection(const QString& typed)
{
    if (!m_span)
        return;
    const LineRange range = *m_span;
    BackUpLinea();
    m_span.reset();
    const LinePosition caret = typeOverRange(m_song.lines, range, typed);
    // Typing on after it goes with the same step.
    if (typed.isEmpty())
        m_history.endRun();
    else
        m_history.startRun(TextEdit{caret.lineIndex, caret.offset - int(typed.size()), 0, typed});
    setModified();
    showCaretAt(caret);
}

void frmSong::pasteRecords(const Lines& clip)
{
    const int index = lineIndexOf(m_currentSlot);
    if (clip.isEmpty() || index < 0)
        return;
    Lines lines = m_song.lines;
    LinePosition at{index, caretOf(m_currentSlot)};
    if (m_span)
        at = deleteRange(lines, *m_span);
    const song::SongLine& first = clip.first();
    if (clip.size() == 1 && first.kind == song::KindLyric && at.lineIndex < lines.size()
        && lines.at(at.lineIndex).text.size() + first.text.size() > song::Song::MaxLineLength) {
        m_desktop.messages.inform(u"The line would be longer than 32767 characters; nothing was pasted."_s);
        return;
    }
    const LinePosition caret = pasteLines(lines, at, clip);
    if (lines == m_song.lines)
        return;
    BackUpLinea();
    m_span.reset();
    m_song.lines = std::move(lines);
    setModified();
    showCaretAt(caret);
}

} // namespace lvx::editor
