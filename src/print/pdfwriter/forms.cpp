#include "forms.h"

#include "pdffile.h"
#include "pdfsyntax.h"

#include <algorithm>
#include <array>
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

// The dictionary entries a form starts with: its type and bounding box.
QByteArray formEntries(const Forms::Box& box)
{
    QByteArray entries("/Type /XObject /Subtype /Form /BBox [");
    appendPoints(entries, {box[0], box[1], box[2], box[3]});
    entries.append(']');
    return entries;
}

// Adds the form drawing `path` as the next resource of its kind, its bounding
// box (left, top, right, bottom) widened by the margin.
template <typename Key>
int addForm(PdfFile& file, QHash<Key, int>& byKey, std::vector<int>& objects, const Key& key, const QByteArray& path,
            const Forms::Box& box)
{
    const int resource = int(objects.size()) + 1;
    const int object = file.reserve();
    byKey.insert(key, resource);
    objects.push_back(object);
    file.writeStream(object, formEntries({box[0] - Margin, box[1] - Margin, box[2] + Margin, box[3] + Margin}), path);
    return resource;
}

// A circle path (four cubic Béziers, closed) around (x, y).
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

} // namespace

int Forms::circle(PdfFile& file, double radius, bool filled)
{
    const qint64 hundredths = std::llround(std::abs(std::isfinite(radius) ? qMin(radius, 1e9) : 0.0) * 100);
    const qint64 shape = hundredths * 2 + (filled ? 1 : 0);
    if (const auto known = m_circles.constFind(shape); known != m_circles.cend())
        return *known;
    const double r = hundredths / 100.0;
    QByteArray path;
    appendCirclePath(path, 0, 0, r);
    path.append(filled ? " B" : " S");
    return addForm(file, m_circles, m_circleObjects, shape, path, {-r, -r, r, r});
}

int Forms::figure(PdfFile& file, std::span<const LineSegment> segments)
{
    // Known by the coordinates themselves: writing them out for every diagram
    // cost more than placing it.
    const QByteArray key(reinterpret_cast<const char*>(segments.data()), qsizetype(segments.size_bytes()));
    if (const auto known = m_figures.constFind(key); known != m_figures.cend())
        return *known;
    QByteArray path;
    Box box{};   // the origin inside
    for (const LineSegment& segment : segments) {
        appendPoints(path, {segment.x1, segment.y1});
        path.append("m ");
        appendPoints(path, {segment.x2, segment.y2});
        path.append("l\n");
        box = {std::min({box[0], segment.x1, segment.x2}), std::min({box[1], segment.y1, segment.y2}),
               std::max({box[2], segment.x1, segment.x2}), std::max({box[3], segment.y1, segment.y2})};
    }
    path.append('S');
    return addForm(file, m_figures, m_figureObjects, key, path, box);
}

Forms::Drawing Forms::addDrawing(PdfFile& file)
{
    m_drawingObjects.push_back(file.reserve());
    return {int(m_drawingObjects.size()), m_drawingObjects.back()};
}

QByteArray Forms::drawingEntries(const Box& box, int resources)
{
    QByteArray entries = formEntries(box);
    appendReference(entries, " /Resources", resources);
    return entries;
}

QByteArray Forms::resourceEntry() const
{
    if (m_circleObjects.empty() && m_figureObjects.empty() && m_drawingObjects.empty())
        return {};
    QByteArray out(" /XObject <<");
    const auto appendEntries = [&out](const char* prefix, const std::vector<int>& objects) {
        for (size_t index = 0; index < objects.size(); ++index) {
            out.append(prefix);
            appendInteger(out, qint64(index) + 1);
            appendReference(out, "", objects[index]);
        }
    };
    appendEntries(" /C", m_circleObjects);
    appendEntries(" /G", m_figureObjects);
    appendEntries(" /D", m_drawingObjects);
    out.append(" >>");
    return out;
}

} // namespace lvx::print::pdf
