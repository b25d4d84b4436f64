#pragma once

#include <QString>
#include <QtGlobal>

namespace lvx::music {

// One chord name taken apart. Pitch classes run 0 (C) .. 11 (B); -1 means "no note".
struct ChordSymbol
{
    QString text;           // letter spelling, set only by TransposeChord
    qint16 tone = -1;
    bool toneSharp = false; // spelled with a sharp or natural; false for a flat
    qint16 bass = -1;       // equals tone when the name has no bass
    bool bassSharp = false;
    QString mode;           // as written after the tonic; "maj" for a plain major chord
};

// Never fails: a name that does not start with a note gives tone -1.
ChordSymbol ParseChord(const QString& name);

// Entry pitch (0..11) of row (0 sharps, 1 flats, 2 mixed) in letter or solfege
// spelling, without padding; empty for a pitch or row out of range.
QString NoteName(int pitch, const QString& notation, int row);

// Expects tone and bass in 0..11; a label that does not parse is shown as written instead.
QString FormatChord(const ChordSymbol& chord, const QString& notation);

// Moves tone and bass by semitones (any number) and writes the letter spelling to text.
// A chord without a tone or bass is left alone.
void TransposeChord(ChordSymbol& chord, int semitones);

// Labels starting with an apostrophe are free text, never parsed as chords.
bool isTextLabel(const QString& label);

} // namespace lvx::music
