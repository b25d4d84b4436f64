#pragma once

#include <QString>

namespace lvx {
class Messages;
}

namespace lvx::song {
class Song;
}

namespace lvx::song {

// Every bracketed chord of a song text from solfege to letter names, whatever the
// notation setting; bar lines are bracketed first. A chord that is no solfege name
// stays as it was, with "Invalid Chord: " and its text. Lines that start with "#"
// or hold a directive are left alone. Each line ends with CR LF afterwards.
QString ConvertSolfegeChords(const QString& text, Messages& messages);

// Two-line chord sheets ("crd"): each chord line merged into the lyric line below
// it as bracketed chords. Blank lines stay, an unpaired last line comes out as it
// was, tabs become eight blanks; every line ends with CR LF.
QString mergeChordLines(const QString& text);

// The commands below work on the selected text of the source editor; like the
// merge they turn tabs into eight blanks first and end every line with CR LF,
// so the text that replaces a selection always ends with a line end.

// Every line moved left by the smallest indent of the lines, at most 5 blanks.
// When some line has no indent at all, every line loses its first character.
QString indentLeft(const QString& selection);
// Every line moved right by 5 blanks.
QString indentRight(const QString& selection);

// Each character of the selection that is a tab or one of chars becomes eight
// blanks; the rest stays.
QString filterChars(const QString& selection, const QString& chars);

// Every lone LF and lone CR becomes CR LF; LF then CR is two line ends.
QString lfToCrLf(const QString& text);

// "{t:" + selection without surrounding blanks + "}", for directive "t".
QString wrapInDirective(QStringView directive, const QString& selection);
// "{soc}" and a line end, for directive "soc".
QString directiveLine(QStringView directive);

// The song as the source editor shows it: title, subtitle, fingerings and lines,
// without the print, font and margin directives, which stay in the song.
QString sourceText(const Song& song);

} // namespace lvx::song
