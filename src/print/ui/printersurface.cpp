#include "print/ui/printersurface.h"

#include <QPrinter>

namespace lvx::print {

namespace {

QSizeF pageTwips(const QPrinter& printer)
{
    return printer.pageLayout().fullRect(QPageLayout::Point).size() * 20.0;
}

} // namespace

PrinterSurface::PrinterSurface(QPrinter& printer) : PainterSurface(nullptr, pageTwips(printer)), m_printer(printer)
{
    installFontSubstitutions();
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer))
        return;
    painter->setRenderHint(QPainter::Antialiasing);
    const double scale = printer.resolution() / 1440.0;
    painter->scale(scale, scale);
    m_painter = std::move(painter);
    setPainter(m_painter.get());
}

PrinterSurface::~PrinterSurface()
{
    end();
}

void PrinterSurface::NewPage()
{
    if (m_painter == nullptr)
        return;
    m_printer.newPage();
    ++m_page;
}

void PrinterSurface::end()
{
    if (m_painter == nullptr)
        return;
    setPainter(nullptr);
    m_painter->end();
    m_painter.reset();
}

} // namespace lvx::print
