#include "chordsearch.h"

#include "chordsymbol.h"
#include "chordtypetable.h"
#include "notetables.h"

namespace lvx::music {

namespace {

PitchSet chordPitches(const Modos& mode, int tonic)
{
    PitchSet set;
    for (int slot = 0; slot < mode.GetNumInv(); ++slot) {
        const int interval = mode.GetInv(slot);
        if (interval >= 0)
            set.set((tonic + interval) % 12);
    }
    return set;
}

} // namespace

QString chordTypeSearch(const ChordTypeTable& table, PitchSet pitches, int bass, const QString& notation)
{
    for (const Modos& mode : table) {
        for (int tonic = 0; tonic < 12; ++tonic) {
            if (chordPitches(mode, tonic) != pitches)
                continue;
            QString name = NoteName(tonic, notation, SharpRow) + mode.Nombre;
            if (bass >= 0 && bass != tonic)
                name += u'/' + NoteName(bass % 12, notation, SharpRow);
            return name;
        }
    }
    return {};
}

} // namespace lvx::music
