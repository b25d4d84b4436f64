// Writing a song from another tool back in that tool's style: its line ends,
// its title where it stood, its definitions among its lines, and of the
// program's settings only those the user changed.

#include "chorddefinitions.h"
#include "directives.h"
#include "metadata.h"
#include "song.h"

#include "base/text.h"

#include <algorithm>

namespace lvx::song {

namespace {

// A line that is no line of the song, and where it goes among them.
struct PlacedLine
{
    Placement at;
    QString text;
};

// The title or subtitle line: as read while the value is the same, else the
// same line with the new value where that reads back, else ChordPro's usual form.
QString headerText(const HeaderLine& read, const QString& value, bool isTitle)
{
    if (!read.line.isEmpty() && value == read.value)
        return read.line;
    if (const QString edited = valueReplaced(read.line, read.value, value); !edited.isEmpty()) {
        const std::optional<HeaderValue> header = headerValueOf(edited);
        if (header && header->title == isTitle && header->value == trimBlanks(value))
            return edited;
    }
    return (isTitle ? u"{title: " : u"{subtitle: ") + value + u'}';
}

Placement after(const Placement& at)
{
    return {at.before, at.order + 1};
}

} // namespace

QString Song::ownStyleText() const
{
    QList<PlacedLine> placed;
    // Title lines the text did not have go first; the settings where the text
    // had them, or else after the title lines.
    Placement last{0, -4};
    const auto addHeader = [&](const HeaderLine& read, const QString& value, bool isTitle) {
        if (trimBlanks(value).isEmpty())
            return;
        const Placement at = read.line.isEmpty() ? after(last) : read.at;
        placed.append({at, headerText(read, value, isTitle)});
        last = std::max(last, at);
    };
    addHeader(m_titleLine, title, true);
    addHeader(m_subtitleLine, subtitle, false);
    const Placement settingsAt = m_settingsLine.value_or(after(last));
    if (m_context.app.WriteFormat) {
        const QStringList header = settingsHeader();
        for (qsizetype i = 0; i < header.size(); ++i) {
            if ((i < m_defaultHeader.size() && header[i] == m_defaultHeader[i]) || !writesHeaderLine(header[i]))
                continue;
            // A setting the text gave goes back as it was read while it still says the same.
            if (const auto read = m_settingsLines.constFind(header[i]); read != m_settingsLines.cend())
                placed.append({read->at, read->line});
            else
                placed.append({settingsAt, header[i]});
        }
    }
    // Each definition where its line stood, in the song's order (the syntax
    // switches count on it); one no line gave goes after the one before it.
    // A load starts in the old syntax, and so does a text read into this song
    // while its reader is in it: no switch is needed for the first lines then.
    QList<qsizetype> readFrom;
    const std::optional<bool> startSyntax = newDefine ? std::nullopt : std::optional<bool>(false);
    const QStringList definitions = writtenChordDefinitions(chordDefs, chordDefLines, startSyntax, &readFrom);
    std::optional<Placement> previous;
    for (qsizetype i = 0; i < definitions.size(); ++i) {
        Placement at = previous ? *previous : after(settingsAt);
        if (readFrom[i] >= 0)
            at = previous ? std::max(*previous, chordDefLines[readFrom[i]].at) : chordDefLines[readFrom[i]].at;
        placed.append({at, definitions[i]});
        previous = at;
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlacedLine& a, const PlacedLine& b) { return a.at < b.at; });

    const QStringView end = lineEndText(style.lineEnd);
    QString out;
    qsizetype expected = 256 + placed.size() * 40;
    for (const SongLine& line : lines)
        expected += line.read.size() + line.text.size() + 4;
    out.reserve(expected);
    qsizetype next = 0;
    bool inTab = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (; next < placed.size() && placed[next].at.before <= i; ++next)
            out += placed[next].text + end;
        const SongLine& line = lines[i];
        inTab = line.kind == KindTabStart || (inTab && line.kind != KindTabEnd);
        if (const std::optional<QString> text = writtenLine(line, inTab, true))
            out += *text + end;
    }
    for (; next < placed.size(); ++next)
        out += placed[next].text + end;
    if (!style.finalLineEnd && out.endsWith(end))
        out.chop(end.size());
    return out;
}

} // namespace lvx::song
