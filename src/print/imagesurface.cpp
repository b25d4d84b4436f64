#include "imagesurface.h"

namespace lvx::print {

ImageSurface::ImageSurface(QSize pixels, QSizeF pageTwips)
    : PainterSurface(nullptr, pageTwips), m_image(pixels, QImage::Format_RGB32)
{
    installFontSubstitutions();
    m_image.fill(Qt::white);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->setRenderHint(QPainter::TextAntialiasing);
    m_painter->scale(pixels.width() / pageTwips.width(), pixels.height() / pageTwips.height());
    setPainter(m_painter.get());
}

ImageSurface::~ImageSurface()
{
    setPainter(nullptr);
    m_painter->end();
}

void ImageSurface::Clear()
{
    m_painter->save();
    m_painter->resetTransform();
    m_painter->fillRect(m_image.rect(), Qt::white);
    m_painter->restore();
}

QImage ImageSurface::image() const
{
    return m_image.copy();
}

} // namespace lvx::print
