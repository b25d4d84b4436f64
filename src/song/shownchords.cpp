// The chords as the view and the print show them: moved by the {transpose}
// lines of the song and, for the chords that sound, by its capo.

#include "shownchords.h"

#include "directives.h"
#include "metadata.h"
#include "song.h"

#include "base/numbers.h"

#include <algorithm>

namespace lvx::song {

namespace {

constexpr int Octave = 12;
constexpr int MaxTranspose = 11;
constexpr int MaxCapo = 11;

// A whole number from low to high, blanks around it allowed.
std::optional<int> wholeNumber(const QString& text, int low, int high)
{
    if (text.contains(u'.'))
        return std::nullopt;
    const std::optional<qint16> number = parseInt16(text);
    if (!number || *number < low || *number > high)
        return std::nullopt;
    return *number;
}

// A line carried as read, its tabs expanded as the reader expands them.
QString keptText(const SongLine& line)
{
    QString text = line.text;
    Song::ExpandTabs(text);
    return text;
}

bool startsNewSong(const SongLine& line)
{
    return line.kind == KindKept && !line.metadata && directiveRecord(keptText(line)).newSong;
}

// What one song of a file says about how its chords sound.
struct SongFacts
{
    int capo = 0;
    std::optional<music::MusicalKey> key;
};

// The first capo and the first key that read as such in the song whose lines
// start at `from`. The reader marks the facts of a file's first song; those of
// a later one are lines it carried as written.
SongFacts songFacts(const QList<SongLine>& lines, qsizetype from, bool laterSong)
{
    SongFacts facts;
    bool capoRead = false;
    for (qsizetype i = from; i < lines.size() && !startsNewSong(lines[i]); ++i) {
        const SongLine& line = lines[i];
        std::optional<MetaEntry> fact;
        if (line.metadata)
            fact = metadataOf(line);
        else if (laterSong && line.kind == KindKept)
            fact = readMetadataLine(line.text);
        if (!fact)
            continue;
        if (fact->name == u"capo" && !capoRead) {
            const std::optional<int> capo = capoOf(fact->value);
            capoRead = capo.has_value();
            facts.capo = capo.value_or(0);
        } else if (fact->name == u"key" && !facts.key) {
            facts.key = music::ParseKey(fact->value);
        }
    }
    return facts;
}

} // namespace

std::optional<int> transposeOf(const SongLine& line)
{
    // The reader has no directive of its own for it: the line is carried as written.
    if (line.kind != KindKept || line.metadata)
        return std::nullopt;
    const std::optional<QString> argument = directiveArgument(keptText(line), u"transpose");
    if (!argument)
        return std::nullopt;
    if (argument->isEmpty())
        return 0;
    return wholeNumber(*argument, -MaxTranspose, MaxTranspose);
}

std::optional<int> capoOf(const QString& value)
{
    return wholeNumber(value, 1, MaxCapo);
}

ShownChords::ShownChords(const QList<SongLine>& lines, bool sounding)
{
    SongFacts facts = songFacts(lines, 0, false);
    const auto capo = [&] { return sounding ? facts.capo : 0; };
    int transpose = 0;
    moveFrom(0, capo(), facts.key);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SongLine& line = lines[i];
        if (line.kind != KindKept || line.metadata)
            continue;
        if (startsNewSong(line)) {
            facts = songFacts(lines, i + 1, true);
            transpose = 0;
        } else if (const std::optional<int> semitones = transposeOf(line)) {
            transpose = *semitones;
        } else {
            continue;
        }
        moveFrom(i, capo() + transpose, facts.key);
    }
    if (std::all_of(m_moves.cbegin(), m_moves.cend(), [](const Move& move) { return move.semitones % Octave == 0; }))
        m_moves.clear();
}

void ShownChords::moveFrom(qsizetype from, int semitones, std::optional<music::MusicalKey> key)
{
    // Without a key, chords moved down take flats, as ChordPro spells them;
    // moved up, a flat stays a flat and the other notes take sharps.
    Move move{from, semitones, semitones < 0 ? music::Accidentals::Flats : music::Accidentals::Own};
    if (key) {
        const qint16 sounding = qint16(((key->pitch + semitones) % Octave + Octave) % Octave);
        move.accidentals = music::KeyAccidentals(music::MusicalKey{sounding, key->minor});
    }
    if (!m_moves.isEmpty() && m_moves.last().semitones == move.semitones && m_moves.last().accidentals == move.accidentals)
        return;
    m_moves.append(move);
}

const ShownChords::Move* ShownChords::moveAt(qsizetype lineIndex) const
{
    const auto after = std::upper_bound(m_moves.cbegin(), m_moves.cend(), lineIndex,
                                        [](qsizetype index, const Move& move) { return index < move.from; });
    return after == m_moves.cbegin() ? nullptr : &*(after - 1);
}

QString ShownChords::name(qsizetype lineIndex, const QString& written) const
{
    const Move* move = moveAt(lineIndex);
    if (move == nullptr || move->semitones % Octave == 0)
        return written;
    return music::MoveChordName(written, move->semitones, move->accidentals);
}

} // namespace lvx::song
