#pragma once

#include "print/album.h"
#include "print/ui/printdialogs.h"

#include <QDialog>

class QCheckBox;
class QListWidget;

namespace lvx {
class DesktopContext;
}

namespace lvx::print {

// "Album": the songs of a songbook in print order, to add, remove, reorder,
// save as an album file and print as one job.
class frmAlbum final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAlbum)

public:
    // An empty albumFile starts a new album; otherwise the file is read and the
    // songs that are gone are reported and left out.
    frmAlbum(DesktopContext& desktop, const QString& albumFile, QWidget* parent = nullptr);
    ~frmAlbum() override;

    const Album& album() const { return m_album; }
    // How printing asks for the printer; tests print to a PDF file instead.
    void setChoosePrinter(ChoosePrinter choose) { m_choose = std::move(choose); }

    // Album > Open: asks for an album file and shows it; nothing when cancelled.
    static void OpenAlbum(DesktopContext& desktop, const QString& start, QWidget* parent);
    // Album > New.
    static void NewAlbum(DesktopContext& desktop, QWidget* parent);

public Q_SLOTS:
    void addSong();
    void deleteSong();
    void moveUp();
    void moveDown();
    // False when the album was not saved (a cancelled dialog, a failed write).
    bool SaveAlbum();
    bool SaveAlbumAs();
    void PrintAlbum();

protected:
    void done(int result) override;

private:
    void createMenu();
    QWidget* createButtons();
    QWidget* createBookOptions();
    void showSongs(int selected);
    int selectedIndex() const;
    bool mayClose();

    DesktopContext& m_desktop;
    Album m_album;
    ChoosePrinter m_choose = showPrintDialog;
    QListWidget* m_list = nullptr;
    QCheckBox* m_contents = nullptr;
    QCheckBox* m_sorted = nullptr;
    QCheckBox* m_byArtist = nullptr;

    BookOptions bookOptions() const;
};

} // namespace lvx::print
