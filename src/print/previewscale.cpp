#include "previewscale.h"

#include <QtMath>

namespace lvx::print {

PreviewScale PreviewScale::fit(QSizeF pageTwips, int availableHeight)
{
    PreviewScale scale;
    scale.m_baseHeight = qMax(1, availableHeight);
    // A page without size (no printer driver answered) still gets a picture.
    const double height = pageTwips.height() > 0 ? pageTwips.height() : 1.0;
    scale.m_scaleDen = height / scale.m_baseHeight;
    scale.m_baseWidth = qMax(1, int(pageTwips.width() / scale.m_scaleDen));
    return scale;
}

QPoint PreviewScale::toggle(QPoint clicked, QPoint onScreen)
{
    const int before = m_scaleNum;
    m_scaleNum = before == 1 ? 2 : 1;
    const QPoint moved = clicked * m_scaleNum / before;
    if (!zoomed())
        return QPoint(0, 0);
    return moved - onScreen;
}

} // namespace lvx::print
