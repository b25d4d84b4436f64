#pragma once

#include "printstate.h"

#include "base/appstate.h"
#include "music/guitarchord.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace lvx::midi {
class PlaybackNotes;
}

namespace lvx::music {
class ChordTypeTable;
struct ChordSymbol;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class Surface;
class FingeringMemo;

// What a diagram needs to know besides the chord.
struct DiagramSources
{
    const AppState& app;                          // instrument ("Piano" or other = guitar), notation
    const music::ChordTypeTable& chordTypes;
    const QList<music::GuitarChordDef>& songDefs;
    const QList<music::GuitarChordDef>& globalDefs;
    FingeringMemo* memo = nullptr;   // set while a book prints: fingerings chosen before
};

// The measures of a diagram for the song's diagram size 0 (small), 1 or 2 (large);
// other indexes count as the nearest of these. The piano keyboard is wider.
DiagramSize SetDiagramSize(int sizeIndex, bool piano);
// Diagrams outside a printed song (the chord windows, lvx's play and fingering
// commands) have the medium size.
inline constexpr int MediumDiagramSize = 1;

// The fingering a guitar diagram draws for the chord, and where it came from.
enum class FingeringOrigin { Song, Global, Computed, NotFound };

struct DrawnFingering
{
    QString name;                   // the chord in the user's notation, " (not found)" added when not found
    int baseFret = 0;
    bool barre = false;
    std::array<int, 7> strings{};   // strings 1..6: fret, -1 not played, music::BassMark on the bass string
    FingeringOrigin origin = FingeringOrigin::NotFound;
    // False when there is nothing to draw: the chord type is known but no
    // position fits a hand, or the chord has no note at all.
    bool drawn = true;
};

// The guitar fingerings a book has chosen so far, by chord, for the chords its
// songs do not define: the dictionary, the chord types and the notation stay as
// they are while one book prints, and its songs repeat the same chords.
class FingeringMemo final
{
public:
    // A fingering with the notes it plays: a dictionary shape sounds its frets
    // exactly as stored, whatever the drawing makes of them.
    struct Choice
    {
        DrawnFingering fingering;
        QList<int> notes;
    };
    // A chord as its name was read: notes, accidentals, type, and the name
    // itself (a text label or a spelling may differ where the rest agrees).
    struct Key
    {
        qint16 tone;
        bool toneSharp;
        qint16 bass;
        bool bassSharp;
        QString mode;
        QString text;

        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.tone, key.toneSharp, key.bass, key.bassSharp, key.mode, key.text);
        }
    };
    // What the book knows of a chord: the names it is looked up under, and
    // the fingering chosen for it, once chosen.
    struct Entry
    {
        std::optional<music::FingeringNames> names;
        std::optional<Choice> choice;
    };
    QHash<Key, Entry> entries;
};

// Which fingering the guitar diagram of the chord shows: the song's, then the
// global dictionary's (a slash chord may borrow its plain chord's shape), then one
// computed from the chord type.
DrawnFingering guitarFingering(const music::ChordSymbol& chord, const DiagramSources& sources);

// Draws one diagram with its top-left corner at the target's pen (the pen is
// restored) and leaves the notes it shows in the playback list, lowest first.
void DrawChordDiagram(Surface& target, const music::ChordSymbol& chord, const DiagramSources& sources,
                      const PrintState& state, midi::PlaybackNotes& notes);

// At the end of a page: marks the used chords that get a diagram, then places
// them beside or below the text until the page is full. Advances
// state.NextChordIndex past what was drawn.
void DrawChordDiagrams(Surface& target, Surface& reference, PrintState& state, const song::Song& song,
                       const DiagramSources& sources, midi::PlaybackNotes& notes);

} // namespace lvx::print
