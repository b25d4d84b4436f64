#pragma once

#include "bigendian.h"

#include <vector>

namespace lvx::print::pdf {

// Characters to glyphs, as a font's cmap table gives them: a flat table for
// the basic plane so a lookup is one index, and ranges for the rest.
struct CharacterMap
{
    struct Range
    {
        char32_t first;
        char32_t last;
        quint32 glyph;  // of `first`; the rest follow in order
    };

    std::vector<quint16> basic = std::vector<quint16>(0x10000, 0);
    std::vector<Range> supplementary;  // sorted, not overlapping

    quint16 glyph(char32_t c) const { return c < 0x10000 ? basic[c] : supplementaryGlyph(c); }
    quint16 supplementaryGlyph(char32_t c) const;
};

// Reads the best Unicode subtable of a cmap (format 12, else format 4, else a
// symbol font's format 4 at U+F000). Glyphs the face does not have map to 0.
CharacterMap readCharacterMap(BigEndian cmap, int glyphCount);

} // namespace lvx::print::pdf
