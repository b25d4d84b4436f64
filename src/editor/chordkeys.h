#pragma once

#include <QtCore/qnamespace.h>

namespace lvx::editor {

// The keys that work on chords without the mouse. Alt with an arrow is the
// chord key everywhere in the song: from a line box it reaches the chords of
// the line, on a chord label it moves the chord. Plain and Shift arrows belong
// to the caret and the selection, Ctrl arrows to the caret's word steps, and
// Ctrl+Alt and Shift+Alt arrows to the window manager.
enum class ChordKey {
    None,
    ToChordAfter,    // from a line box: the chord at or after the caret
    ToChordBefore,   // from a line box: the chord before the caret
    Next,            // the next label of the song
    Previous,
    BackToLine,      // the line box, the caret at the chord's character
    Play,            // as a click does
    Edit,            // the chord dialog, as a right click does
    Remove,
    LineMenu,        // the recent chords of the label's line
    StepLeft,        // one character, as a drag does
    StepRight,
};

// What a key pressed in a line box does to chords (None: it is the box's own).
ChordKey boxChordKey(int key, Qt::KeyboardModifiers modifiers);
// What a key pressed on a focused chord label does (None: nothing).
ChordKey labelChordKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace lvx::editor
