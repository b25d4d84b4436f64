#pragma once

#include "music/chorddialogstate.h"

#include <QLabel>

#include <array>

class QLayout;

namespace lvx::music {

// A flat note or chord-type label that behaves like a button: it takes the
// keyboard focus, clicks on Space or the mouse, reports double clicks, and shows
// whether it is the current choice.
class ChoiceLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChoiceLabel)
    Q_PROPERTY(bool selected READ isSelected WRITE setSelected)

public:
    explicit ChoiceLabel(const QString& text, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_selected = false;
    bool m_pressed = false;
};

using NoteLabels = std::array<ChoiceLabel*, NoteLabelCount>;

// A row of the seven note labels and the two accidentals, named prefix0..prefix8.
QLayout* createNoteRow(QWidget* owner, NoteLabels& labels, const QString& namePrefix);
// The note labels of the tone and bass rows captioned in the notation in force.
void captionNoteLabels(NoteLabels& tone, NoteLabels& bass, const QString& notation);

} // namespace lvx::music
