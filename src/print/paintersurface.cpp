#include "paintersurface.h"

#include "fontsubstitutes.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace lvx::print {

namespace {

constexpr double TwipsPerPoint = 20.0;

} // namespace

QColor toQColor(qint32 color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void installFontSubstitutions()
{
    for (const FontSubstitute& substitute : fontSubstitutes())
        QFont::insertSubstitution(substitute.family.toString(), substitute.face.toString());
}

PainterSurface::PainterSurface(QPainter* painter, QSizeF pageTwips) : m_painter(painter), m_page(pageTwips) {}

const QFontMetricsF& PainterSurface::metrics()
{
    const FontKey key{FontName, FontSize, FontBold, FontItalic};
    if (!m_key || !(*m_key == key)) {
        m_key = key;
        m_font = QFont(FontName);
        // A size of 0 or less would make Qt pick its default; keep it tiny instead.
        m_font.setPixelSize(qMax(1, int(std::lround(FontSize * TwipsPerPoint))));
        m_font.setBold(FontBold);
        m_font.setItalic(FontItalic);
        m_font.setKerning(false);
        m_metrics.emplace(m_font);
    }
    return *m_metrics;
}

double PainterSurface::TextWidth(const QString& text)
{
    return metrics().horizontalAdvance(text);
}

double PainterSurface::TextHeight(const QString&)
{
    return metrics().height();
}

void PainterSurface::usePenAndBrush(bool filled)
{
    QPen pen(toQColor(ForeColor));
    pen.setWidthF(TwipsPerPoint * 0.6);
    m_painter->setPen(pen);
    m_painter->setBrush(filled ? QBrush(toQColor(FillColor)) : QBrush(Qt::NoBrush));
}

void PainterSurface::Line(double x1, double y1, double x2, double y2)
{
    if (m_painter == nullptr)
        return;
    usePenAndBrush(false);
    m_painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterSurface::Circle(double x, double y, double radius, bool filled)
{
    if (m_painter == nullptr)
        return;
    usePenAndBrush(filled);
    m_painter->drawEllipse(QPointF(x, y), radius, radius);
}

void PainterSurface::FillRect(double x1, double y1, double x2, double y2)
{
    if (m_painter == nullptr)
        return;
    m_painter->fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), toQColor(FillColor));
}

void PainterSurface::drawText(double x, double y, const QString& text)
{
    // Blanks only move the pen (chord rows are padded with them, a line of tabs
    // is thousands of them): there is nothing to draw.
    if (m_painter == nullptr || text.count(u' ') == text.size())
        return;
    const QFontMetricsF& fontMetrics = metrics();
    m_painter->setFont(m_font);
    m_painter->setPen(toQColor(ForeColor));
    m_painter->drawText(QPointF(x, y + fontMetrics.ascent()), text);
}

PagedSurface::PagedSurface(QSizeF pageTwips) : PainterSurface(nullptr, pageTwips) {}

PagedSurface::~PagedSurface() = default;

void PagedSurface::startPainting(QPagedPaintDevice& device, std::unique_ptr<QPainter> painter)
{
    m_device = &device;
    m_painter = std::move(painter);
    setPainter(m_painter.get());
}

void PagedSurface::NewPage()
{
    if (m_painter == nullptr)
        return;
    m_device->newPage();
    ++m_page;
}

void PagedSurface::end()
{
    if (m_painter == nullptr)
        return;
    setPainter(nullptr);
    m_painter->end();
    m_painter.reset();
}

} // namespace lvx::print
