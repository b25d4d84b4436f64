#pragma once

#include <QList>
#include <QtGlobal>

#include <array>

namespace lvx::midi {

// The notes of the chord about to sound: up to ten pitches in semitones above
// the lowest C of the playback range, filled by a diagram drawing or a
// fingering, -1 where empty.
class PlaybackNotes final
{
public:
    static constexpr int Capacity = 10;

    PlaybackNotes() { clear(); }

    void clear() { m_notes.fill(-1); }
    // Appends a note in the first empty entry; false when all ten are taken.
    bool append(int pitch)
    {
        for (qint16& note : m_notes) {
            if (note < 0) {
                note = qint16(pitch);
                return true;
            }
        }
        return false;
    }
    // Puts a pitch (or -1) into entry 1..10; other entries are left alone.
    void set(int entry, int pitch)
    {
        if (entry >= 1 && entry <= Capacity)
            m_notes[entry - 1] = qint16(pitch);
    }
    // Entry 1..10; -1 for an empty entry or an index out of range.
    qint16 at(int entry) const { return entry >= 1 && entry <= Capacity ? m_notes[entry - 1] : qint16(-1); }
    QList<int> notes() const
    {
        QList<int> result;
        for (qint16 note : m_notes) {
            if (note >= 0)
                result.append(note);
        }
        return result;
    }

private:
    std::array<qint16, Capacity> m_notes;
};

} // namespace lvx::midi
