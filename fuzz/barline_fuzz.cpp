// Bar lines ("| G  Am | C |") as the reader meets them: the conversion must give
// a line the reader takes as lyric with chords, keep the leading blanks, and
// never lose a word: every word of the bar line is a chord or a label after it.

#include "fuzzsupport.h"

#include "song/barline.h"

using namespace lvx;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    for (QString line : song::SplitLines(fuzz::fileText(data, size))) {
        // The reader widens tabs before it looks for bar lines.
        song::Song::ExpandTabs(line);
        const QString converted = song::BarLineToChordPro(line);
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == u' ')
            ++indent;
        if (!converted.startsWith(QString(indent, u' ')))
            fuzz::fail("The bar line lost its indent", line, converted);
        const auto song = fuzz::readSong(context, converted);
        if (song->lines.size() > 1)
            fuzz::fail("A bar line read as more than one line", line, converted);
        // A bar line without brackets of its own keeps every word as a chord name.
        if (line.contains(u'[') || line.contains(u']') || song->lines.isEmpty())
            continue;
        QString words;
        for (const song::ChordPlacement& chord : song->lines.first().chords)
            words += chord.name;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            for (const QString& part : word.split(u'|', Qt::SkipEmptyParts)) {
                if (!words.contains(part))
                    fuzz::fail("A word of the bar line is gone", line, converted);
            }
        }
    }
    return 0;
}
