#pragma once

#include "lineediting.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace lvx::editor {

// Where typing goes besides the song's lines (which are named by their index).
inline constexpr int TitleBox = -1;
inline constexpr int SubTitleBox = -2;

// What an undo step brings back: the lines, the header, and where the view and
// the caret were.
struct SongState
{
    Lines lines;
    QString title;
    QString subtitle;
    int TopLine = 1;
    int caretLine = 0;      // 0-based line index, or TitleBox / SubTitleBox
    int caret = 0;
    int ActiveLine = 0;
    int ActiveChord = 0;
};

// One keystroke's change to a text: at `position` the `removed` characters went
// and `inserted` came in their place.
struct TextEdit
{
    int target = 0;         // a line index, TitleBox or SubTitleBox
    int position = 0;
    int removed = 0;
    QString inserted;
};

// Undo and redo through whole states of the song. Every change records the
// state before it; a run of typing records once, so it goes back as one step:
// a word with the blanks around it, a run of deletions, or what was typed
// before a pause.
class UndoHistory
{
public:
    static constexpr int Limit = 200;          // steps kept; the oldest go first
    static constexpr qint64 PauseMsecs = 1000; // typing after a pause this long is a new step
    // Milliseconds on a clock that never goes back; tests give one of their own.
    using Clock = std::function<qint64()>;

    UndoHistory();
    void setClock(Clock clock) { m_clock = std::move(clock); }
    qint64 now() const { return m_clock(); }

    // The state before a change that is a step of its own. Redo steps are dropped.
    void record(const SongState& before);
    // A keystroke now: when it starts a new step, `before` is recorded. `before`
    // is asked for only then, so a keystroke in a run costs nothing.
    template <typename MakeState>
    void recordTyping(const TextEdit& edit, MakeState before)
    {
        const qint64 msecs = now();
        if (!continuesRun(edit, msecs))
            record(before());
        noteTyping(edit, msecs);
    }

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    // The state to show instead of `current`, which becomes the step to redo (or undo).
    std::optional<SongState> undo(const SongState& current);
    std::optional<SongState> redo(const SongState& current);
    // The next keystroke starts a step of its own (the caret moved, a command ran).
    void endRun();
    // The keystrokes after `edit` go with the step just recorded, as typing
    // after a selection typed over goes with it.
    void startRun(const TextEdit& edit)
    {
        endRun();
        noteTyping(edit, now());
    }

private:
    bool continuesRun(const TextEdit& edit, qint64 msecs) const;
    void noteTyping(const TextEdit& edit, qint64 msecs);

    Clock m_clock;
    QList<SongState> m_undo;
    QList<SongState> m_redo;
    std::optional<TextEdit> m_last;
    qint64 m_lastMsecs = 0;
    bool m_wordTyped = false;   // the run holds a word: a blank then a letter starts the next step
};

} // namespace lvx::editor
