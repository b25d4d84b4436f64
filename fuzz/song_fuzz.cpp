// One song file's bytes through the whole text path: decoding as a file read
// does, reading, writing, reading the written text again, the chord sheet both
// ways, and the chord and bar-line parsers on every line. Writing must be a fixed point after one round:
// a song saved, opened and saved again must not change.

#include "fuzzsupport.h"

#include "music/chordsymbol.h"
#include "song/barline.h"
#include "song/chordsheet.h"

using namespace lvx;

namespace {

void parseChords(const song::Song& song)
{
    for (const song::SongLine& line : song.lines) {
        for (const song::ChordPlacement& chord : line.chords) {
            const music::ChordSymbol symbol = music::ParseChord(chord.name);
            if (symbol.tone >= 0 && symbol.bass >= 0)
                (void)music::FormatChord(symbol, QStringLiteral("C"));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::fileText(data, size);
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    const auto first = fuzz::readSong(context, text);
    const QString written = first->LinesToString();
    const QString rewritten = fuzz::readSong(context, written)->LinesToString();
    if (rewritten != written)
        fuzz::fail("Writing is not a fixed point", written, rewritten);

    parseChords(*first);
    (void)song::chordSheetText(*first);
    (void)song::chordSheetToChordPro(text);
    for (const QString& line : song::SplitLines(text)) {
        (void)music::ParseChord(line);
        (void)song::BarLineToChordPro(line);
    }
    return 0;
}
