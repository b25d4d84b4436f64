#pragma once

#include "bigendian.h"

#include <array>
#include <vector>

namespace lvx::print::pdf {

// Characters to glyphs, as a font's cmap table gives them. The basic plane is
// a table of pages of 256 characters, only those the font maps filled in, so a
// lookup is two indexes; ranges hold the rest. (A flat table of the whole plane
// cost more to set up, in fresh memory, than reading the rest of the font.)
struct CharacterMap
{
    struct Range
    {
        char32_t first;
        char32_t last;
        quint32 glyph;  // of `first`; the rest follow in order
    };

    static constexpr int PageSize = 256;
    // The page each run of 256 characters of the basic plane uses; page 0
    // maps every character to no glyph.
    std::array<quint16, 0x10000 / PageSize> pageOf{};
    std::vector<quint16> pages = std::vector<quint16>(PageSize, 0);
    std::vector<Range> supplementary;  // sorted, not overlapping

    quint16 glyph(char32_t c) const
    {
        return c < 0x10000 ? pages[pageOf[c / PageSize] * PageSize + c % PageSize] : supplementaryGlyph(c);
    }
    // The glyph of a character of the basic plane.
    void setBasic(char32_t c, quint16 glyph);
    quint16 supplementaryGlyph(char32_t c) const;
};

// Reads the best Unicode subtable of a cmap (format 12, else format 4, else a
// symbol font's format 4 at U+F000). Glyphs the face does not have map to 0.
CharacterMap readCharacterMap(BigEndian cmap, int glyphCount);

} // namespace lvx::print::pdf
