#include "print/ui/printersurface.h"

#include <QPagedPaintDevice>

namespace lvx::print {

namespace {

QSizeF pageTwips(const QPagedPaintDevice& device)
{
    return device.pageLayout().fullRect(QPageLayout::Point).size() * 20.0;
}

} // namespace

PrinterSurface::PrinterSurface(QPagedPaintDevice& device) : PagedSurface(pageTwips(device))
{
    installFontSubstitutions();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    const double scale = device.logicalDpiX() / 1440.0;
    painter->scale(scale, scale);
    startPainting(device, std::move(painter));
}

PrinterSurface::~PrinterSurface()
{
    end();
}

} // namespace lvx::print
