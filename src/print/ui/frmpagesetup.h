#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::print {

// "Page Setup": the song's margins and orientation, and whether printing uses
// colour (a setting of the program, not of the song).
class frmPageSetup final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPageSetup)

public:
    frmPageSetup(DesktopContext& desktop, song::Song& song, QWidget* parent = nullptr);
    ~frmPageSetup() override;

    // Writes the boxes back: margins as typed (no range check), orientation,
    // colour printing.
    void apply();

private:
    enum Margin { Left, Right, Top, Bottom };

    QWidget* createMarginsPage();
    QWidget* createPrinterPage();
    void load();
    // Leaving a margin box: the value rewritten in inches, or "Invalid Value".
    void checkMargin(QLineEdit* box);

    DesktopContext& m_desktop;
    song::Song& m_song;
    QTabWidget* m_tabs = nullptr;
    std::array<QLineEdit*, 4> m_margins{};
    // The boxes as loaded: a box shows its margin rounded to hundredths of an
    // inch, so one left as it was keeps the exact margin.
    std::array<QString, 4> m_loaded;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QCheckBox* m_color = nullptr;
};

} // namespace lvx::print
