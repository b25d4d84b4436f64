#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

class PianoKeyboard;

// "Piano Chord Search": a tool window with a three-octave keyboard. Each key
// sounds when clicked and toggles between pressed and released; the chord the
// pressed keys make is named from the chord type table as they change.
class frmPiano final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmPiano)

public:
    explicit frmPiano(DesktopContext& desktop, QWidget* parent = nullptr);
    ~frmPiano() override;

    void TeclaInvert(int key);
    bool isPressed(int key) const;
    QString chordText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLayout* createChordRow();
    QLayout* createButtonRow();

    void clickKey(int key);
    void search();
    void playChord();
    void clear();

    DesktopContext& m_desktop;
    PianoKeyboard* m_keyboard = nullptr;
    QLabel* m_chord = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_playChord = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace lvx::music
