#pragma once

#include <QString>

#include <bitset>

namespace lvx::music {

class ChordTypeTable;

// Pitch classes 0..11, bit n set when pitch class n sounds.
using PitchSet = std::bitset<12>;

// Names the chord whose notes are exactly the set: the first chord type in table
// order, on the first tonic from C up, that fits. The name carries the type's main
// alias ("maj" too) and "/bass" when a bass other than the tonic is given (-1: none).
// Empty when no type fits.
QString chordTypeSearch(const ChordTypeTable& table, PitchSet pitches, int bass, const QString& notation);

} // namespace lvx::music
