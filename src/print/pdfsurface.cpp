#include "pdfsurface.h"

#include <QLocale>
#include <QPageLayout>

namespace lvx::print {

QPageSize defaultPdfPageSize()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                              : QPageSize(QPageSize::A4);
}

QSizeF PdfSurface::pageTwips(const QPageSize& pageSize, Orientation orientation)
{
    const QSizeF points = pageSize.size(QPageSize::Point);
    const QSizeF twips = points * 20.0;
    return orientation == Orientation::Landscape ? twips.transposed() : twips;
}

PdfSurface::PdfSurface(QIODevice* device, const QPageSize& pageSize, Orientation orientation, const QString& title)
    : PainterSurface(nullptr, pageTwips(pageSize, orientation))
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
    m_painter = std::make_unique<QPainter>(m_writer.get());
    m_painter->setRenderHint(QPainter::Antialiasing);
    setPainter(m_painter.get());
}

PdfSurface::~PdfSurface()
{
    end();
}

void PdfSurface::NewPage()
{
    if (m_painter == nullptr)
        return;
    m_writer->newPage();
    ++m_page;
}

void PdfSurface::end()
{
    if (m_painter == nullptr)
        return;
    setPainter(nullptr);
    m_painter->end();
    m_painter.reset();
}

} // namespace lvx::print
