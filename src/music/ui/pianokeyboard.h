#pragma once

#include "music/pianosearch.h"

#include <QAbstractButton>
#include <QWidget>

#include <array>

class QLabel;

namespace lvx::music {

// One key of the search keyboard, drawn as a key rather than a button; its
// checked state is the pressed flag.
class PianoKey final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PianoKey)

public:
    PianoKey(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    bool isBlack() const { return m_black; }

signals:
    // Arrow keys: -1 left, +1 right.
    void stepRequested(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The window decides whether a click presses or releases the key.
    void nextCheckState() override {}

private:
    int m_index;
    bool m_black;
};

// The three-octave keyboard with the note names under its white keys. A click
// (or Space on the focused key) reports the key; the keyboard is one stop in
// the tab chain and the arrow keys move along it.
class PianoKeyboard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PianoKeyboard)

public:
    explicit PianoKeyboard(QWidget* parent = nullptr);

    void setCaptions(const QString& notation);
    void setPressed(int key, bool pressed);
    bool isPressed(int key) const;
    PianoKeys pressedKeys() const;
    PianoKey* key(int index) const { return m_keys.at(size_t(index)); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void keyClicked(int key);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeKeys();
    void moveFocus(int fromKey, int step);

    std::array<PianoKey*, PianoSearchKeys> m_keys{};
    std::array<QLabel*, PianoWhiteKeys> m_names{};
};

} // namespace lvx::music
