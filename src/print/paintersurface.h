#pragma once

#include "surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>

#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPainter;

namespace lvx::print {

// A surface over a QPainter whose logical unit is the twip: a PDF writer or a
// printer at 1440 dots per inch draws one to one; a preview picture gives the
// painter a scale. Fonts are sized in pixels of the logical unit (20 a point),
// so text measures the same on every device. Without a painter the surface
// only measures (a reference that never draws).
class PainterSurface : public Surface
{
public:
    PainterSurface(QPainter* painter, QSizeF pageTwips);

    double ScaleWidth() const override { return m_page.width(); }
    double ScaleHeight() const override { return m_page.height(); }
    double TextWidth(const QString& text) override;
    double TextHeight(const QString& text) override;

    void Line(double x1, double y1, double x2, double y2) override;
    void Circle(double x, double y, double radius, bool filled) override;
    void FillRect(double x1, double y1, double x2, double y2) override;

protected:
    void drawText(double x, double y, const QString& text) override;
    void setPage(QSizeF pageTwips) { m_page = pageTwips; }
    void setPainter(QPainter* painter) { m_painter = painter; }
    QPainter* painter() const { return m_painter; }

private:
    QPainter* m_painter;
    QSizeF m_page;

    // The font the metrics were made for, so a run of measures in one font
    // builds them once.
    struct FontKey
    {
        QString name;
        double size;
        bool bold;
        bool italic;
        bool operator==(const FontKey&) const = default;
    };
    std::optional<FontKey> m_key;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;

    const QFontMetricsF& metrics();
    void usePenAndBrush(bool filled);
};

// A surface that owns its painter over a device of numbered pages (a PDF
// writer or a printer). The device outlives the painter: a subclass that owns
// it calls end() in its destructor.
class PagedSurface : public PainterSurface
{
public:
    int Page() const override { return m_page; }
    void NewPage() override;
    // Finishes the document; nothing is drawn after this.
    void end();

protected:
    explicit PagedSurface(QSizeF pageTwips);
    ~PagedSurface() override;
    void startPainting(QPagedPaintDevice& device, std::unique_ptr<QPainter> painter);
    bool painting() const { return m_painter != nullptr; }

private:
    QPagedPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_painter;
    int m_page = 1;
};

// Colours are stored with red in the low byte.
QColor toQColor(qint32 color);

// Qt draws the free faces that stand in for the classic Windows ones.
void installFontSubstitutions();

} // namespace lvx::print
