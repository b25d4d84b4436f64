#include "music/ui/pianokeyboard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace lvx::music {

namespace {

constexpr int WhiteWidth = 30;
constexpr int WhiteHeight = 130;
constexpr int BlackWidth = 18;
constexpr int BlackHeight = 82;
constexpr int NameHeight = 22;
constexpr int Margin = 2;

const QColor WhiteUp(0xfb, 0xfb, 0xf8);
const QColor WhiteDown(0x7e, 0xc8, 0xf4);
const QColor BlackUp(0x26, 0x26, 0x2a);
const QColor BlackDown(0x1f, 0x6f, 0xb8);
const QColor Outline(0x55, 0x55, 0x5a);

// The white key whose right edge a black key straddles.
int whiteBelow(int key)
{
    int whites = 0;
    for (int index = 0; index < key; ++index)
        whites += isBlackKey(index) ? 0 : 1;
    return whites;
}

} // namespace

PianoKey::PianoKey(int index, QWidget* parent) : QAbstractButton(parent), m_index(index), m_black(isBlackKey(index))
{
    setObjectName(u"Tecla" + QString::number(index));
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void PianoKey::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, -4.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(area, m_black ? 2.5 : 4, m_black ? 2.5 : 4);
    const QColor fill = m_black ? (isChecked() ? BlackDown : BlackUp) : (isChecked() ? WhiteDown : WhiteUp);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(Outline, 1));
    painter.drawPath(shape);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(area.adjusted(3, 8, -3, -3), 3, 3);
    }
}

void PianoKey::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit stepRequested(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

PianoKeyboard::PianoKeyboard(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Keyboard"));
    for (int index = 0; index < PianoWhiteKeys; ++index) {
        m_names.at(size_t(index)) = new QLabel(this);
        m_names.at(size_t(index))->setObjectName(u"lNote" + QString::number(index));
        m_names.at(size_t(index))->setAlignment(Qt::AlignCenter);
    }
    // White keys first, so the black ones lie on top of them.
    for (bool black : {false, true}) {
        for (int index = 0; index < PianoSearchKeys; ++index) {
            if (isBlackKey(index) != black)
                continue;
            auto* key = new PianoKey(index, this);
            m_keys.at(size_t(index)) = key;
            connect(key, &PianoKey::clicked, this, [this, key] { emit keyClicked(key->index()); });
            connect(key, &PianoKey::stepRequested, this, [this, key](int step) { moveFocus(key->index(), step); });
        }
    }
    // One tab stop for the whole keyboard: the first key, moved by the arrows.
    m_keys.front()->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_keys.front());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    placeKeys();
}

void PianoKeyboard::setCaptions(const QString& notation)
{
    for (int index = 0; index < PianoWhiteKeys; ++index)
        m_names.at(size_t(index))->setText(whiteKeyCaption(index, notation));
}

void PianoKeyboard::setPressed(int key, bool pressed)
{
    if (key >= 0 && key < PianoSearchKeys)
        m_keys.at(size_t(key))->setChecked(pressed);
}

bool PianoKeyboard::isPressed(int key) const
{
    return key >= 0 && key < PianoSearchKeys && m_keys.at(size_t(key))->isChecked();
}

PianoKeys PianoKeyboard::pressedKeys() const
{
    PianoKeys pressed{};
    for (int key = 0; key < PianoSearchKeys; ++key)
        pressed.at(size_t(key)) = isPressed(key);
    return pressed;
}

QSize PianoKeyboard::sizeHint() const
{
    return {PianoWhiteKeys * WhiteWidth + 2 * Margin, WhiteHeight + NameHeight + 2 * Margin};
}

void PianoKeyboard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeKeys();
}

void PianoKeyboard::placeKeys()
{
    const int left = (width() - PianoWhiteKeys * WhiteWidth) / 2;
    for (PianoKey* key : m_keys) {
        const int white = whiteBelow(key->index());
        if (key->isBlack())
            key->setGeometry(left + white * WhiteWidth - BlackWidth / 2, Margin, BlackWidth, BlackHeight);
        else
            key->setGeometry(left + white * WhiteWidth, Margin, WhiteWidth, WhiteHeight);
    }
    for (int index = 0; index < PianoWhiteKeys; ++index)
        m_names.at(size_t(index))->setGeometry(left + index * WhiteWidth, Margin + WhiteHeight, WhiteWidth, NameHeight);
}

void PianoKeyboard::moveFocus(int fromKey, int step)
{
    const int target = fromKey + step;
    if (target < 0 || target >= PianoSearchKeys)
        return;
    PianoKey* next = m_keys.at(size_t(target));
    m_keys.at(size_t(fromKey))->setFocusPolicy(Qt::ClickFocus);
    next->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(next);
    next->setFocus(Qt::TabFocusReason);
}

} // namespace lvx::music
