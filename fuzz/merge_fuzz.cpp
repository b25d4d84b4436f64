// Chord sheets written as a chord line over each lyric line: the first input
// line is a chord line, the second its lyric; the whole input also goes through
// the sheet conversion. Merging only adds bracketed chords: taken out again,
// the lyric must be the one that was under them.

#include "fuzzsupport.h"

#include "base/text.h"
#include "music/mergechordline.h"
#include "song/sourceconversions.h"

using namespace lvx;

namespace {

QString withoutChords(const QString& merged)
{
    QString lyric;
    bool inChord = false;
    for (const QChar c : merged) {
        if (inChord)
            inChord = c != u']';
        else if (c == u'[')
            inChord = true;
        else
            lyric += c;
    }
    return trimTrailingBlanks(lyric);
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
    (void)song::mergeChordLines(text);
    const QStringList lines = song::SplitLines(text);
    if (lines.size() < 2)
        return 0;
    const QString& chords = lines[0];
    const QString& lyric = lines[1];
    const QString merged = music::MergeChordLine(chords, lyric);
    // Brackets of their own would make the chords impossible to tell apart.
    if (chords.contains(u'[') || chords.contains(u']') || lyric.contains(u'['))
        return 0;
    if (withoutChords(merged) != trimTrailingBlanks(lyric))
        fuzz::fail("Merging changed the lyric", lyric, merged);
    return 0;
}
