#pragma once

#include "paintersurface.h"
#include "paper.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <memory>

class QIODevice;

namespace lvx::print {

// A PDF document being printed: one device unit is one twip, no margins, pages
// numbered from 1. Writes to the device given (a file, or a buffer when only
// measuring).
class PdfSurface final : public PagedSurface
{
public:
    PdfSurface(QIODevice* device, const QPageSize& pageSize, Orientation orientation, const QString& title = {});
    ~PdfSurface() override;
    Q_DISABLE_COPY_MOVE(PdfSurface)

private:
    std::unique_ptr<QPdfWriter> m_writer;

    static QSizeF pageTwips(const QPageSize& pageSize, Orientation orientation);
};

} // namespace lvx::print
