#include "lineediting.h"

#include "linelimits.h"

using namespace Qt::StringLiterals;

namespace lvx::editor {

using namespace detail;
using song::ChordPlacement;

namespace {

// What the clipboard holds before anything was copied: pasting it would add
// an empty line of no meaning, so it is not pasted at all.
bool isEmptyClip(const SongLine& clip)
{
    return clip.kind == song::KindLyric && clip.text.isEmpty() && clip.chords.isEmpty();
}

void pasteIntoLyric(SongLine& line, qsizetype p, const SongLine& clip)
{
    const qsizetype inserted = clip.text.size();
    for (ChordPlacement& chord : line.chords) {
        if (chord.position >= p)
            chord.position = toPosition(chord.position + inserted);
    }
    for (const ChordPlacement& chord : clip.chords)
        line.chords.append(ChordPlacement{chord.name, toPosition(chord.position + p)});
    line.text = line.text.left(p) + clip.text + line.text.mid(p);
    sortChords(line);
}

} // namespace

SongLine copyPart(const SongLine& line, int s, int n)
{
    if (line.kind != song::KindLyric)
        return line;
    const qsizetype start = clampOffset(s, line.text);
    const qsizetype end = start + std::clamp<qsizetype>(n, 0, line.text.size() - start);
    SongLine part;
    part.kind = song::KindLyric;
    part.text = line.text.mid(start, end - start);
    for (const ChordPlacement& chord : line.chords) {
        if (chord.position >= start && chord.position < end)
            part.chords.append(ChordPlacement{chord.name, toPosition(chord.position - start)});
    }
    return part;
}

LinePosition pasteClip(Lines& lines, int index, int p, const SongLine& clip)
{
    if (isEmptyClip(clip) || index < 0)
        return {index, p};
    const bool intoLine = clip.kind == song::KindLyric && index < lines.size()
        // A directive keeps its fixed name; text pasted into it would never reach the file.
        && !isReadOnlyLine(lines.at(index))
        // Nor would chords pasted into a comment or a block name.
        && (lines.at(index).kind == song::KindLyric || clip.chords.isEmpty());
    if (!intoLine) {
        const int at = std::min(index, int(lines.size()));
        insertLine(lines, at, clip);
        // The caret stays on its line, now below; past the end it goes to the new line.
        return at + 1 < lines.size() ? LinePosition{at + 1, p} : LinePosition{at, 0};
    }
    SongLine& line = lines[index];
    if (line.text.size() + clip.text.size() > MaxLineLength)
        return {index, p};
    const qsizetype at = clampOffset(p, line.text);
    pasteIntoLyric(line, at, clip);
    return {index, int(at + clip.text.size())};
}

const QList<InsertCommand>& insertCommands()
{
    static const QList<InsertCommand> commands = {
        {u"mnuIComment"_s, u"&Comment"_s, song::KindComment, u"(comment)"_s},
        {u"mnuISOC"_s, u"St&art of Chorus"_s, song::KindChorusStart, u"Start of Chorus"_s},
        {u"mnuIEOC"_s, u"&End of Chorus"_s, song::KindChorusEnd, u"End of Chorus"_s},
        {u"mnuISOT"_s, u"Start of Tablature"_s, song::KindTabStart, u"Start of Tab"_s},
        {u"mnuIEOT"_s, u"End of Tablature"_s, song::KindTabEnd, u"End of Tab"_s},
        {u"mnuISOB"_s, u"Start of Bridge"_s, song::KindBridgeStart, u"Start of Bridge"_s},
        {u"mnuIEOB"_s, u"End of Bridge"_s, song::KindBridgeEnd, u"End of Bridge"_s},
        {u"mnuISOBlk"_s, u"Start of Block (custom)"_s, song::KindBlockStart, u"(block name)"_s},
        {u"mnuIEOBlk"_s, u"End of Block"_s, song::KindBlockEnd, u"End of Block"_s},
        {u"mnuITCOn"_s, u"Two Column On"_s, song::KindTwoColumnsOn, u"Two Column On"_s},
        {u"mnuITCOff"_s, u"Two Column Off"_s, song::KindTwoColumnsOff, u"Two Column Off"_s},
        {u"mnuIColumnBreak"_s, u"Column Break"_s, song::KindColumnBreak, u"Column Break"_s},
        {u"mnuINewPage"_s, u"&New Page"_s, song::KindNewPage, u"New Page"_s},
    };
    return commands;
}

} // namespace lvx::editor
