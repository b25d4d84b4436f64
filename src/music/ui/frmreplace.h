#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

// "Replace Chords": hands a chord to find and its replacement, as typed, to the
// active song window's ReplaceChords.
class frmReplace final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmReplace)

public:
    explicit frmReplace(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmReplace() override;

private:
    void replaceChords();

    DesktopContext& m_desktop;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replacement = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
