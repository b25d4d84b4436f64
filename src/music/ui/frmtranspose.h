#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

// "Transpose Song": picks a shift of -12..12 semitones and hands it to the
// active song window's Transpose. For a song that names its key (the window's
// SongKey), "To key:" offers the 24 keys instead: OK then hands the key to
// the window's TransposeToKey, which also spells the chords as that key does.
class frmTranspose final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTranspose)

public:
    explicit frmTranspose(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmTranspose() override;

    // The semitones OK applies: the bar's value negated.
    int shift() const;
    // The key chosen under "To key:", empty for a shift by semitones.
    QString targetKey() const;

private:
    void showShift();
    void keyChosen();
    void transposeSong();

    DesktopContext& m_desktop;
    QScrollBar* m_upDown = nullptr;
    QLabel* m_shown = nullptr;
    QString m_songKey;
    QComboBox* m_toKey = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
