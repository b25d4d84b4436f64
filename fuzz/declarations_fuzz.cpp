// Chord type declarations and fingerings, as a song file or Chords.dat holds
// them: each input line that is not a directive already becomes a "mode",
// "define" or "chord" directive (or a switch of the define syntax), chosen by
// its first character. What was read
// is written back with the chord types and read into a fresh program: the chord
// types and fingerings must come back the same.

#include "fuzzsupport.h"

#include "music/chordtypetable.h"
#include "music/guitarchord.h"

using namespace lvx;

namespace {

QString asDirective(const QString& line)
{
    if (line.isEmpty() || line.startsWith(u'{'))
        return line;
    static const QStringList prefixes{QStringLiteral("{mode: "), QStringLiteral("{define: "),
                                      QStringLiteral("{chord: "), QStringLiteral("{new_define}"),
                                      QStringLiteral("{old_define}")};
    const QString& prefix = prefixes[line[0].unicode() % prefixes.size()];
    return prefix.endsWith(u'}') ? prefix : prefix + line.mid(1) + u'}';
}

QString describe(const song::SongContext& context, const song::Song& song)
{
    QString text;
    for (const music::Modos& mode : context.music.chordTypes)
        text += song::Song::ModeDefToStr(mode) + u'\n';
    for (const music::GuitarChordDef& def : song.chordDefs)
        text += music::ChordDefToText(def) + u'\n';
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
    QString text;
    for (const QString& line : song::SplitLines(fuzz::fileText(data, size)))
        text += asDirective(line) + u"\r\n";

    fuzz::QuietMessages messages;
    song::SongContext first{messages};
    first.app.WriteModes = true;
    const auto read = fuzz::readSong(first, text);
    const QString written = read->LinesToString();

    song::SongContext second{messages};
    const auto reread = fuzz::readSong(second, written);
    const QString before = describe(first, *read);
    const QString after = describe(second, *reread);
    if (before != after)
        fuzz::fail("Chord types or fingerings changed on the way through a file", before, after);
    return 0;
}
