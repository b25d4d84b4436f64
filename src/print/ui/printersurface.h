#pragma once

#include "print/paintersurface.h"

#include <QPainter>

#include <memory>

class QPagedPaintDevice;

namespace lvx::print {

// A printer (a CUPS queue, or the PDF writer behind a file chosen in the print
// dialog) drawn in twips: the painter is scaled from the device's own
// resolution, so text and lines come out the same size at any resolution the
// driver settles on.
class PrinterSurface final : public PagedSurface
{
public:
    explicit PrinterSurface(QPagedPaintDevice& device);
    ~PrinterSurface() override;
    Q_DISABLE_COPY_MOVE(PrinterSurface)

    // False when the printer could not be started (no painter).
    bool isActive() const { return painting(); }
};

} // namespace lvx::print
