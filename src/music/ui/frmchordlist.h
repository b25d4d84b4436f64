#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::music {

// A guitar chord dictionary as a list: the global one or a song's own. Insert
// and Edit go through "Custom Guitar Chord" and the active chord definition;
// Delete removes at once; Play sounds the entry on the guitar.
class frmChordList final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmChordList)

public:
    // Shows and edits the fingerings of `owner` (the global dictionary song, or a song's own).
    frmChordList(DesktopContext& desktop, song::Song& owner, const QString& caption, QWidget* parent = nullptr);
    ~frmChordList() override;

    // Refills the list from the owner, keeping the selected line where it can.
    void LoadChords();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the list does when it is active again after the fingering editor.
    enum class Pending { None, Load, New, Edit };

    void createControls();
    void connectControls();
    void activate();
    void updateButtons();
    int selectedIndex() const;
    void select(int index);
    void editFingering(Pending pending);
    void insertChord();
    void editChord();
    void deleteChord();
    void playChord();

    DesktopContext& m_desktop;
    song::Song& m_owner;
    Pending m_pending = Pending::Load;

    QListWidget* m_list = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace lvx::music
