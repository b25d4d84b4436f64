#pragma once

#include "song/songline.h"

#include <QString>
#include <QStringView>

namespace lvx::editor {

// What a screen reader says for the song window's controls.

// The word the character at `position` belongs to: the run of non-blank
// characters around it. Empty when that character is a blank or past the end.
QString wordAt(QStringView text, qsizetype position);

// A chord label: "chord G7 over 'sweet'", "chord G7 before 'sweet'" for a chord
// on the blank before a word, "chord G7 at the end of the line" past the last
// word. Free text (a name with a leading apostrophe) is "text ..." instead.
// `caption` is the name as the label shows it.
QString chordLabelName(const song::ChordPlacement& chord, const QString& caption, QStringView lyric);

// A line box: "line 3: Hello world" for a lyric, "line 3, comment: ..." and
// "line 3, block start: ..." for the other lines that take typing, "line 3,
// chorus start" (with the section's label, if it has one) and the like for
// the read-only lines. `number` counts the lines of the song's body from 1.
QString lineBoxName(const song::SongLine& line, int number);

} // namespace lvx::editor
