#include "undohistory.h"

#include <chrono>

namespace lvx::editor {

namespace {

// One step back or forward: the current state goes to the other side.
std::optional<SongState> step(QList<SongState>& from, QList<SongState>& to, const SongState& current)
{
    if (from.isEmpty())
        return std::nullopt;
    to.append(current);
    return from.takeLast();
}

} // namespace

void UndoHistory::record(const SongState& before)
{
    m_undo.append(before);
    if (m_undo.size() > Limit)
        m_undo.removeFirst();
    m_redo.clear();
    m_last.reset();
}

std::optional<SongState> UndoHistory::undo(const SongState& current)
{
    m_last.reset();
    return step(m_undo, m_redo, current);
}

std::optional<SongState> UndoHistory::redo(const SongState& current)
{
    m_last.reset();
    return step(m_redo, m_undo, current);
}

qint64 UndoHistory::clockMsecs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
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
        // Each word goes back on its own: a letter typed after a blank starts one.
        const bool newWord = last.inserted.back().isSpace() && !edit.inserted.front().isSpace();
        return edit.position == last.position + last.inserted.size() && !newWord;
    }
    if (deleting && lastDeleting) {
        // BackSpace ends where the last one started; Delete starts where it did.
        return edit.position + edit.removed == last.position || edit.position == last.position;
    }
    return false;
}

} // namespace lvx::editor
