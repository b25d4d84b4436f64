#include "documentfont.h"

#include "deflate.h"
#include "fontsubset.h"
#include "pdffile.h"
#include "pdfsyntax.h"

namespace lvx::print::pdf {

namespace {

enum DescriptorFlags { FixedPitch = 1, Nonsymbolic = 32, Italic = 64 };

} // namespace

DocumentFont::DocumentFont(std::shared_ptr<const SfntFont> face, int resource, int object)
    : m_face(std::move(face)), m_resource(resource), m_object(object), m_drawn(m_face->glyphCount(), NotDrawn)
{
}

void DocumentFont::write(PdfFile& file) const
{
    const bool cff = m_face->outlines() == SfntFont::Outlines::Cff;
    const FaceMetrics& metrics = m_face->metrics();
    const QByteArray subset = subsetProgram(*m_face, m_drawn);
    QByteArray name = m_face->postScriptName();
    if (!subset.isEmpty())
        name.prepend(subsetTag(m_drawn));
    const int descendant = file.reserve();
    const int descriptor = file.reserve();
    const int program = file.reserve();
    const int toUnicode = file.reserve();

    QByteArray& font = file.beginObject(m_object);
    // A CFF font's composite name carries its encoding, as readers expect.
    font.append("<< /Type /Font /Subtype /Type0 /BaseFont /").append(name).append(cff ? "-Identity-H" : "");
    font.append(" /Encoding /Identity-H /DescendantFonts [");
    appendInteger(font, descendant);
    font.append(" 0 R]");
    appendReference(font, " /ToUnicode", toUnicode);
    font.append(" >>");
    file.endObject();

    QByteArray& cid = file.beginObject(descendant);
    cid.append(cff ? "<< /Type /Font /Subtype /CIDFontType0" : "<< /Type /Font /Subtype /CIDFontType2");
    cid.append(" /BaseFont /").append(name);
    cid.append(" /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>");
    appendReference(cid, " /FontDescriptor", descriptor);
    if (!cff)
        cid.append(" /CIDToGIDMap /Identity");
    cid.append("\n/W ").append(widthsArray(*m_face, m_drawn)).append(" >>");
    file.endObject();

    const double scale = 1000.0 / metrics.unitsPerEm;
    QByteArray& info = file.beginObject(descriptor);
    info.append("<< /Type /FontDescriptor /FontName /").append(name).append(" /Flags ");
    appendInteger(info, Nonsymbolic | (metrics.fixedPitch ? FixedPitch : 0) | (metrics.italic ? Italic : 0));
    info.append(" /FontBBox [");
    for (const int edge : {metrics.xMin, metrics.yMin, metrics.xMax, metrics.yMax}) {
        appendNumber(info, edge * scale);
        info.append(' ');
    }
    info.append("] /ItalicAngle ");
    appendNumber(info, metrics.italicAngle);
    info.append(" /Ascent ");
    appendNumber(info, metrics.ascent * scale);
    info.append(" /Descent ");
    appendNumber(info, -metrics.descent * scale);
    info.append(" /CapHeight ");
    appendNumber(info, metrics.capHeight * scale);
    // Only hinting-free rasterisers look at the stem width; a guess from the weight will do.
    info.append(metrics.bold ? " /StemV 140" : " /StemV 80");
    appendReference(info, cff ? " /FontFile3" : " /FontFile2", program);
    info.append(" >>");
    file.endObject();

    QByteArray entries("/Filter /FlateDecode ");
    if (cff)
        entries.append("/Subtype /CIDFontType0C");
    else
        appendInteger(entries.append("/Length1 "), subset.isEmpty() ? m_face->programSize() : subset.size());
    file.writeStream(program, entries, subset.isEmpty() ? m_face->deflatedProgram() : deflate(subset, 6));

    file.writeStream(toUnicode, "/Filter /FlateDecode", deflate(toUnicodeCMap(m_drawn), 6));
}

} // namespace lvx::print::pdf
