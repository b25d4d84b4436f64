#include "cidtables.h"

#include "pdfsyntax.h"

namespace lvx::print::pdf {

namespace {

// A CMap section holds at most 100 entries.
constexpr int SectionSize = 100;

void appendUtf16(QByteArray& out, char32_t c)
{
    if (c >= 0x10000) {
        appendHex4(out, 0xD800 + ((c - 0x10000) >> 10));
        appendHex4(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        appendHex4(out, c);
    }
}

} // namespace

QByteArray widthsArray(const SfntFont& face, const GlyphText& drawn)
{
    const double scale = 1000.0 / face.metrics().unitsPerEm;
    QByteArray out("[");
    bool inRun = false;
    for (size_t glyph = 0; glyph < drawn.size(); ++glyph) {
        if (drawn[glyph] == NotDrawn) {
            if (inRun)
                out.append("]\n");
            inRun = false;
            continue;
        }
        if (!inRun) {
            appendInteger(out, qint64(glyph));
            out.append(" [");
            inRun = true;
        } else {
            out.append(' ');
        }
        appendNumber(out, face.advance(quint16(glyph)) * scale);
    }
    out.append(inRun ? "]]" : "]");
    return out;
}

QByteArray toUnicodeCMap(const GlyphText& drawn)
{
    QByteArray out("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                   "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                   "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                   "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n");
    QByteArray section;
    int entries = 0;
    const auto closeSection = [&] {
        if (entries == 0)
            return;
        appendInteger(out, entries);
        out.append(" beginbfchar\n").append(section).append("endbfchar\n");
        section.resize(0);
        entries = 0;
    };
    for (size_t glyph = 0; glyph < drawn.size(); ++glyph) {
        if (drawn[glyph] == NotDrawn)
            continue;
        section.append('<');
        appendHex4(section, quint32(glyph));
        section.append("> <");
        appendUtf16(section, drawn[glyph]);
        section.append(">\n");
        if (++entries == SectionSize)
            closeSection();
    }
    closeSection();
    out.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return out;
}

} // namespace lvx::print::pdf
