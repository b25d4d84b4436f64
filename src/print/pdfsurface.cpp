#include "pdfsurface.h"

#include <QPageLayout>

namespace lvx::print {

QSizeF PdfSurface::pageTwips(const QPageSize& pageSize, Orientation orientation)
{
    const QSizeF points = pageSize.size(QPageSize::Point);
    const QSizeF twips = points * 20.0;
    return orientation == Orientation::Landscape ? twips.transposed() : twips;
}

PdfSurface::PdfSurface(QIODevice* device, const QPageSize& pageSize, Orientation orientation, const QString& title)
    : PagedSurface(pageTwips(pageSize, orientation))
{
    installFontSubstitutions();
    m_writer = std::make_unique<QPdfWriter>(device);
    m_writer->setResolution(1440);
    m_writer->setCreator(QStringLiteral("Liravox"));
    m_writer->setTitle(title);
    m_writer->setPageLayout(QPageLayout(pageSize,
                                        orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait,
                                        QMarginsF()));
    auto painter = std::make_unique<QPainter>(m_writer.get());
    painter->setRenderHint(QPainter::Antialiasing);
    startPainting(*m_writer, std::move(painter));
}

PdfSurface::~PdfSurface()
{
    end();
}

} // namespace lvx::print
