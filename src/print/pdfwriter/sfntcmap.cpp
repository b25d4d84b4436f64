#include "sfntcmap.h"

#include <algorithm>

namespace lvx::print::pdf {

namespace {

constexpr char32_t LastCharacter = 0x10FFFF;

struct Subtable
{
    BigEndian data;
    bool symbol = false;
};

// The subtable to read: full Unicode first, then the basic plane, then symbols.
Subtable chooseSubtable(BigEndian cmap)
{
    Subtable best;
    int bestRank = 0;
    const int count = cmap.u16(2);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 4 + i * 8;
        const quint16 platform = cmap.u16(record);
        const quint16 encoding = cmap.u16(record + 2);
        const BigEndian table = cmap.part(cmap.u32(record + 4), cmap.size());
        const quint16 format = table.u16(0);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        int rank = 0;
        if (unicode && format == 12)
            rank = 4;
        else if (unicode && format == 4)
            rank = 3;
        else if (platform == 3 && encoding == 0 && format == 4)
            rank = 1;
        if (rank > bestRank) {
            bestRank = rank;
            best = {table, rank == 1};
        }
    }
    return best;
}

void readFormat4(BigEndian table, int glyphCount, CharacterMap& map)
{
    const int segments = table.u16(6) / 2;
    const qsizetype ends = 14;
    const qsizetype starts = ends + 2 * segments + 2;
    const qsizetype deltas = starts + 2 * segments;
    const qsizetype rangeOffsets = deltas + 2 * segments;
    // Segments come sorted; starting each past the last one filled keeps a
    // damaged table from costing more than one pass over the plane.
    quint32 next = 0;
    for (int s = 0; s < segments; ++s) {
        const quint32 last = table.u16(ends + 2 * s);
        const quint32 first = qMax<quint32>(table.u16(starts + 2 * s), next);
        const quint16 delta = table.u16(deltas + 2 * s);
        const qsizetype rangeOffsetAt = rangeOffsets + 2 * s;
        const quint16 rangeOffset = table.u16(rangeOffsetAt);
        for (quint32 c = first; c <= last && c < 0xFFFF; ++c) {
            quint16 glyph = 0;
            if (rangeOffset == 0) {
                glyph = quint16(c + delta);
            } else {
                glyph = table.u16(rangeOffsetAt + rangeOffset + 2 * (c - table.u16(starts + 2 * s)));
                if (glyph != 0)
                    glyph = quint16(glyph + delta);
            }
            map.setBasic(c, glyph < glyphCount ? glyph : 0);
        }
        next = qMax(next, last + 1);
    }
}

void readFormat12(BigEndian table, int glyphCount, CharacterMap& map)
{
    const quint32 groups = qMin<quint32>(table.u32(12), quint32(table.size() / 12));
    char32_t next = 0;
    for (quint32 g = 0; g < groups; ++g) {
        const qsizetype at = 16 + qsizetype(g) * 12;
        const char32_t first = qMax<char32_t>(table.u32(at), next);
        const char32_t last = qMin<char32_t>(table.u32(at + 4), LastCharacter);
        const quint32 glyph = table.u32(at + 8) + (first - table.u32(at));
        if (first > last || glyph >= quint32(glyphCount))
            continue;
        const char32_t lastValid = qMin<char32_t>(last, first + (glyphCount - 1 - glyph));
        for (char32_t c = first; c <= lastValid && c < 0x10000; ++c)
            map.setBasic(c, quint16(glyph + (c - first)));
        if (lastValid >= 0x10000) {
            const char32_t from = qMax<char32_t>(first, 0x10000);
            map.supplementary.push_back({from, lastValid, glyph + (from - first)});
        }
        next = last + 1;
    }
}

} // namespace

void CharacterMap::setBasic(char32_t c, quint16 glyph)
{
    quint16& page = pageOf[c / PageSize];
    if (page == 0) {
        if (glyph == 0)
            return;
        page = quint16(pages.size() / PageSize);
        pages.resize(pages.size() + PageSize, 0);
    }
    pages[page * PageSize + c % PageSize] = glyph;
}

quint16 CharacterMap::supplementaryGlyph(char32_t c) const
{
    const auto range = std::lower_bound(supplementary.begin(), supplementary.end(), c,
                                        [](const Range& r, char32_t value) { return r.last < value; });
    if (range == supplementary.end() || c < range->first)
        return 0;
    return quint16(range->glyph + (c - range->first));
}

CharacterMap readCharacterMap(BigEndian cmap, int glyphCount)
{
    CharacterMap map;
    const Subtable subtable = chooseSubtable(cmap);
    if (subtable.data.u16(0) == 12)
        readFormat12(subtable.data, glyphCount, map);
    else if (subtable.data.u16(0) == 4)
        readFormat4(subtable.data, glyphCount, map);
    if (subtable.symbol) {
        // Symbol fonts put their glyphs at U+F020..U+F0FF; text asks for them as Latin-1.
        for (char32_t c = 0; c < 0x100; ++c) {
            if (map.glyph(c) == 0)
                map.setBasic(c, map.glyph(0xF000 + c));
        }
    }
    return map;
}

} // namespace lvx::print::pdf
