#include "undohistory.h"

#include <algorithm>
#include <chrono>

namespace lvx::editor {

namespace {

bool holdsWord(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return !c.isSpace(); });
}

// One step back or forward: the current state goes to the other side.
std::optional<SongState> step(QList<SongState>& from, QList<SongState>& to, const SongState& current)
{
    if (from.isEmpty())
        return std::nullopt;
    to.append(current);
    return from.takeLast();
}

} // namespace

UndoHistory::UndoHistory()
    : m_clock([] {
        return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch()).count());
    })
{
}

void UndoHistory::record(const SongState& before)
{
    m_undo.append(before);
    if (m_undo.size() > Limit)
        m_undo.removeFirst();
    m_redo.clear();
    endRun();
}

void UndoHistory::endRun()
{
    m_last.reset();
    m_wordTyped = false;
}

void UndoHistory::noteTyping(const TextEdit& edit, qint64 msecs)
{
    m_last = edit;
    m_lastMsecs = msecs;
    m_wordTyped = m_wordTyped || holdsWord(edit.inserted);
}

std::optional<SongState> UndoHistory::undo(const SongState& current)
{
    endRun();
    return step(m_undo, m_redo, current);
}

std::optional<SongState> UndoHistory::redo(const SongState& current)
{
    endRun();
    return step(m_redo, m_undo, current);
}

bool UndoHistory::continuesRun(const TextEdit& edit, qint64 msecs) const
{
    if (!m_last || m_last->target != edit.target || msecs - m_lastMsecs > PauseMsecs)
        return false;
    const TextEdit& last = *m_last;
    // Typing over a selection starts a step; the typing after it goes with it.
    const bool typing = edit.removed == 0 && !edit.inserted.isEmpty();
    const bool lastTyping = !last.inserted.isEmpty();
    const bool deleting = edit.inserted.isEmpty() && edit.removed > 0;
    const bool lastDeleting = last.inserted.isEmpty() && last.removed > 0;
    if (typing && lastTyping) {
        // A word goes back with the blanks typed before and after it: a letter
        // after a blank starts the next step once this one holds a word.
        const bool newWord = m_wordTyped && last.inserted.back().isSpace() && !edit.inserted.front().isSpace();
        return edit.position == last.position + last.inserted.size() && !newWord;
    }
    if (deleting && lastDeleting) {
        // BackSpace ends where the last one started; Delete starts where it did.
        return edit.position + edit.removed == last.position || edit.position == last.position;
    }
    return false;
}

} // namespace lvx::editor
