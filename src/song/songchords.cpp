// Edits over every chord of a song: transposition and replacement.

#include "song.h"

#include "music/chordsymbol.h"
#include "music/solfege.h"

namespace lvx::song {

void Song::Transpose(int semitones)
{
    if (semitones == 0)
        return;
    for (SongLine& line : lines) {
        for (ChordPlacement& chord : line.chords) {
            if (!music::isTextLabel(chord.name)) {
                music::ChordSymbol symbol = music::ParseChord(chord.name);
                if (symbol.tone >= 0 && symbol.bass >= 0) {
                    music::TransposeChord(symbol, semitones);
                    chord.name = music::FormatChord(symbol, QStringLiteral("C"));
                }
            }
            if (chord.name.isEmpty())
                m_context.messages.inform(u"Invalid Chord: " + chord.name);
        }
    }
    Modificada = true;
}

void Song::ReplaceChords(const QString& find, const QString& replacement)
{
    const QString& notation = m_context.app.notation;
    for (SongLine& line : lines) {
        for (ChordPlacement& chord : line.chords) {
            const music::ChordSymbol symbol = music::ParseChord(chord.name);
            QString shown;
            if (music::isTextLabel(chord.name))
                shown = chord.name.mid(1);
            else if (symbol.tone < 0 || symbol.bass < 0)
                shown = chord.name;
            else
                shown = music::FormatChord(symbol, notation);
            if (shown == find)
                chord.name = music::SolfegeToLetters(replacement, notation);
        }
    }
    Modificada = true;
}

} // namespace lvx::song
