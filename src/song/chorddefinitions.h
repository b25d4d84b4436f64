#pragma once

#include "music/guitarchord.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace lvx::song {

// A definition's argument read into a fingering. ChordPro's keyword form
// ("Am base-fret 1 frets x 0 2 2 1 0 fingers 0 0 2 3 1 0") reads the same under
// either syntax: base-fret may be left out (it means 1), fingers and keys are
// accepted and ignored. Otherwise seven numbers, the base fret first in the old
// syntax and last in the new one. Nothing when the argument is neither.
std::optional<music::GuitarChordDef> readChordDefinition(QStringView argument, bool newSyntax);

// The lines that write the definitions back: each one as it was read (one of
// `readLines`) while that line still reads as the same fingering, with the
// program's syntax switch in front when the line needs it; the program's own
// "{chord: ...}" form for the others.
QStringList writtenChordDefinitions(const QList<music::GuitarChordDef>& defs, const QStringList& readLines);

} // namespace lvx::song
