#pragma once

#include "surface.h"

namespace lvx::print {

// Lays text out exactly as the surface it measures with and draws nothing: a
// dry run of a print tells on which pages things will land before any of
// them is printed. Counts its own pages from 1.
class MeasuringSurface final : public Surface
{
public:
    explicit MeasuringSurface(Surface& measure) : m_measure(measure) {}

    double ScaleWidth() const override { return m_measure.ScaleWidth(); }
    double ScaleHeight() const override { return m_measure.ScaleHeight(); }
    double TextWidth(const QString& text) override
    {
        return inOwnFont([&] { return m_measure.TextWidth(text); });
    }
    double TextHeight(const QString& text) override
    {
        return inOwnFont([&] { return m_measure.TextHeight(text); });
    }
    void Line(double, double, double, double) override {}
    void Circle(double, double, double, bool) override {}
    void FillRect(double, double, double, double) override {}

    int Page() const override { return m_page; }
    void NewPage() override { ++m_page; }

protected:
    void drawText(double, double, const QString&) override {}

private:
    Surface& m_measure;
    int m_page = 1;

    // Measures in this surface's font, leaving the other surface's font as it was.
    template<typename Measure>
    double inOwnFont(Measure measure)
    {
        const QString name = m_measure.FontName;
        const double size = m_measure.FontSize;
        const bool bold = m_measure.FontBold;
        const bool italic = m_measure.FontItalic;
        m_measure.FontName = FontName;
        m_measure.FontSize = FontSize;
        m_measure.FontBold = FontBold;
        m_measure.FontItalic = FontItalic;
        const double result = measure();
        m_measure.FontName = name;
        m_measure.FontSize = size;
        m_measure.FontBold = bold;
        m_measure.FontItalic = italic;
        return result;
    }
};

} // namespace lvx::print
