#include "music/ui/choicelabel.h"

#include <QHBoxLayout>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace lvx::music {

namespace {

// The border grows by a pixel with the focus; the padding gives it back so the
// caption does not move.
const QString LabelStyle = QStringLiteral(
    "QLabel { border: 1px solid palette(mid); border-radius: 4px; padding: 3px 7px;"
    " background: palette(base); color: palette(text); }"
    "QLabel:hover { border-color: palette(highlight); }"
    "QLabel:focus { border: 2px solid palette(highlight); padding: 2px 6px; }"
    "QLabel[selected=\"true\"] { background: palette(highlight); color: palette(highlighted-text);"
    " border-color: palette(highlight); font-weight: bold; }"
    "QLabel[selected=\"true\"]:focus { border-color: palette(text); }"
    "QLabel:disabled { background: palette(window); color: palette(mid); border-color: palette(midlight); }");

} // namespace

ChoiceLabel::ChoiceLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumWidth(34);
    setStyleSheet(LabelStyle);
}

void ChoiceLabel::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    // Property selectors of a style sheet are only read when the widget is polished.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void ChoiceLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void ChoiceLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

// The first click of the pair has already made the choice; a second one would
// toggle an accidental back.
void ChoiceLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit doubleClicked();
}

void ChoiceLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            emit clicked();
        event->accept();
        return;
    case Qt::Key_Left:
        focusPreviousChild();
        event->accept();
        return;
    case Qt::Key_Right:
        focusNextChild();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

QLayout* createNoteRow(QWidget* owner, NoteLabels& labels, const QString& namePrefix)
{
    static const std::array<QString, 2> Accidentals{QStringLiteral("#"), QStringLiteral("b")};
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int index = 0; index < NoteLabelCount; ++index) {
        const QString caption = index < LetterCount ? noteCaption(index, QStringLiteral("C")) : Accidentals.at(index - LetterCount);
        labels.at(index) = new ChoiceLabel(caption, owner);
        labels.at(index)->setObjectName(namePrefix + QString::number(index));
        if (index == SharpIndex)
            row->addSpacing(10);
        row->addWidget(labels.at(index));
    }
    row->addStretch();
    return row;
}

void captionNoteLabels(NoteLabels& tone, NoteLabels& bass, const QString& notation)
{
    for (int letter = 0; letter < LetterCount; ++letter) {
        const QString caption = noteCaption(letter, notation);
        tone.at(letter)->setText(caption);
        bass.at(letter)->setText(caption);
    }
}

} // namespace lvx::music
