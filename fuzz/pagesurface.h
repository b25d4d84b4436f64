#pragma once

#include "print/surface.h"

#include <algorithm>

// A Letter page that measures text roughly as a proportional face does (half an
// em a character, and like the PDF surface never less than a twip an em) and
// draws nothing: the page renderer lays out and breaks pages on it as on paper.
// It counts its pages and the text it was given.
namespace lvx::fuzz {

class PageSurface final : public print::Surface
{
public:
    double ScaleWidth() const override { return 12240; }
    double ScaleHeight() const override { return 15840; }
    double TextWidth(const QString& text) override { return double(text.size()) * em() / 2; }
    double TextHeight(const QString&) override { return em() * 1.2; }
    void Line(double, double, double, double) override {}
    void Circle(double, double, double, bool) override {}
    void FillRect(double, double, double, double) override {}
    int Page() const override { return pages; }
    void NewPage() override { ++pages; }

    int pages = 1;
    qsizetype printed = 0;

protected:
    double em() const { return std::max(FontSize * 20, 1.0); }
    void drawText(double, double, const QString& text) override { printed += text.size(); }
};

} // namespace lvx::fuzz
