#include "print/ui/printersurface.h"

#include <QPrinter>

namespace lvx::print {

namespace {

QSizeF pageTwips(const QPrinter& printer)
{
    return printer.pageLayout().fullRect(QPageLayout::Point).size() * 20.0;
}

} // namespace

PrinterSurface::PrinterSurface(QPrinter& printer) : PagedSurface(pageTwips(printer))
{
    installFontSubstitutions();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer))
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    const double scale = printer.resolution() / 1440.0;
    painter->scale(scale, scale);
    startPainting(printer, std::move(painter));
}

PrinterSurface::~PrinterSurface()
{
    end();
}

} // namespace lvx::print
