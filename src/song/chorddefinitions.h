#pragma once

#include "textstyle.h"

#include "music/guitarchord.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace lvx::song {

// A definition's argument read into a fingering. ChordPro's keyword form
// ("Am base-fret 1 frets x 0 2 2 1 0 fingers 0 0 2 3 1 0") reads the same under
// either syntax (eitherSyntax says so): base-fret may be left out (it means 1),
// fingers and keys are accepted and ignored. Otherwise seven numbers, the base
// fret first in the old syntax and last in the new one. Nothing when the
// argument is neither.
std::optional<music::GuitarChordDef> readChordDefinition(QStringView argument, bool newSyntax,
                                                         bool* eitherSyntax = nullptr);

// A definition line as it was read, kept to write the definition back the same way.
struct DefinitionLine
{
    QString line;
    music::GuitarChordDef def;   // the fingering it gave
    bool newSyntax = false;      // the syntax it was read in
    bool eitherSyntax = false;   // it reads the same in both: ChordPro's keyword form, or a "chord" line
    bool setsNewSyntax = false;  // a "chord" line switches to the new syntax itself
    Placement at;                // where it stood among the song's lines
};

// The lines that write the definitions back: each one as it was read while it
// still gives the same fingering, with the program's syntax switch in front
// when the line needs it; the program's own "{chord: ...}" form for the others.
// startSyntax: the syntax the reader is sure to start the text in (true: the
// new one), when the caller knows it. readFrom, when given, gets for each line
// written the index in read of the definition line it writes back (a syntax
// switch: of the one it precedes), or -1 for a definition no line gave.
QStringList writtenChordDefinitions(const QList<music::GuitarChordDef>& defs, const QList<DefinitionLine>& read,
                                    std::optional<bool> startSyntax = std::nullopt, QList<qsizetype>* readFrom = nullptr);

} // namespace lvx::song
