#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

// "Transpose Song": picks a shift of -12..12 semitones and hands it to the
// active song window's Transpose.
class frmTranspose final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTranspose)

public:
    explicit frmTranspose(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmTranspose() override;

    // The semitones OK applies: the bar's value negated.
    int shift() const;

private:
    void showShift();
    void transposeSong();

    DesktopContext& m_desktop;
    QScrollBar* m_upDown = nullptr;
    QLabel* m_shown = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
