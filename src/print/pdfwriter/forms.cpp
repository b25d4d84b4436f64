#include "forms.h"

#include "pdffile.h"
#include "pdfsyntax.h"

#include <algorithm>
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

int Forms::circle(PdfFile& file, double radius, bool filled)
{
    const qint64 hundredths = std::llround(std::abs(std::isfinite(radius) ? qMin(radius, 1e9) : 0.0) * 100);
    const qint64 shape = hundredths * 2 + (filled ? 1 : 0);
    const auto known = m_circles.constFind(shape);
    if (known != m_circles.cend())
        return *known;
    const int resource = int(m_circles.size()) + 1;
    const int object = file.reserve();
    m_circles.insert(shape, resource);
    m_circleObjects.insert(resource, object);

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

int Forms::figure(PdfFile& file, std::span<const LineSegment> segments)
{
    QByteArray path;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    for (const LineSegment& segment : segments) {
        appendPoints(path, {segment.x1, segment.y1});
        path.append("m ");
        appendPoints(path, {segment.x2, segment.y2});
        path.append("l\n");
        left = std::min({left, segment.x1, segment.x2});
        right = std::max({right, segment.x1, segment.x2});
        top = std::min({top, segment.y1, segment.y2});
        bottom = std::max({bottom, segment.y1, segment.y2});
    }
    path.append('S');
    const auto known = m_figures.constFind(path);
    if (known != m_figures.cend())
        return *known;
    const int resource = int(m_figures.size()) + 1;
    const int object = file.reserve();
    m_figures.insert(path, resource);
    m_figureObjects.insert(resource, object);

    QByteArray entries("/Type /XObject /Subtype /Form /BBox [");
    appendPoints(entries, {left - Margin, top - Margin, right + Margin, bottom + Margin});
    entries.append(']');
    file.writeStream(object, entries, path);
    return resource;
}

QByteArray Forms::resourceEntry() const
{
    if (m_circleObjects.isEmpty() && m_figureObjects.isEmpty())
        return {};
    QByteArray out(" /XObject <<");
    const auto appendEntries = [&out](const char* prefix, const QHash<int, int>& objects) {
        for (auto it = objects.cbegin(); it != objects.cend(); ++it) {
            out.append(prefix);
            appendInteger(out, it.key());
            appendReference(out, "", it.value());
        }
    };
    appendEntries(" /C", m_circleObjects);
    appendEntries(" /G", m_figureObjects);
    out.append(" >>");
    return out;
}

} // namespace lvx::print::pdf
