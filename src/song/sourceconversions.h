#pragma once

#include <QString>

namespace lvx {
class Messages;
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

} // namespace lvx::song
