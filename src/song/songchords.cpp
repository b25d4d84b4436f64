// Edits over every chord of a song: transposition and replacement.

#include "metadata.h"
#include "song.h"

#include "base/text.h"
#include "music/chordsymbol.h"
#include "music/keys.h"
#include "music/solfege.h"

#include <QHash>

namespace lvx::song {

namespace {

// Every chord label moved and spelled; each distinct name is read and moved
// once, since a song uses a few chords many times.
void moveChords(QList<SongLine>& lines, int semitones, music::Accidentals accidentals,
                QHash<QString, QString>& moved, Messages& messages)
{
    for (SongLine& line : lines) {
        for (ChordPlacement& chord : line.chords) {
            auto known = moved.constFind(chord.name);
            if (known == moved.cend())
                known = moved.insert(chord.name, music::MoveChordName(chord.name, semitones, accidentals));
            chord.name = *known;
            if (chord.name.isEmpty())
                messages.inform(u"Invalid Chord: " + chord.name);
        }
    }
}

// The song's keys move with its chords, a minor key staying minor; a key that
// reads as none is left as written.
void moveKeys(QList<SongLine>& lines, int semitones, music::Accidentals accidentals)
{
    for (SongLine& line : lines) {
        const std::optional<MetaEntry> fact = metadataOf(line);
        if (!fact || fact->name != u"key" || !music::ParseKey(fact->value))
            continue;
        line.text = metadataLine(*fact, music::MoveChordName(fact->value, semitones, accidentals));
    }
}

} // namespace

void Song::Transpose(int semitones, QHash<QString, QString>* names)
{
    if (semitones == 0)
        return;
    QHash<QString, QString> ownNames;
    moveChords(lines, semitones, music::Accidentals::Own, names != nullptr ? *names : ownNames, m_context.messages);
    moveKeys(lines, semitones, music::Accidentals::Own);
    Modificada = true;
}

QString Song::keyName() const
{
    for (const SongLine& line : lines) {
        const std::optional<MetaEntry> fact = metadataOf(line);
        if (fact && fact->name == u"key" && music::ParseKey(fact->value))
            return trimBlanks(fact->value);
    }
    return {};
}

std::optional<music::MusicalKey> Song::key() const
{
    return music::ParseKey(keyName());
}

bool Song::TransposeToKey(const QString& target)
{
    const std::optional<music::MusicalKey> from = key();
    const std::optional<music::MusicalKey> to = music::ParseKey(target);
    if (!from || !to)
        return false;
    const int semitones = music::SemitonesToKey(*from, *to);
    const music::Accidentals accidentals = music::KeyAccidentals(target);
    // Even with no interval, chords are spelled the way the key is written.
    if (semitones == 0 && accidentals == music::Accidentals::Own)
        return true;
    QHash<QString, QString> moved;
    moveChords(lines, semitones, accidentals, moved, m_context.messages);
    moveKeys(lines, semitones, accidentals);
    Modificada = true;
    return true;
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
