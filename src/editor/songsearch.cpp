#include "songsearch.h"

#include "songlayout.h"

#include "base/text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

bool searchesText(const SongLine& line)
{
    return !line.metadata && (line.kind == song::KindLyric || line.kind == song::KindComment);
}

QList<SearchHit> textHits(const SongLine& line, int lineIndex, const QString& text)
{
    QList<SearchHit> hits;
    for (qsizetype at = line.text.indexOf(text, 0, Qt::CaseInsensitive); at >= 0;
         at = line.text.indexOf(text, at + 1, Qt::CaseInsensitive))
        hits.append(SearchHit{lineIndex, int(at), int(text.size())});
    return hits;
}

// Only the chords that show as labels: on lyric lines outside tablature.
QList<SearchHit> chordHits(const SongLine& line, int lineIndex, const QString& name, const QString& notation)
{
    QList<SearchHit> hits;
    for (qsizetype i = 0; i < line.chords.size(); ++i) {
        const QString& written = line.chords.at(i).name;
        if (written.compare(name, Qt::CaseInsensitive) == 0
            || labelText(written, notation).caption.compare(name, Qt::CaseInsensitive) == 0)
            hits.append(SearchHit{lineIndex, line.chords.at(i).position, 0, int(i)});
    }
    return hits;
}

// Every match in the song, line by line, each line's in the order they stand.
QList<QList<SearchHit>> allHits(const Lines& lines, const SongSearch& search)
{
    QList<QList<SearchHit>> hits(lines.size());
    const QList<bool> inTab = search.chords ? tabSectionLines(lines) : QList<bool>();
    // Chord names hold no blanks: one typed around the name is no part of it.
    const QString chord = trimBlanks(search.text);
    const QString notation = search.letters ? u"C"_s : u"Do"_s;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const SongLine& line = lines.at(i);
        if (!search.chords && searchesText(line))
            hits[i] = textHits(line, int(i), search.text);
        else if (search.chords && !chord.isEmpty() && line.kind == song::KindLyric && !line.metadata && !inTab.at(i))
            hits[i] = chordHits(line, int(i), chord, notation);
    }
    return hits;
}

} // namespace

std::optional<SearchHit> findInSong(const Lines& lines, const SongSearch& search, LinePosition from, bool backwards)
{
    if (search.text.isEmpty() || lines.isEmpty())
        return std::nullopt;
    const QList<QList<SearchHit>> hits = allHits(lines, search);
    const int count = int(lines.size());
    const int start = std::clamp(from.lineIndex, 0, count - 1);
    const int offset = from.lineIndex < 0 ? 0 : from.lineIndex >= count ? int(lines.at(start).text.size()) + 1 : from.offset;
    // The start line is met twice: its part on the near side of `from` first,
    // and its other part last, after going round.
    for (int step = 0; step <= count; ++step) {
        const int index = backwards ? ((start - step) % count + count) % count : (start + step) % count;
        const QList<SearchHit>& line = hits.at(index);
        const bool rest = step == count;
        const auto near = [&](const SearchHit& hit) {
            if (index != start)
                return true;
            const bool after = hit.offset >= offset;
            return backwards != after ? !rest : rest;
        };
        std::optional<SearchHit> found;
        if (backwards) {
            const auto it = std::find_if(line.crbegin(), line.crend(), near);
            if (it != line.crend())
                found = *it;
        } else if (const auto it = std::find_if(line.cbegin(), line.cend(), near); it != line.cend()) {
            found = *it;
        }
        if (found) {
            found->wrapped = backwards ? index > start || (rest && index == start) : index < start || rest;
            return found;
        }
    }
    return std::nullopt;
}

} // namespace lvx::editor
