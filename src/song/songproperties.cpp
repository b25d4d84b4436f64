// The properties of a song as one table of names and values.

#include "songproperties.h"

#include "metadata.h"
#include "song.h"

#include "base/text.h"

#include <algorithm>
#include <array>

namespace lvx::song {

namespace {

constexpr std::array<QStringView, 14> CommonFacts{
    u"artist", u"composer", u"lyricist", u"album",    u"year",      u"key", u"capo",
    u"tempo",  u"time",     u"duration", u"copyright", u"tag",      u"ccli", u"sorttitle",
};

bool isCommon(QStringView name)
{
    return std::find(CommonFacts.begin(), CommonFacts.end(), name) != CommonFacts.end();
}

} // namespace

QList<PropertyRow> propertyRows(const Song& song)
{
    const QList<MetaEntry> facts = song.metadata();
    QList<PropertyRow> rows{{QStringLiteral("title"), song.title, -1}, {QStringLiteral("subtitle"), song.subtitle, -1}};
    for (const QStringView name : CommonFacts) {
        bool given = false;
        for (qsizetype index = 0; index < facts.size(); ++index) {
            if (facts[index].name == name) {
                rows.append({facts[index].name, facts[index].value, index});
                given = true;
            }
        }
        if (!given)
            rows.append({name.toString(), {}, -1});
    }
    for (qsizetype index = 0; index < facts.size(); ++index) {
        if (!isCommon(facts[index].name))
            rows.append({facts[index].name, facts[index].value, index});
    }
    return rows;
}

bool applyPropertyRows(Song& song, const QList<PropertyRow>& rows)
{
    const QList<SongLine> linesBefore = song.lines;
    const QString titleBefore = song.title;
    const QString subtitleBefore = song.subtitle;
    const QList<MetaEntry> facts = song.metadata();
    // Lines of facts by index, found before any line moves.
    QList<qsizetype> factLines;
    for (qsizetype line = 0; line < song.lines.size(); ++line) {
        if (metadataOf(song.lines[line]))
            factLines.append(line);
    }
    QList<qsizetype> emptied;
    QList<SongLine> added;
    for (const PropertyRow& row : rows) {
        const QString name = lowerChars(trimBlanks(row.name));
        if (name.isEmpty())
            continue;
        if (row.fact < 0 && (name == u"title" || name == u"subtitle")) {
            (name == u"title" ? song.title : song.subtitle) = row.value;
        } else if (row.fact >= 0 && row.fact < facts.size()) {
            if (row.value == facts[row.fact].value)
                continue;
            if (trimBlanks(row.value).isEmpty())
                emptied.append(factLines[row.fact]);
            else
                setMetadataValue(song.lines, row.fact, row.value);
        } else if (!trimBlanks(row.value).isEmpty()) {
            added.append(newMetadataLine(name, row.value));
        }
    }
    std::sort(emptied.begin(), emptied.end(), std::greater<>());
    for (const qsizetype line : emptied)
        song.lines.removeAt(line);
    qsizetype at = 0;
    for (qsizetype line = song.lines.size() - 1; line >= 0; --line) {
        if (song.lines[line].metadata) {
            at = line + 1;
            break;
        }
    }
    for (const SongLine& line : added)
        song.lines.insert(at++, line);
    const bool changed = song.lines != linesBefore || song.title != titleBefore || song.subtitle != subtitleBefore;
    if (changed)
        song.Modificada = true;
    return changed;
}

} // namespace lvx::song
