#include "circleforms.h"

#include "pdffile.h"
#include "pdfsyntax.h"

#include <cmath>

namespace lvx::print::pdf {

namespace {

// Control points of a quarter circle drawn as one cubic Bézier.
constexpr double Kappa = 0.5522847498;

// Half the line width, and a little more, so the bounding box keeps the outline.
constexpr double Margin = 8;

void appendPoints(QByteArray& out, std::initializer_list<double> coordinates)
{
    for (const double value : coordinates) {
        appendNumber(out, value);
        out.append(' ');
    }
}

} // namespace

void appendCirclePath(QByteArray& out, double x, double y, double radius)
{
    const double r = radius;
    const double k = radius * Kappa;
    appendPoints(out, {x + r, y});
    out.append("m\n");
    appendPoints(out, {x + r, y + k, x + k, y + r, x, y + r});
    out.append("c\n");
    appendPoints(out, {x - k, y + r, x - r, y + k, x - r, y});
    out.append("c\n");
    appendPoints(out, {x - r, y - k, x - k, y - r, x, y - r});
    out.append("c\n");
    appendPoints(out, {x + k, y - r, x + r, y - k, x + r, y});
    out.append("c\nh");
}

int CircleForms::form(PdfFile& file, double radius, bool filled)
{
    const qint64 hundredths = std::llround(std::abs(std::isfinite(radius) ? qMin(radius, 1e9) : 0.0) * 100);
    const qint64 shape = hundredths * 2 + (filled ? 1 : 0);
    const auto known = m_byShape.constFind(shape);
    if (known != m_byShape.cend())
        return *known;
    const int resource = int(m_byShape.size()) + 1;
    const int object = file.reserve();
    m_byShape.insert(shape, resource);
    m_objects.insert(resource, object);

    const double r = hundredths / 100.0;
    QByteArray path;
    appendCirclePath(path, 0, 0, r);
    path.append(filled ? " B" : " S");
    QByteArray entries("/Type /XObject /Subtype /Form /BBox [");
    appendPoints(entries, {-r - Margin, -r - Margin, r + Margin, r + Margin});
    entries.append(']');
    file.writeStream(object, entries, path);
    return resource;
}

QByteArray CircleForms::resourceEntry() const
{
    if (m_objects.isEmpty())
        return {};
    QByteArray out(" /XObject <<");
    for (auto it = m_objects.cbegin(); it != m_objects.cend(); ++it) {
        out.append(" /C");
        appendInteger(out, it.key());
        out.append(' ');
        appendInteger(out, it.value());
        out.append(" 0 R");
    }
    out.append(" >>");
    return out;
}

} // namespace lvx::print::pdf
