#pragma once

#include "print/ui/printdialogs.h"
#include "print/printstate.h"

#include <QDialog>

#include <functional>

class QScrollBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

class MarkupView;

// "Preview": the song's print markup as one long text in the print fonts, with
// no pages, headers, footers or diagrams; the scroll bar picks the first line.
class frmPreview final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPreview)

public:
    frmPreview(DesktopContext& desktop, song::Song& song, QWidget* parent = nullptr);
    ~frmPreview() override;

    // Opens the full-screen preview of the song window's song, deleted when closed.
    static frmPreview* showPreview(DesktopContext& desktop, song::Song& song, QWidget* songWindow);

    const QStringList& MarkupLines() const { return m_markup.MarkupLines; }
    // Index of the first markup line shown.
    int firstLine() const;

    // "Display and Play Chords" opens the chord types window through this; the
    // button stays disabled while it is unset.
    void setShowChordTypes(std::function<void()> show);
    // How "Send Song to Printer" asks for the printer.
    void setChoosePrinter(ChoosePrinter choose) { m_choose = std::move(choose); }

public Q_SLOTS:
    void sendToPrinter();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    DesktopContext& m_desktop;
    song::Song& m_song;
    PrintState m_markup;
    ChoosePrinter m_choose = showPrintDialog;
    std::function<void()> m_showChordTypes;

    MarkupView* m_view = nullptr;
    QScrollBar* m_scroll = nullptr;
    QWidget* m_chordsButton = nullptr;
};

} // namespace lvx::print
