// Facts about a song (artist, key, tempo...) read from their directives, and
// their lines written back in their own form.

#include "metadata.h"

#include "directives.h"
#include "song.h"

#include "base/text.h"

#include <algorithm>
#include <array>

namespace lvx::song {

namespace {

// Facts with a directive of their own; any other name needs "{meta: name value}"
// or the "x_" of a directive made up by another tool.
constexpr std::array<QStringView, 16> FactNames{
    u"artist", u"composer", u"lyricist", u"arranger", u"album",     u"year",       u"key",        u"time",
    u"tempo",  u"duration", u"capo",     u"copyright", u"tag",      u"sorttitle", u"sortartist", u"ccli",
};

bool hasOwnDirective(QStringView name)
{
    return std::find(FactNames.begin(), FactNames.end(), name) != FactNames.end()
           || (name.startsWith(u"x_") && name.size() > 2);
}

// "artist Marty Robbins": the name is the first word, the value the rest.
std::optional<MetaEntry> namedFact(QStringView text, QStringView source)
{
    const QStringView trimmed = blanksTrimmed(text);
    const qsizetype blank = trimmed.indexOf(u' ');
    const QStringView name = blank < 0 ? trimmed : trimmed.left(blank);
    if (name.isEmpty())
        return std::nullopt;
    const QStringView value = blank < 0 ? QStringView() : blanksTrimmed(trimmed.mid(blank + 1));
    return MetaEntry{lowerChars(name), value.toString(), source.toString()};
}

bool isMetaForm(const Directive& directive)
{
    return directive.name == u"meta" || directive.name.startsWith(u"meta ");
}

// A line break in a typed value would end the directive.
QString oneLine(const QString& value)
{
    QString line = value;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return trimBlanks(line);
}

} // namespace

std::optional<MetaEntry> readMetadata(const Directive& directive, QStringView source)
{
    if (directive.name == u"meta")
        return namedFact(directive.argument, source);
    // ChordPro also writes "{meta artist Marty Robbins}", without the colon.
    if (directive.name.startsWith(u"meta ") && !directive.body.contains(u':'))
        return namedFact(QStringView(directive.body).mid(5), source);
    if (hasOwnDirective(directive.name))
        return MetaEntry{directive.name, directive.argument, source.toString()};
    return std::nullopt;
}

std::optional<MetaEntry> readMetadataLine(QStringView text)
{
    QString expanded = text.toString();
    Song::ExpandTabs(expanded);
    if (!trimLeadingBlanks(expanded).startsWith(u'{'))
        return std::nullopt;
    return readMetadata(splitDirective(expanded), text);
}

std::optional<HeaderValue> headerValue(const Directive& directive, const std::optional<MetaEntry>& fact)
{
    const bool titleFact = fact && (fact->name == u"title" || fact->name == u"subtitle");
    const QString& name = titleFact ? fact->name : directive.name;
    const bool isTitle = name == u"t" || name == u"title";
    if (!isTitle && name != u"st" && name != u"subtitle")
        return std::nullopt;
    return HeaderValue{isTitle, titleFact ? fact->value : directive.argument};
}

std::optional<HeaderValue> headerValueOf(QStringView line)
{
    QString expanded = line.toString();
    Song::ExpandTabs(expanded);
    if (!expanded.startsWith(u'{'))
        return std::nullopt;
    const Directive directive = splitDirective(expanded);
    return headerValue(directive, readMetadata(directive, line));
}

std::optional<MetaEntry> metadataOf(const SongLine& line)
{
    if (!line.metadata)
        return std::nullopt;
    return readMetadataLine(line.text);
}

QList<MetaEntry> songMetadata(const QList<SongLine>& lines)
{
    QList<MetaEntry> entries;
    for (const SongLine& line : lines) {
        if (std::optional<MetaEntry> entry = metadataOf(line))
            entries.append(std::move(*entry));
    }
    return entries;
}

QString metadataLine(const MetaEntry& entry, const QString& value)
{
    const QString written = oneLine(value);
    if (written == entry.value)
        return entry.source;
    const auto readsBack = [&](const QString& line) {
        const std::optional<MetaEntry> read = readMetadataLine(line);
        return read && read->name == entry.name && read->value == written;
    };
    const QString& source = entry.source;
    if (const QString line = valueReplaced(source, entry.value, written); !line.isEmpty() && readsBack(line))
        return line;
    QString expanded = source;
    Song::ExpandTabs(expanded);
    const bool metaForm = trimLeadingBlanks(expanded).startsWith(u'{') && isMetaForm(splitDirective(expanded));
    const QString line = metaForm ? QString(u"{meta: " + entry.name + u' ' + written + u'}')
                                  : newMetadataLine(entry.name, written).text;
    return readsBack(line) ? line : newMetadataLine(entry.name, written).text;
}

SongLine newMetadataLine(const QString& name, const QString& value)
{
    QString fact = lowerChars(trimBlanks(name));
    fact.replace(u' ', u'_').remove(u':').remove(u'}');
    const QString written = oneLine(value);
    SongLine line{KindKept, {}, {}};
    if (hasOwnDirective(fact))
        line.text = u'{' + fact + u": " + written + u'}';
    else
        line.text = u"{meta: " + fact + u' ' + written + u'}';
    line.metadata = true;
    return line;
}

bool setMetadataValue(QList<SongLine>& lines, qsizetype index, const QString& value)
{
    for (SongLine& line : lines) {
        const std::optional<MetaEntry> fact = metadataOf(line);
        if (fact && index-- == 0) {
            line.text = metadataLine(*fact, value);
            return true;
        }
    }
    return false;
}

QString firstValue(const QList<MetaEntry>& entries, QStringView name)
{
    for (const MetaEntry& entry : entries) {
        if (entry.name == name && !trimBlanks(entry.value).isEmpty())
            return trimBlanks(entry.value);
    }
    return {};
}

QString headerLine(const QList<MetaEntry>& entries)
{
    QStringList parts;
    const auto add = [&](QStringView name, const QString& before, const QString& after) {
        if (const QString value = firstValue(entries, name); !value.isEmpty())
            parts.append(before + value + after);
    };
    const QString artist = firstValue(entries, u"artist");
    parts.append(artist.isEmpty() ? firstValue(entries, u"composer") : artist);
    if (parts.first().isEmpty())
        parts.removeFirst();
    add(u"key", QStringLiteral("Key "), {});
    add(u"capo", QStringLiteral("Capo "), {});
    add(u"time", {}, {});
    add(u"tempo", {}, QStringLiteral(" bpm"));
    return parts.join(u" \u00b7 ");
}

} // namespace lvx::song
