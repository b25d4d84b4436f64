#pragma once

#include "songline.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace lvx::song {

// A directive line cut the reader's way: the body between the braces, the name
// before the first ":" (lower-cased and trimmed), the argument after it (trimmed).
struct Directive
{
    QString body;
    QString name;
    QString argument;
    QString writtenName;   // the name as the line spells it
};
Directive splitDirective(QStringView line);

// What a directive line is as a line of the song, read by itself: the program's
// own line directives, and the ChordPro directives musicians' files carry where
// the program has an equivalent (comment styles, verses and other sections,
// labels, grids, the chorus recall). Kind 0 when the line is none of these.
struct DirectiveRecord
{
    SongLine line{0, {}, {}};   // kind 0: no line of the song
    // The line's own form must be kept to write it back without losing anything.
    bool keepsForm = false;
    // Notation for another tool starts here (abc, lilypond, svg, a text block):
    // every line up to this directive is carried unread.
    QString notationEnd;
    bool newSong = false;   // a further song of the same file starts here
    QString writtenName;    // the directive's name as the line spells it
};
DirectiveRecord directiveRecord(QStringView line);
// The same for a line already split.
DirectiveRecord directiveRecord(const Directive& directive, QStringView line);

// Whether the line is the directive of that name, read the reader's way or as
// ChordPro's "{name argument}" with a blank after the name; blanks around the
// braces are allowed, as other tools allow them at the end of a block.
bool isDirectiveNamed(QStringView line, QStringView name);
// The argument of that directive, read the same ways (empty when it has none);
// nothing when the line is another directive or no directive.
std::optional<QString> directiveArgument(QStringView line, QStringView name);

// Whether the directive line starts a section of any kind: a chorus, bridge,
// tablature, grid, verse or other block, notation, or a further song.
bool startsSection(const DirectiveRecord& record);

// Whether a tablature line ("Start of Tab", "End of Grid: x") belongs to a grid.
bool isGridLine(const SongLine& line);

// The directive line with its value, which stands last before the closing
// brace, replaced there: the line keeps its spacing, its form and its case.
// Empty when the value is empty or does not stand there.
QString valueReplaced(const QString& line, QStringView value, QStringView replacement);

// The argument of a definition written ChordPro's way with the chord's name
// before the colon ("{define G: base-fret 1 frets 3 2 0 0 0 3}") or after a
// blank. kind: "define" or "chord".
std::optional<QString> definitionArgument(const Directive& directive, QStringView kind);

// The label a musician gave a chorus, bridge or tablature section
// ("{start_of_chorus: Chorus 2}"); empty when there is none.
QString sectionLabel(const SongLine& line);

} // namespace lvx::song
