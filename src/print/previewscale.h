#pragma once

#include <QPoint>
#include <QSize>
#include <QSizeF>
#include <QtGlobal>

namespace lvx::print {

// The print preview's picture: the printer page fitted to the height the screen
// leaves for it, and a two-step zoom.
class PreviewScale final
{
public:
    PreviewScale() = default;
    // A page of pageTwips shown availableHeight pixels high.
    static PreviewScale fit(QSizeF pageTwips, int availableHeight);

    int baseWidth() const { return m_baseWidth; }
    int baseHeight() const { return m_baseHeight; }
    // Printer twips per picture pixel at the fitted size.
    double ScaleDen() const { return m_scaleDen; }
    // 1 fitted, 2 zoomed.
    int ScaleNum() const { return m_scaleNum; }
    bool zoomed() const { return m_scaleNum == 2; }
    QSize pictureSize() const { return QSize(m_baseWidth, m_baseHeight) * m_scaleNum; }

    // Zooms in or back out at a click. clicked is the point on the picture (in
    // its pixels before the change), onScreen where the pointer is in the frame
    // the picture scrolls in; the result is the scroll position that keeps the
    // clicked spot of the page under the pointer (the scroll bars clamp it to
    // what the picture allows).
    QPoint toggle(QPoint clicked, QPoint onScreen);

private:
    int m_baseWidth = 1;
    int m_baseHeight = 1;
    double m_scaleDen = 1.0;
    int m_scaleNum = 1;
};

} // namespace lvx::print
