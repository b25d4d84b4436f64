#pragma once

#include "chordtypetable.h"
#include "guitarchord.h"
#include "modos.h"

#include <QString>
#include <QtGlobal>

namespace lvx::music {

// What the chord windows hand to each other: the chord type table, the entry being
// edited, the result of the last modal dialog (2 while open, 1 accepted, 8 the
// chord dialog's Delete) and the chord name the chord dialog chose.
struct MusicState
{
    ChordTypeTable chordTypes;
    Modos activeChordType;
    qint16 dialogResult = 0;
    QString ChosenChord;
    // The fingering handed between the dictionary windows and the songs.
    GuitarChordDef activeChordDef;
};

} // namespace lvx::music
