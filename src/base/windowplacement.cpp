#include "base/windowplacement.h"

#include <algorithm>

namespace lvx {

namespace {

// How many cascade steps fit before a window would lose a third of the area.
int stepsThatFit(QSize area, int step)
{
    if (step <= 0)
        return 1;
    const int room = std::min(area.width(), area.height()) / 3;
    return std::max(1, room / step + 1);
}

} // namespace

QRect newWindowGeometry(QSize area, int open, int step, int pageWidth)
{
    const int offset = (std::max(open, 0) % stepsThatFit(area, step)) * std::max(step, 0);
    const int wanted = std::max(area.width() * 3 / 4, pageWidth);
    const int width = std::clamp(wanted, 1, std::max(area.width() - offset, 1));
    const int height = std::max(area.height() - offset, 1);
    return {offset, offset, width, height};
}

QList<QRect> cascadeGeometries(QSize area, int count, int step)
{
    QList<QRect> places;
    const int steps = std::min(stepsThatFit(area, step), std::max(count, 1));
    const int spread = (steps - 1) * std::max(step, 0);
    const QSize size(std::max(area.width() - spread, 1), std::max(area.height() - spread, 1));
    for (int index = 0; index < count; ++index) {
        const int offset = (index % steps) * std::max(step, 0);
        places.append(QRect(QPoint(offset, offset), size));
    }
    return places;
}

QRect keptInside(const QRect& window, QSize area)
{
    const QSize size = window.size().boundedTo(area).expandedTo(QSize(1, 1));
    const int x = std::clamp(window.x(), 0, std::max(area.width() - size.width(), 0));
    const int y = std::clamp(window.y(), 0, std::max(area.height() - size.height(), 0));
    return {QPoint(x, y), size};
}

} // namespace lvx
