#pragma once

#include "print/paintersurface.h"

#include <QPainter>

#include <memory>

class QPrinter;

namespace lvx::print {

// A printer (a CUPS queue or a PDF file chosen in the print dialog) drawn in
// twips: the painter is scaled from the printer's own resolution, so text and
// lines come out the same size at any resolution the driver settles on.
class PrinterSurface final : public PainterSurface
{
public:
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;
    Q_DISABLE_COPY_MOVE(PrinterSurface)

    int Page() const override { return m_page; }
    void NewPage() override;
    // False when the printer could not be started (no painter).
    bool isActive() const { return m_painter != nullptr; }
    void end();

private:
    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
    int m_page = 1;
};

} // namespace lvx::print
