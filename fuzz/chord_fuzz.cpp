// Chord names as a song or a dialog gives them: every line of the input is read
// as a chord name, spelled in letters and in solfege, transposed by the first
// byte's count of semitones and back, and named again from its pitch classes.

#include "fuzzsupport.h"

#include "music/chordsearch.h"
#include "music/chordsymbol.h"
#include "music/chordtypetable.h"
#include "music/solfege.h"

using namespace lvx;

namespace {

bool isPitch(qint16 pitch)
{
    return pitch >= 0 && pitch <= 11;
}

void checkChord(const QString& name, int semitones, const music::ChordTypeTable& table)
{
    const music::ChordSymbol chord = music::ParseChord(name);
    if (chord.tone >= 0 && !isPitch(chord.tone))
        fuzz::fail("A tone outside 0..11", name);
    (void)music::solfegeChordToLetters(name);
    if (chord.tone < 0 || chord.bass < 0)
        return;
    if (!isPitch(chord.bass))
        fuzz::fail("A bass outside 0..11", name);
    const QString letters = music::FormatChord(chord, QStringLiteral("C"));
    const QString solfege = music::FormatChord(chord, QStringLiteral("Do"));
    if (letters.isEmpty() || solfege.isEmpty())
        fuzz::fail("A chord spelled as nothing", name);
    // Whatever Do spelling the program writes, it reads back to the same tonic.
    if (music::ParseChord(music::solfegeChordToLetters(solfege)).tone != chord.tone)
        fuzz::fail("A solfege spelling names another tonic", name, solfege);

    music::ChordSymbol moved = chord;
    music::TransposeChord(moved, semitones);
    if (!isPitch(moved.tone) || !isPitch(moved.bass) || moved.text.isEmpty())
        fuzz::fail("Transposing left the pitch classes", name, moved.text);
    if (music::ParseChord(moved.text).tone != moved.tone)
        fuzz::fail("A transposed chord reads back as another tonic", name, moved.text);
    music::TransposeChord(moved, -semitones);
    if (moved.tone != chord.tone || moved.bass != chord.bass)
        fuzz::fail("Transposing there and back moved the chord", name, moved.text);

    music::PitchSet pitches;
    pitches.set(size_t(chord.tone));
    pitches.set(size_t((chord.tone + 4) % 12));
    pitches.set(size_t((chord.tone + 7) % 12));
    (void)music::chordTypeSearch(table, pitches, chord.bass, QStringLiteral("Do"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int semitones = int(int8_t(data[0]));
    const QString text = fuzz::fileText(data + 1, size - 1);
    // A table with one type, so that naming from pitch classes has something to find.
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    fuzz::readSong(context, QStringLiteral("{mode: \"maj M\" \"Major\" 1 3 5}"));
    for (const QString& line : song::SplitLines(text))
        checkChord(line, semitones, context.music.chordTypes);
    return 0;
}
