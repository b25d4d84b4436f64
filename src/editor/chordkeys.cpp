#include "chordkeys.h"

namespace lvx::editor {

namespace {

// The keypad sends the same keys with a modifier of its own.
Qt::KeyboardModifiers held(Qt::KeyboardModifiers modifiers)
{
    return modifiers & ~Qt::KeypadModifier;
}

} // namespace

ChordKey boxChordKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (held(modifiers) != Qt::AltModifier)
        return ChordKey::None;
    if (key == Qt::Key_Right)
        return ChordKey::ToChordAfter;
    if (key == Qt::Key_Left)
        return ChordKey::ToChordBefore;
    return ChordKey::None;
}

ChordKey labelChordKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = held(modifiers);
    if (mods == Qt::AltModifier) {
        if (key == Qt::Key_Left)
            return ChordKey::StepLeft;
        if (key == Qt::Key_Right)
            return ChordKey::StepRight;
        return ChordKey::None;
    }
    // Shift+Tab comes as Backtab, with or without Shift held.
    if (key == Qt::Key_Backtab && (mods == Qt::NoModifier || mods == Qt::ShiftModifier))
        return ChordKey::Previous;
    if (key == Qt::Key_F10 && mods == Qt::ShiftModifier)
        return ChordKey::LineMenu;
    if (mods != Qt::NoModifier)
        return ChordKey::None;
    switch (key) {
    case Qt::Key_Tab: return ChordKey::Next;
    case Qt::Key_Escape: return ChordKey::BackToLine;
    case Qt::Key_Space: return ChordKey::Play;
    case Qt::Key_Return:
    case Qt::Key_Enter: return ChordKey::Edit;
    case Qt::Key_Delete: return ChordKey::Remove;
    case Qt::Key_Menu: return ChordKey::LineMenu;
    default: return ChordKey::None;
    }
}

} // namespace lvx::editor
