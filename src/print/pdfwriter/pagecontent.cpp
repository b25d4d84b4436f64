#include "pagecontent.h"

#include "pdfsyntax.h"

namespace lvx::print::pdf {

namespace {

// Control points of a quarter circle drawn as one cubic Bézier.
constexpr double Kappa = 0.5522847498;

} // namespace

PageContent::PageContent(double pageHeightPoints)
{
    m_out.reserve(8192);
    // Twips from the top-left; lines 0.6 pt wide with square caps and bevel
    // joins, as the painter surfaces draw them.
    m_out.append("0.05 0 0 -0.05 0 ");
    appendNumber(m_out, pageHeightPoints);
    m_out.append(" cm 12 w 2 J 2 j\n");
}

void PageContent::point(double x, double y)
{
    appendNumber(m_out, x);
    m_out.append(' ');
    appendNumber(m_out, y);
    m_out.append(' ');
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

void PageContent::circle(double x, double y, double radius, qint32 stroke, bool filled, qint32 fill)
{
    endText();
    useStroke(stroke);
    if (filled)
        useFill(fill);
    const double k = radius * Kappa;
    point(x + radius, y);
    m_out.append("m\n");
    const double quarters[4][6] = {
        {x + radius, y + k, x + k, y + radius, x, y + radius},
        {x - k, y + radius, x - radius, y + k, x - radius, y},
        {x - radius, y - k, x - k, y - radius, x, y - radius},
        {x + k, y - radius, x + radius, y - k, x + radius, y},
    };
    for (const auto& q : quarters) {
        point(q[0], q[1]);
        point(q[2], q[3]);
        point(q[4], q[5]);
        m_out.append("c\n");
    }
    m_out.append(filled ? "h B\n" : "h S\n");
}

void PageContent::fillRect(double x1, double y1, double x2, double y2, qint32 fill)
{
    endText();
    useFill(fill);
    point(x1, y1);
    point(x2 - x1, y2 - y1);
    m_out.append("re f\n");
}

void PageContent::text(int font, double size, qint32 color, double x, double baseline, const quint16* glyphs,
                       qsizetype count)
{
    if (!m_inText) {
        m_out.append("BT\n");
        m_inText = true;
    }
    // Font and colour belong to the graphics state and outlive the text object.
    if (font != m_font || size != m_size) {
        m_font = font;
        m_size = size;
        m_out.append("/F");
        appendInteger(m_out, font);
        m_out.append(' ');
        appendNumber(m_out, size);
        m_out.append(" Tf\n");
    }
    useFill(color);
    // The page is flipped so y runs down; flipping the text back keeps it upright.
    m_out.append("1 0 0 -1 ");
    point(x, baseline);
    m_out.append("Tm <");
    for (qsizetype i = 0; i < count; ++i)
        appendHex4(m_out, glyphs[i]);
    m_out.append("> Tj\n");
}

QByteArray PageContent::take()
{
    endText();
    return std::move(m_out);
}

} // namespace lvx::print::pdf
