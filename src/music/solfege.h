#pragma once

#include <QString>

namespace lvx::music {

// A chord name typed in the user's notation, in letters: Sol#m7/Si -> G#m7/B.
// Returned unchanged when notation is "C"; empty when the name does not start with
// a syllable. Only the part before the first "/" and the part after it are read,
// so a bass that is no syllable is dropped (Do6/9 -> C6).
QString SolfegeToLetters(const QString& name, const QString& notation);

// The same conversion whatever the notation setting, for the explicit
// "solfege to letters" command on a whole song.
QString solfegeChordToLetters(const QString& name);

} // namespace lvx::music
