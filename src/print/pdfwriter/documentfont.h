#pragma once

#include "cidtables.h"
#include "sfntfont.h"

#include <memory>

namespace lvx::print::pdf {

class PdfFile;

// A face as one document uses it: a composite font (Identity-H, two-byte
// glyph ids) whose number is fixed when it is first drawn with, and the
// glyphs drawn, whose widths and characters are written with it at the end.
class DocumentFont final
{
public:
    DocumentFont(std::shared_ptr<const SfntFont> face, int resource, int object);

    const SfntFont& face() const { return *m_face; }
    int resource() const { return m_resource; }
    int object() const { return m_object; }

    // Notes a glyph drawn for a character; the first character drawn wins.
    void use(quint16 glyph, char32_t character)
    {
        if (m_drawn[glyph] == NotDrawn)
            m_drawn[glyph] = glyph == 0 ? char32_t(0xFFFD) : character;
    }

    // Writes the font, its descendant, descriptor, program and text mapping.
    void write(PdfFile& file) const;

private:
    std::shared_ptr<const SfntFont> m_face;
    int m_resource;
    int m_object;
    GlyphText m_drawn;
};

} // namespace lvx::print::pdf
