#include "pagecontent.h"

#include "pdfsyntax.h"

namespace lvx::print::pdf {

PageContent::PageContent(double pageHeightPoints)
{
    m_out.reserve(16384);
    // Twips from the top-left; lines 0.6 pt wide with square caps and bevel
    // joins, as the painter surfaces draw them.
    m_out.append("0.05 0 0 -0.05 0 ");
    appendNumber(m_out, pageHeightPoints);
    m_out.append(" cm 12 w 2 J 2 j\n");
}

PageContent::PageContent(double originX, double originY)
    : m_fill(-1), m_stroke(-1), m_originX(originX), m_originY(originY)
{
    m_out.reserve(1024);
}

void PageContent::point(double x, double y)
{
    appendNumber(m_out, x - m_originX);
    m_out += ' ';
    appendNumber(m_out, y - m_originY);
    m_out += ' ';
}

void PageContent::endText()
{
    if (m_inText) {
        m_out.append("ET\n");
        m_inText = false;
    }
}

void PageContent::useFill(qint32 color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    appendRgb(m_out, color);
    m_out.append(" rg\n");
}

void PageContent::useStroke(qint32 color)
{
    if (color == m_stroke)
        return;
    m_stroke = color;
    appendRgb(m_out, color);
    m_out.append(" RG\n");
}

void PageContent::line(double x1, double y1, double x2, double y2, qint32 stroke)
{
    endText();
    useStroke(stroke);
    point(x1, y1);
    m_out.append("m ");
    point(x2, y2);
    m_out.append("l S\n");
}

void PageContent::placeCircle(int form, double x, double y, qint32 stroke, bool filled, qint32 fill)
{
    endText();
    useStroke(stroke);
    if (filled)
        useFill(fill);
    placeForm("/C", form, x, y);
}

void PageContent::placeFigure(int form, double x, double y, qint32 stroke)
{
    endText();
    useStroke(stroke);
    placeForm("/G", form, x, y);
}

void PageContent::placeDrawing(int form, double x, double y)
{
    endText();
    placeForm("/D", form, x, y);
}

void PageContent::placeForm(const char* prefix, int form, double x, double y)
{
    m_out.append("q 1 0 0 1 ");
    point(x, y);
    m_out.append("cm ").append(prefix);
    appendInteger(m_out, form);
    m_out.append(" Do Q\n");
}

void PageContent::fillRect(double x1, double y1, double x2, double y2, qint32 fill)
{
    endText();
    useFill(fill);
    point(x1, y1);
    appendNumber(m_out, x2 - x1);
    m_out += ' ';
    appendNumber(m_out, y2 - y1);
    m_out.append(" re f\n");
}

void PageContent::text(int font, double size, qint32 color, double x, double baseline, const quint16* glyphs,
                       qsizetype count)
{
    const bool starting = !m_inText;
    if (starting) {
        m_out.append("BT\n");
        m_inText = true;
    }
    // Font and colour belong to the graphics state and outlive the text object.
    if (font != m_font || size != m_size) {
        m_font = font;
        m_size = size;
        m_out.append("/F");
        appendInteger(m_out, font);
        m_out += ' ';
        appendNumber(m_out, size);
        m_out.append(" Tf\n");
    }
    useFill(color);
    const qint64 toX = hundredths(x - m_originX);
    const qint64 toY = hundredths(baseline - m_originY);
    if (starting) {
        // The page is flipped so y runs down; flipping the text back keeps it upright.
        m_out.append("1 0 0 -1 ");
        appendHundredths(m_out, toX);
        m_out += ' ';
        appendHundredths(m_out, toY);
        m_out.append(" Tm ");
    } else {
        // Within the flipped line matrix a move up the page is a positive one.
        appendHundredths(m_out, toX - m_lineX);
        m_out += ' ';
        appendHundredths(m_out, m_lineY - toY);
        m_out.append(" Td ");
    }
    m_lineX = toX;
    m_lineY = toY;
    appendGlyphString(m_out, glyphs, count);
    m_out.append(" Tj\n");
}

std::string PageContent::take()
{
    endText();
    return std::move(m_out);
}

} // namespace lvx::print::pdf
