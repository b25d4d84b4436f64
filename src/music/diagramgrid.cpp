#include "diagramgrid.h"

#include <QtGlobal>

namespace lvx::music {

DiagramGrid::DiagramGrid(QSize cell, QSize area, int count)
    : m_cell(qMax(cell.width(), 1), qMax(cell.height(), 1)), m_area(area), m_count(qMax(count, 0))
{
}

int DiagramGrid::columns() const
{
    return qMax(m_area.width() / m_cell.width(), 1);
}

int DiagramGrid::visibleRows() const
{
    return qMax(m_area.height() / m_cell.height(), 1);
}

int DiagramGrid::rowsNeeded() const
{
    return (m_count + columns() - 1) / columns();
}

int DiagramGrid::lastFirstRow() const
{
    return qMax(rowsNeeded() - visibleRows(), 0);
}

int DiagramGrid::entryAt(int row, int column, int firstRow) const
{
    if (row < 0 || column < 0 || column >= columns())
        return 0;
    const int entry = (row + firstRow) * columns() + column + 1;
    return entry >= 1 && entry <= m_count ? entry : 0;
}

int DiagramGrid::entryAtPoint(QPoint point, int firstRow) const
{
    if (point.x() < 0 || point.y() < 0)
        return 0;
    return entryAt(point.y() / m_cell.height(), point.x() / m_cell.width(), firstRow);
}

} // namespace lvx::music
