#pragma once

#include "songline.h"

#include "music/keys.h"

#include <QList>
#include <QString>

#include <optional>

namespace lvx::song {

// The semitones "{transpose: N}" (or "{transpose N}") moves the chords after
// it, -11 to 11; 0 for "{transpose}" alone, which ends the move. Nothing for
// any other line, and for a value that is no whole number in that range
// ("{transpose: G}", "{transpose: 99}"): such a line changes nothing.
std::optional<int> transposeOf(const SongLine& line);

// The frets "{capo: N}" names, 1 to 11; nothing for any other value.
std::optional<int> capoOf(const QString& value);

// How the view and the print show a song's chords: moved by the {transpose}
// in force at their line and, when the chords shown are those that sound, by
// the capo too. The lines themselves never change: saving, editing and
// playing work on the chords as written. Each song of a file that holds
// several starts unmoved, with its own capo and key.
class ShownChords final
{
public:
    ShownChords(const QList<SongLine>& lines, bool sounding);

    // The name a chord written on the line at index (from 0) is shown by, in
    // letters: moved by the line's shift and spelled in the key the song then
    // sounds in. A song that names no key has its chords moved down spelled
    // with flats, those moved up with each note's own accidental. Text labels,
    // names that are no chord, and unmoved chords come back as written.
    QString name(qsizetype lineIndex, const QString& written) const;

private:
    // From line `from` on, until the next one, chords move this far.
    struct Move
    {
        qsizetype from = 0;
        int semitones = 0;
        music::Accidentals accidentals = music::Accidentals::Own;
    };
    const Move* moveAt(qsizetype lineIndex) const;
    void moveFrom(qsizetype from, int semitones, std::optional<music::MusicalKey> key);

    QList<Move> m_moves;   // by line, empty when nothing moves
};

} // namespace lvx::song
