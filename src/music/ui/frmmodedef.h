#pragma once

#include "music/modedefinition.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

class ChoiceLabel;

// "Chord Type Definition": edits the active chord type of the music state.
// Close stores the entries there and sets the dialog result flag to 1; Cancel
// leaves both alone (the flag stays 2, set when the dialog opens). The table
// itself is only read, to refuse a main alias that is taken.
class frmModeDef final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmModeDef)

public:
    frmModeDef(DesktopContext& desktop, ModeEdit edit, QWidget* parent = nullptr);
    ~frmModeDef() override;

    // Fills the controls from the active chord type.
    void load();
    // Checks the entries and stores them; false, with the reason shown, when refused.
    bool apply();

    bool isLit(int semitone) const { return m_lit.at(size_t(semitone)); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createNamePanel();
    QWidget* createAliasPanel();
    QWidget* createIntervalPanel();
    QLayout* createButtonRow();

    void toggle(int semitone);
    void paintToggle(int semitone);
    void newAlias();
    void deleteAlias();
    void closeAccepting();

    DesktopContext& m_desktop;
    ModeEdit m_edit;
    bool m_loaded = false;
    IntervalToggles m_lit{};

    QLineEdit* m_main = nullptr;
    QLineEdit* m_desc = nullptr;
    QListWidget* m_aliases = nullptr;
    QPushButton* m_newAlias = nullptr;
    QPushButton* m_deleteAlias = nullptr;
    std::array<ChoiceLabel*, IntervalToggleCount> m_inv{};
    QPushButton* m_close = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
