#include "computedfingering.h"

#include "chordsymbol.h"
#include "modos.h"
#include "notetables.h"

namespace lvx::music {

namespace {

constexpr int WindowFrets = 4;      // offsets 0..3 above the position
constexpr int PositionLimit = 15;
constexpr int MaxFingers = 4;
constexpr int Muted = -1;
constexpr int NoString = 0;

using Strings = std::array<int, GuitarStrings + 1>;
using UseCounts = std::array<int, Modos::MaxIntervals>;

int noteAt(int string, int position, int offset)
{
    return (OpenStringPitches[string] + position + offset) % 12;
}

// The lowest offset of the window where the string sounds the pitch class, or -1.
int offsetFor(int string, int position, int pitchClass)
{
    for (int offset = 0; offset < WindowFrets; ++offset) {
        if (noteAt(string, position, offset) == pitchClass)
            return offset;
    }
    return -1;
}

// The chord's pitch classes by interval slot; an empty slot holds -1 and never
// matches, so the slots keep their own use counters.
QList<int> chordTones(int tone, const Modos& type)
{
    QList<int> tones;
    const int count = qBound(0, int(type.GetNumInv()), Modos::MaxIntervals);
    for (int slot = 0; slot < count; ++slot) {
        const int interval = type.GetInv(slot);
        tones.append(interval < 0 ? -1 : (tone + interval) % 12);
    }
    return tones;
}

// The bass goes as low as the window allows: string 6 first. Returns its string,
// or NoString when none of the three low strings reaches it.
int placeBass(Strings& strings, int position, int bass)
{
    for (int string = 6; string >= 4; --string) {
        const int offset = offsetFor(string, position, bass);
        if (offset >= 0) {
            strings[string] = offset + BassMark;
            return string;
        }
    }
    return NoString;
}

struct Choice
{
    int slot = -1;
    int offset = -1;
};

// Later slots are tried first, so upper chord tones win ties; a tone used less
// often replaces the choice, which spreads the chord over the strings. On the two
// highest strings an open string wins a tie against a stopped one.
Choice chooseTone(int string, int position, const QList<int>& tones, const UseCounts& uses)
{
    Choice choice;
    for (qsizetype slot = tones.size() - 1; slot >= 0; --slot) {
        const int offset = offsetFor(string, position, tones[slot]);
        if (offset < 0)
            continue;
        const bool first = choice.slot < 0;
        const bool lessUsed = !first && uses[slot] < uses[choice.slot];
        const bool opensHighString = !first && uses[slot] == uses[choice.slot] && string <= 2
                                     && choice.offset >= 1 && offset == 0;
        if (first || lessUsed || opensHighString)
            choice = {int(slot), offset};
    }
    return choice;
}

// False when string 1, 2 or 3 finds no chord tone: the top of the chord must sound.
bool placeOtherStrings(Strings& strings, int position, const QList<int>& tones)
{
    UseCounts uses{};
    for (int string = 1; string <= GuitarStrings; ++string) {
        if (strings[string] != Muted)
            continue;
        const Choice choice = chooseTone(string, position, tones, uses);
        if (choice.slot < 0) {
            if (string <= 3)
                return false;
            continue;
        }
        strings[string] = choice.offset;
        ++uses[choice.slot];
    }
    return true;
}

int fingersNeeded(const Strings& strings)
{
    int needed = 0;
    for (int string = 1; string <= GuitarStrings; ++string) {
        if (fretOf(strings[string]) > 0)
            ++needed;
    }
    return needed;
}

// Above the first position the barre takes a finger, so only three are left.
// Stopped low strings other than the bass are given up first.
bool fitFingers(Strings& strings, int position, int bassString)
{
    int needed = fingersNeeded(strings);
    const auto tooMany = [&] { return needed > MaxFingers || (needed == MaxFingers && position >= 1); };
    for (const int string : {6, 5}) {
        if (tooMany() && string != bassString && strings[string] > 0) {
            strings[string] = Muted;
            --needed;
        }
    }
    return !tooMany();
}

} // namespace

std::optional<ComputedFingering> computeFingering(const ChordSymbol& chord, const Modos& type)
{
    if (chord.tone < 0 || chord.tone > 11 || chord.bass < 0 || chord.bass > 11)
        return std::nullopt;
    const QList<int> tones = chordTones(chord.tone, type);
    for (int position = 0; position < PositionLimit; ++position) {
        Strings strings;
        strings.fill(Muted);
        const int bassString = placeBass(strings, position, chord.bass);
        if (bassString == NoString || !placeOtherStrings(strings, position, tones)
            || !fitFingers(strings, position, bassString))
            continue;
        return ComputedFingering{position, position >= 1, strings};
    }
    return std::nullopt;
}

QList<int> computedNotes(const ComputedFingering& fingering)
{
    QList<int> notes;
    for (int string = GuitarStrings; string >= 1; --string) {
        const int fret = fretOf(fingering.strings[string]);
        if (fret >= 0)
            notes.append(OpenStringPitches[string] + fingering.baseFret + fret);
    }
    return notes;
}

} // namespace lvx::music
