// A song's solfege chord names turned into letter names: only the chords may
// change, so the converted song reads back with the same lines, lyric texts and
// chord positions, and converting twice changes nothing more.

#include "fuzzsupport.h"

#include "song/sourceconversions.h"

using namespace lvx;

namespace {

QString shape(const song::Song& song)
{
    QString text;
    for (const song::SongLine& line : song.lines) {
        text += QString::number(line.kind) + u' ' + line.text;
        for (const song::ChordPlacement& chord : line.chords)
            text += u" @" + QString::number(chord.position);
        text += u'\n';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Bar lines are bracketed by the conversion as the reader does; start from
    // text the reader has already made its own.
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    const QString text = fuzz::readSong(context, fuzz::fileText(data, size))->LinesToString();
    const QString converted = song::ConvertSolfegeChords(text, messages);
    const QString before = shape(*fuzz::readSong(context, text));
    const QString after = shape(*fuzz::readSong(context, converted));
    if (before != after)
        fuzz::fail("Converting chord names changed more than the chords", before, after);
    if (song::ConvertSolfegeChords(converted, messages) != converted)
        fuzz::fail("Converting twice changed the text again", converted);
    return 0;
}
