#pragma once

#include <QByteArray>
#include <QHash>

namespace lvx::print::pdf {

class PdfFile;

// Circles as form XObjects, one per radius and style, written when first
// needed: a chord diagram's many dots then cost one placement each instead
// of four curves, and pages stay small. The forms draw with the colours and
// line width in effect where they are placed.
class CircleForms final
{
public:
    // The resource number of the form for a circle of this radius in twips.
    int form(PdfFile& file, double radius, bool filled);

    // The /XObject entry of the resource dictionary (empty without forms).
    QByteArray resourceEntry() const;

private:
    QHash<qint64, int> m_byShape;   // radius in hundredths, doubled, plus filled
    QHash<int, int> m_objects;      // resource number to object number
};

// Appends a circle path (four cubic Béziers, closed) around (x, y).
void appendCirclePath(QByteArray& out, double x, double y, double radius);

} // namespace lvx::print::pdf
