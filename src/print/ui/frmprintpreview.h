#pragma once

#include "print/previewscale.h"
#include "print/ui/printdialogs.h"
#include "print/printjob.h"

#include <QCursor>
#include <QDialog>
#include <QSizeF>

class QPushButton;
class QScrollArea;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class PreviewPicture;

// "Print Preview": the song page by page as the printer will lay it out, fitted
// to the screen's height; a click zooms in to twice the size and back. Give it
// the song window as parent: it shows that window's song and closes with it.
class frmPrintPreview final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPrintPreview)

public:
    frmPrintPreview(DesktopContext& desktop, song::Song& song, QWidget* parent = nullptr);
    ~frmPrintPreview() override;

    // Opens the preview of the song window's song (not modal), deleted when closed.
    static frmPrintPreview* PrintPreviewSong(DesktopContext& desktop, song::Song& song, QWidget* songWindow);

    int PreviewPage() const { return m_page; }
    bool isLastPage() const { return m_isLastPage; }
    const PreviewScale& scale() const { return m_scale; }
    // The page as last drawn.
    QImage picture() const;
    // How "&Print" asks for the printer; tests print to a PDF file instead.
    void setChoosePrinter(ChoosePrinter choose) { m_choose = std::move(choose); }

public Q_SLOTS:
    void Home();
    void PageUp();
    void PageDown();
    // Zooms in or out around a point of the picture (in its pixels).
    void toggleZoom(QPoint clicked);
    void printSong();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* createButtons();
    void fitToScreen(int buttonsHeight);
    void render();

    DesktopContext& m_desktop;
    song::Song& m_song;
    PrintJob m_job;
    ChoosePrinter m_choose = showPrintDialog;
    QSizeF m_pageTwips;
    PreviewScale m_scale;
    int m_page = 1;
    bool m_isLastPage = false;

    QScrollArea* m_border = nullptr;
    PreviewPicture* m_area = nullptr;
    QPushButton* m_pageUp = nullptr;
    QPushButton* m_pageDown = nullptr;
    QCursor m_zoomIn;
    QCursor m_zoomOut;
};

} // namespace lvx::print
