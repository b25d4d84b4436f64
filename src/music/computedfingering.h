#pragma once

#include <QList>

#include <array>
#include <optional>

namespace lvx::music {

class Modos;
struct ChordSymbol;

// A guitar shape worked out from a chord type's intervals, for chords that no
// dictionary holds. Strings are indexed 1 (high E) .. 6 (low E); a value is the
// offset above the position, -1 for a muted string, and carries BassMark on the
// string that sounds the bass.
struct ComputedFingering
{
    int baseFret = 0;
    bool barre = false;              // the whole fourth-fret window sits above the nut
    std::array<int, 7> strings{};    // index 0 unused
};

// The bit that marks the bass string of a shape; its circle is drawn hollow.
inline constexpr int BassMark = 16;

// The fret of a shape value without its mark; -1 stays -1.
inline int fretOf(int value)
{
    return value % BassMark;
}

inline bool hasBassMark(int value)
{
    return value >= 0 && (value & BassMark) != 0;
}

// The first position below fret 15 where the bass sits on string 6, 5 or 4,
// strings 1 to 3 all sound chord tones and the hand needs at most four fingers
// (three besides a barre); nullopt when no position works.
std::optional<ComputedFingering> computeFingering(const ChordSymbol& chord, const Modos& type);

// The pitches the shape sounds, lowest string first, above the playback range's lowest C.
QList<int> computedNotes(const ComputedFingering& fingering);

} // namespace lvx::music
