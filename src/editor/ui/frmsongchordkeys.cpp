// Chords from the keyboard: Alt with an arrow takes the focus from a line to
// its chords, and a focused label does what the mouse does to it.

#include "editor/ui/frmsong.h"

#include "editor/ui/songwidgets.h"

#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

void frmSong::takeFocus(SongBox* box)
{
    if (m_chordFocus) {
        ChordLabel* target = label(labelNumberOf(m_lastLayout, m_chordFocus->lineIndex, m_chordFocus->chordIndex));
        if (target && target->isVisibleTo(this)) {
            target->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    box->setFocus(Qt::OtherFocusReason);
}

int frmSong::caretAtChord(ChordRef chord) const
{
    const song::SongLine& line = m_song.lines.at(chord.lineIndex);
    return std::min(int(line.chords.at(chord.chordIndex).position), int(line.text.size()));
}

void frmSong::focusChordFromCaret(int slotIndex, bool forward)
{
    const int index = lineIndexOf(slotIndex);
    if (const auto chord = chordFromCaret(m_song.lines, index, caretOf(slotIndex), forward))
        focusChord(*chord);
}

void frmSong::focusChord(ChordRef chord)
{
    const QScopedValueRollback keep(m_chordFocus, std::optional(chord));
    // A repaint still due from typing would take the focus back to the box.
    if (Timer->isActive()) {
        Timer->stop();
        PaintPage();
    }
    // The caret waits on the chord's character: the view follows it there, and
    // Escape comes back to it.
    showCaretAt(LinePosition{chord.lineIndex, caretAtChord(chord)});
}

void frmSong::labelKeyPress(int labelIndex, ChordKey key)
{
    const std::optional<ChordRef> found = labelChord(m_song.lines, m_song.TopLine - 1, labelIndex);
    if (!found)
        return;
    const ChordRef chord = *found;
    ActiveLine = chord.lineIndex + 1;
    ActiveChord = chord.chordIndex + 1;
    switch (key) {
    case ChordKey::Next:
    case ChordKey::Previous:
        if (const auto next = nextChord(m_song.lines, chord, key == ChordKey::Next))
            focusChord(*next);
        return;
    case ChordKey::BackToLine:
        focusSlot(slotOfLine(chord.lineIndex), caretAtChord(chord));
        return;
    case ChordKey::Play:
        playChord(m_song.lines.at(chord.lineIndex).chords.at(chord.chordIndex).name);
        return;
    case ChordKey::Edit:
        editChordKey(chord);
        return;
    case ChordKey::Remove:
        removeChordKey(chord);
        return;
    case ChordKey::LineMenu: {
        const QWidget* shown = label(labelIndex);
        openLineMenu(slotOfLine(chord.lineIndex), caretAtChord(chord), shown->mapToGlobal(shown->rect().bottomLeft()));
        return;
    }
    case ChordKey::StepLeft:
    case ChordKey::StepRight:
        stepChordKey(chord, key == ChordKey::StepRight ? 1 : -1);
        return;
    default:
        return;
    }
}

void frmSong::stepChordKey(ChordRef chord, int delta)
{
    const SongState before = currentState();
    const std::optional<ChordRef> moved = stepChord(m_song.lines, chord, delta);
    if (!moved)
        return;
    recordIfChanged(before);
    setModified();
    focusChord(*moved);
}

void frmSong::editChordKey(ChordRef chord)
{
    PendingChordAction = u"Edit Chord"_s;
    // Back on the label afterwards, unless the dialog deleted the chord.
    const QScopedValueRollback keep(m_chordFocus, std::optional(chord));
    openChordDialog(m_song.lines.at(chord.lineIndex).chords.at(chord.chordIndex).name);
}

void frmSong::removeChordKey(ChordRef chord)
{
    const int caret = caretAtChord(chord);
    BackUpLinea();
    EliminaAcorde(chord.lineIndex + 1, chord.chordIndex + 1);
    PaintPage();
    focusSlot(slotOfLine(chord.lineIndex), caret);
}

} // namespace lvx::editor
