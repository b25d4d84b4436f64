#pragma once

#include "lineediting.h"

#include <QList>
#include <QString>

#include <utility>

namespace lvx::editor {

// Sections made from lines: a start mark above them and an end mark below, as
// the reader reads them back. Sections do not nest.

struct SectionCommand
{
    QString objectName;   // "mnuIChorus"
    QString caption;      // "Ch&orus"
    QString noun;         // "chorus", as the messages name the section
    bool labelled;        // the musician names it (a verse's label, a block's name)
};
const QList<SectionCommand>& sectionCommands();
const SectionCommand* sectionCommand(const QString& objectName);

// The start and end marks of the command's section; `label` names a verse or a
// block (empty: none).
std::pair<SongLine, SongLine> sectionMarks(const SectionCommand& command, const QString& label);

// The section a start or end mark belongs to ("chorus", "verse"...); empty for
// a line that is neither.
QString sectionOf(const SongLine& line);
// The section open just above line `index`; empty when none is.
QString openSectionAt(const Lines& lines, int index);

// Why a section cannot go around lines first to last, in the musician's words
// ("A chorus cannot start inside a verse."); empty when it can.
QString wrapRefusal(const Lines& lines, int first, int last, const QString& noun);
// Why a single mark cannot go in above line `index`: a start inside a section,
// or the end of another section inside one; empty when it can.
QString markRefusal(const Lines& lines, int index, const SongLine& mark);

// The marks go in around lines first to last.
void wrapInSection(Lines& lines, int first, int last, const std::pair<SongLine, SongLine>& marks);

} // namespace lvx::editor
