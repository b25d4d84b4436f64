#pragma once

#include "print/surface.h"

#include <QByteArray>
#include <QHash>

#include <array>
#include <span>
#include <string>
#include <vector>

namespace lvx::print::pdf {

class PdfFile;

// Shapes a page draws many times, as form XObjects written when first needed:
// circles, one per radius and style, and figures of straight lines, one per set
// of offsets (a chord diagram's grid). A diagram's dots and grid then cost one
// placement each instead of their curves and lines, and pages stay small. The
// forms draw with the colours and line width in effect where they are placed.
// Whole drawings (a chord diagram, known to the caller by a key) are forms too;
// they set their own colours.
class Forms final
{
public:
    // A box around a form's content: left, top, right, bottom.
    using Box = std::array<double, 4>;

    // The resource number of the form for a circle of this radius in twips (/C<n>).
    int circle(PdfFile& file, double radius, bool filled);
    // The resource number of the form for these lines around the origin (/G<n>).
    int figure(PdfFile& file, std::span<const LineSegment> segments);
    // A new form for a drawing (/D<n>): its resource number, and the object
    // whose stream the caller writes, with drawingEntries.
    struct Drawing
    {
        int resource = 0;
        int object = 0;
    };
    Drawing addDrawing(PdfFile& file);
    // The dictionary entries of a drawing's form reaching over `box`, with
    // the document's resources.
    static QByteArray drawingEntries(const Box& box, int resources);

    // The /XObject entry of the resource dictionary (empty without forms).
    QByteArray resourceEntry() const;

private:
    QHash<qint64, int> m_circles;       // radius in hundredths, doubled, plus filled
    QHash<QByteArray, int> m_figures;   // the lines' coordinates, as bytes
    // The object of each resource number, from 1: in order, so the resource
    // dictionary reads the same every time.
    std::vector<int> m_circleObjects;
    std::vector<int> m_figureObjects;
    std::vector<int> m_drawingObjects;
};

} // namespace lvx::print::pdf
