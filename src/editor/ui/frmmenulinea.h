#pragma once

#include <QList>
#include <QWidget>

class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace lvx {
class DesktopContext;
}

namespace lvx::editor {

class frmSong;

// The line menu: a small pop-up with the chords the song used last, newest
// first. Choosing one hands it to the song window through the chord hand-over
// slots; "Insert Chord ..." opens the chord dialog instead.
class frmMenuLinea final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Capacity = 15;

    frmMenuLinea(DesktopContext& desktop, frmSong* song);

    void LabelReset();
    void LabelAdd(const QString& name);
    // Captions in the notation in force; the menu fits its entries.
    void Paint();
    // Shows the menu at a screen point, kept inside the screen. Clears the
    // dialog result, so dismissing the menu inserts nothing.
    void popupAt(QPoint globalPosition);

    int LabelCount() const { return m_count; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    DesktopContext& m_desktop;
    frmSong* m_song;
    QList<QToolButton*> m_labels;   // Label1..Label15
    QPushButton* cmdInsertChord = nullptr;
    int m_count = 0;

    void choose(int index);
    void insertChordDialog();
};

} // namespace lvx::editor
