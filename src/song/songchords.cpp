// Edits over every chord of a song: transposition and replacement.

#include "song.h"

#include "music/chordsymbol.h"
#include "music/solfege.h"

#include <QHash>

namespace lvx::song {

namespace {

// Text labels and names that are no chord stay as written.
QString transposedName(const QString& name, int semitones)
{
    if (music::isTextLabel(name))
        return name;
    music::ChordSymbol symbol = music::ParseChord(name);
    if (symbol.tone < 0 || symbol.bass < 0)
        return name;
    music::TransposeChord(symbol, semitones);
    return music::FormatChord(symbol, QStringLiteral("C"));
}

} // namespace

void Song::Transpose(int semitones, QHash<QString, QString>* names)
{
    if (semitones == 0)
        return;
    // A song uses a few chords many times: each distinct name is read and
    // transposed once, and its result shared by every label that has it.
    QHash<QString, QString> ownNames;
    QHash<QString, QString>& transposed = names != nullptr ? *names : ownNames;
    for (SongLine& line : lines) {
        for (ChordPlacement& chord : line.chords) {
            auto known = transposed.constFind(chord.name);
            if (known == transposed.cend())
                known = transposed.insert(chord.name, transposedName(chord.name, semitones));
            chord.name = *known;
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
