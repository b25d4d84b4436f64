#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

// "Chord Types Dictionary": the chord type table as a list, with the commands
// that insert, edit and delete its entries and show one on every tonic. The
// entries go to the editor and come back through the active chord type.
class frmModes final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmModes)

public:
    explicit frmModes(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmModes() override;

    // Shows the table again, keeping the selected line.
    void LlenaTabla();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class State { None, Load, Edit, New };

    QLayout* createButtonColumn();
    void activate();
    void runEditor();
    int selectedRow() const;

    void editType();
    void insertType();
    void deleteType();
    void showScale();

    DesktopContext& m_desktop;
    State m_state = State::Load;

    QListWidget* m_list = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_scale = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace lvx::music
