#pragma once

#include "surface.h"

namespace lvx::print {

// A surface that draws nothing and measures everything as empty: for running a
// drawing only for what it computes, such as the notes a diagram plays.
class NullSurface final : public Surface
{
public:
    double ScaleWidth() const override { return 0; }
    double ScaleHeight() const override { return 0; }
    double TextWidth(const QString&) override { return 0; }
    double TextHeight(const QString&) override { return 0; }
    void Line(double, double, double, double) override {}
    void Circle(double, double, double, bool) override {}
    void FillRect(double, double, double, double) override {}

protected:
    void drawText(double, double, const QString&) override {}
};

} // namespace lvx::print
