#pragma once

#include "paintersurface.h"

#include <QImage>
#include <QPainter>

#include <memory>

namespace lvx::print {

// A page drawn on a picture, for the print preview: coordinates stay in twips,
// the painter scales them to the picture's pixels.
class ImageSurface final : public PainterSurface
{
public:
    ImageSurface(QSize pixels, QSizeF pageTwips);
    ~ImageSurface() override;
    Q_DISABLE_COPY_MOVE(ImageSurface)

    void Clear() override;
    // The picture as drawn so far.
    QImage image() const;

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace lvx::print
