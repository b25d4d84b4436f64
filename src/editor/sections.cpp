// Sections around lines, and the rule that keeps one out of another.

#include "sections.h"

#include "song/directives.h"
#include "song/escapes.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

bool isStartMark(qint16 kind)
{
    return kind == song::KindChorusStart || kind == song::KindBridgeStart || kind == song::KindTabStart
        || kind == song::KindBlockStart;
}

bool isEndMark(qint16 kind)
{
    return kind == song::KindChorusEnd || kind == song::KindBridgeEnd || kind == song::KindTabEnd
        || kind == song::KindBlockEnd;
}

// Each end mark's kind is one above its start's.
qint16 sectionFamily(qint16 kind)
{
    return isEndMark(kind) ? qint16(kind - 1) : kind;
}

// A mark with the display text the Insert menu gives its kind.
SongLine markLine(qint16 kind, const QString& source = {})
{
    SongLine line;
    line.kind = kind;
    const auto& commands = insertCommands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [kind](const InsertCommand& c) { return c.kind == kind; });
    if (command != commands.end())
        line.text = command->text;
    line.source = source;
    return line;
}

// Whether an end mark closes the section `open` starts: a grid ends only by
// its own end, as the reader reads it.
bool closes(const SongLine& end, const SongLine& open)
{
    return isEndMark(end.kind) && sectionFamily(end.kind) == open.kind
        && (open.kind != song::KindTabStart || song::isGridLine(end) == song::isGridLine(open));
}

const SongLine* openMarkAt(const Lines& lines, int index)
{
    const SongLine* open = nullptr;
    for (int i = 0; i < std::min(index, int(lines.size())); ++i) {
        const SongLine& line = lines.at(i);
        if (isStartMark(line.kind))
            open = &line;
        else if (open && closes(line, *open))
            open = nullptr;
    }
    return open;
}

QString article(const QString& noun)
{
    return u"A "_s + noun;
}

} // namespace

const QList<SectionCommand>& sectionCommands()
{
    static const QList<SectionCommand> commands = {
        {u"mnuIChorus"_s, u"Ch&orus"_s, u"chorus"_s, false},
        {u"mnuIBridge"_s, u"&Bridge"_s, u"bridge"_s, false},
        {u"mnuIVerse"_s, u"&Verse ..."_s, u"verse"_s, true},
        {u"mnuITab"_s, u"&Tablature"_s, u"tab"_s, false},
        {u"mnuIGrid"_s, u"&Grid"_s, u"grid"_s, false},
        {u"mnuIBlock"_s, u"Bloc&k ..."_s, u"block"_s, true},
    };
    return commands;
}

const SectionCommand* sectionCommand(const QString& objectName)
{
    const auto& commands = sectionCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const SectionCommand& c) { return c.objectName == objectName; });
    return found == commands.end() ? nullptr : &*found;
}

std::pair<SongLine, SongLine> sectionMarks(const SectionCommand& command, const QString& label)
{
    const QString& noun = command.noun;
    if (noun == u"chorus")
        return {markLine(song::KindChorusStart), markLine(song::KindChorusEnd)};
    if (noun == u"bridge")
        return {markLine(song::KindBridgeStart), markLine(song::KindBridgeEnd)};
    if (noun == u"tab")
        return {markLine(song::KindTabStart), markLine(song::KindTabEnd)};
    if (noun == u"grid") {
        // ChordPro's grid reads as tablature under a name of its own.
        SongLine start = markLine(song::KindTabStart, u"{start_of_grid}"_s);
        start.text = u"Start of Grid"_s;
        SongLine end = markLine(song::KindTabEnd, u"{end_of_grid}"_s);
        end.text = u"End of Grid"_s;
        return {start, end};
    }
    if (noun == u"verse") {
        // A verse is a block the reader names "Verse", or by its label.
        const bool plain = label.isEmpty() || label == u"Verse";
        SongLine start = markLine(song::KindBlockStart,
                                  plain ? u"{start_of_verse}"_s
                                        : u"{start_of_verse: "_s + song::writtenArgument(label) + u'}');
        start.text = plain ? u"Verse"_s : label;
        return {start, markLine(song::KindBlockEnd, u"{end_of_verse}"_s)};
    }
    SongLine start = markLine(song::KindBlockStart);
    if (!label.isEmpty())
        start.text = label;
    return {start, markLine(song::KindBlockEnd)};
}

QString sectionOf(const SongLine& line)
{
    switch (sectionFamily(line.kind)) {
    case song::KindChorusStart:
        return u"chorus"_s;
    case song::KindBridgeStart:
        return u"bridge"_s;
    case song::KindTabStart:
        return song::isGridLine(line) ? u"grid"_s : u"tab"_s;
    case song::KindBlockStart: {
        const QString name = song::splitDirective(line.source).name;
        return name.endsWith(u"_of_verse") || name == u"sov" || name == u"eov" ? u"verse"_s : u"block"_s;
    }
    default:
        return {};
    }
}

QString openSectionAt(const Lines& lines, int index)
{
    const SongLine* open = openMarkAt(lines, index);
    return open ? sectionOf(*open) : QString();
}

QString wrapRefusal(const Lines& lines, int first, int last, const QString& noun)
{
    if (const QString open = openSectionAt(lines, first); !open.isEmpty())
        return article(noun) + u" cannot start inside a "_s + open + u'.';
    for (int i = std::max(first, 0); i <= last && i < lines.size(); ++i) {
        if (isStartMark(lines.at(i).kind) || isEndMark(lines.at(i).kind))
            return article(noun) + u" cannot hold a "_s + sectionOf(lines.at(i)) + u'.';
    }
    return {};
}

QString markRefusal(const Lines& lines, int index, const SongLine& mark)
{
    const SongLine* open = openMarkAt(lines, index);
    if (!open)
        return {};
    if (isStartMark(mark.kind))
        return article(sectionOf(mark)) + u" cannot start inside a "_s + sectionOf(*open) + u'.';
    if (isEndMark(mark.kind) && !closes(mark, *open))
        return article(sectionOf(mark)) + u" cannot end inside a "_s + sectionOf(*open) + u'.';
    return {};
}

void wrapInSection(Lines& lines, int first, int last, const std::pair<SongLine, SongLine>& marks)
{
    first = std::clamp(first, 0, int(lines.size()));
    last = std::clamp(last, first - 1, int(lines.size()) - 1);
    lines.insert(last + 1, marks.second);
    lines.insert(first, marks.first);
}

} // namespace lvx::editor
