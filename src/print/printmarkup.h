#pragma once

#include "printstate.h"

#include <QString>

namespace lvx {
struct AppState;
class FontSet;
class Messages;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class Surface;

// The font tags that open every markup line of a role: face, colour, size,
// bold and italic, each set completely.
QString FontTags(const FontSet& fonts, const QString& role);

// Song text as markup: a "<" in it would open a tag, so it is written "<LT>",
// which the renderer prints as "<".
QString markupText(const QString& text);

// Trims the row (and keeps it trimmed), then joins its names with the separator.
QString JoinChordNames(QString& row, const QString& separator);

// Turns the song into print markup, chord rows placed over the lyrics by the
// measuring surface's text widths, and collects the chords it uses. Chords
// print as the song view shows them: moved by {transpose}, and by the capo
// when the chords shown are those that sound.
void BuildPrintMarkup(Surface& measuring, const song::Song& song, const AppState& app, PrintState& state,
                      Messages& messages);

} // namespace lvx::print
