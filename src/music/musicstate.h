#pragma once

#include "chordtypetable.h"
#include "guitarchord.h"
#include "modos.h"

#include <QString>
#include <QtGlobal>

namespace lvx::music {

// The result of the last modal chord window: nothing yet, accepted, still open,
// or the chord dialog's Delete.
inline constexpr qint16 ResultNone = 0;
inline constexpr qint16 ResultOk = 1;
inline constexpr qint16 ResultOpen = 2;
inline constexpr qint16 ResultDelete = 8;

// What the chord windows hand to each other: the chord type table, the entry being
// edited, the result of the last modal dialog (above) and the chord name the
// chord dialog chose.
struct MusicState
{
    ChordTypeTable chordTypes;
    Modos activeChordType;
    qint16 dialogResult = ResultNone;
    QString ChosenChord;
    // The fingering handed between the dictionary windows and the songs.
    GuitarChordDef activeChordDef;
};

} // namespace lvx::music
