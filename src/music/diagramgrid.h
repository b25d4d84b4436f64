#pragma once

#include <QPoint>
#include <QSize>

namespace lvx::music {

// Diagrams laid out in rows of equal cells, read from the top left, and
// scrolled by whole rows.
class DiagramGrid final
{
public:
    DiagramGrid(QSize cell, QSize area, int count);

    // At least one, so a narrow window still shows a column.
    int columns() const;
    int visibleRows() const;
    int rowsNeeded() const;
    // The highest first row the scroll bar offers; 0 when everything fits.
    int lastFirstRow() const;

    // Entry 1..count in the cell at row and column (from 0) on screen, or 0
    // for an empty cell.
    int entryAt(int row, int column, int firstRow) const;
    // The entry under a point of the area, or 0.
    int entryAtPoint(QPoint point, int firstRow) const;

private:
    QSize m_cell;
    QSize m_area;
    int m_count;
};

} // namespace lvx::music
