#pragma once

#include "chordsymbol.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lvx::music {

class ChordTypeTable;
class Modos;

// The chord type editor's rules, apart from its window.

// Whether the editor makes a new entry or changes the one handed to it.
enum class ModeEdit { New, Edit };

// One toggle per semitone over two octaves, 0 the tonic itself.
inline constexpr int IntervalToggleCount = 24;
using IntervalToggles = std::array<bool, IntervalToggleCount>;

// The toggles' captions, as musicians name the steps ("1", "2# / 3b", ...).
const QStringList& intervalCaptions();

// The toggles lit for the intervals of a chord type.
IntervalToggles togglesOf(const Modos& mode);

// The message refusing what the editor holds, or empty text when it may be
// stored. mainAlias is the trimmed main alias; activeName the name the edited
// entry had when the editor opened.
QString checkModeDefinition(const QString& mainAlias, const QString& description, ModeEdit edit,
                            const QString& activeName, const ChordTypeTable& table);

// Writes the editor's values into the entry: the eight lowest lit toggles
// become its intervals (the table has no room for more), the aliases replace
// the old ones.
void storeModeDefinition(Modos& mode, const QString& mainAlias, const QString& description,
                         const IntervalToggles& toggles, const QStringList& aliases);

// A further alias as typed into the input box: trimmed, and refused (nullopt)
// when empty or holding a blank, since chord names are split at blanks.
std::optional<QString> aliasFromInput(const QString& typed);

// How the chord types list shows an entry: "minor seventh-(m7)".
QString chordTypeListLine(const Modos& mode);

// Adds a new entry after the selected one (the first when none is selected)
// and returns the index it got, or -1 when its key is taken.
qsizetype insertChordTypeAfter(ChordTypeTable& table, qsizetype selectedIndex, const Modos& mode);

// The chord type on each of the twelve tonics from C, as the scale view draws them.
QList<ChordSymbol> scaleChords(const Modos& mode);

} // namespace lvx::music
