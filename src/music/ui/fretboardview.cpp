#include "music/ui/fretboardview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace lvx::music {

namespace {

constexpr int MarkSize = 20;
constexpr int NumberColumn = 30;
constexpr int NameRow = 20;

const QColor BoardColour(0xf1, 0xe2, 0xc4);
const QColor FretColour(0x9a, 0x8c, 0x74);
const QColor NutColour(0x3c, 0x34, 0x2a);
const QColor StringColour(0x55, 0x55, 0x55);
const QColor InlayColour(0xdc, 0xc8, 0xa2);
const QColor MarkColour(0x22, 0x22, 0x22);
const QColor CrossColour(0xb0, 0x30, 0x30);

// Frets that carry a position marker on most necks; 12 and 24 carry two.
bool hasInlay(int fret)
{
    const int inOctave = fret % 12;
    return fret > 0 && (inOctave == 3 || inOctave == 5 || inOctave == 7 || inOctave == 9 || inOctave == 0);
}

} // namespace

FretMark::FretMark(Shape shape, QWidget* parent) : QWidget(parent), m_shape(shape)
{
    setFixedSize(MarkSize, MarkSize);
    setShape(shape);
}

void FretMark::setShape(Shape shape)
{
    m_shape = shape;
    // A cross is no target of its own: a click on it puts a finger on the string.
    setAttribute(Qt::WA_TransparentForMouseEvents, shape == Shape::Cross);
    setCursor(shape == Shape::Cross ? Qt::ArrowCursor : Qt::PointingHandCursor);
    update();
}

void FretMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    switch (m_shape) {
    case Shape::Dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(MarkColour);
        painter.drawEllipse(box);
        break;
    case Shape::Ring:
        painter.setPen(QPen(MarkColour, 2.5));
        painter.setBrush(BoardColour);
        painter.drawEllipse(box);
        break;
    case Shape::Cross:
        painter.setPen(QPen(CrossColour, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        break;
    }
}

void FretMark::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

FretboardView::FretboardView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Fondo"));
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click a string to press it, click a dot to mute the string"));
    for (int string = 1; string <= GuitarStrings; ++string) {
        m_dots.at(string) = new FretMark(FretMark::Shape::Dot, this);
        m_dots.at(string)->setObjectName(u"Punto" + QString::number(string));
        connect(m_dots.at(string), &FretMark::clicked, this, [this, string] { emit dotClicked(string); });
        m_crosses.at(string) = new FretMark(FretMark::Shape::Cross, this);
        m_crosses.at(string)->setObjectName(u"Cruz" + QString::number(string));
        showFret(string, 0);
    }
}

QSize FretboardView::sizeHint() const
{
    return {GuitarStrings * StringSpacing, FretboardRows * FretSpacing};
}

QPoint FretboardView::cellCentre(int string, int row)
{
    return {(string - 1) * StringSpacing + StringSpacing / 2, (row - 1) * FretSpacing + FretSpacing / 2};
}

void FretboardView::showFret(int string, int fret)
{
    if (string < 1 || string > GuitarStrings)
        return;
    m_frets.at(string) = fret;
    const int row = fret + 1;
    const QPoint offset(MarkSize / 2, MarkSize / 2);
    FretMark* dot = m_dots.at(string);
    dot->setShape(row == 1 ? FretMark::Shape::Ring : FretMark::Shape::Dot);
    dot->move(cellCentre(string, qBound(1, row, FretboardRows)) - offset);
    dot->setVisible(fret >= 0 && row <= FretboardRows);
    m_crosses.at(string)->move(cellCentre(string, 1) - offset);
    m_crosses.at(string)->setVisible(fret < 0);
}

void FretboardView::setBaseFret(int baseFret)
{
    m_baseFret = baseFret;
    update();
}

void FretboardView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBoard(painter);
    if (hasFocus())
        paintCursor(painter);
}

void FretboardView::paintBoard(QPainter& painter) const
{
    const int left = StringSpacing / 2;
    const int right = width() - StringSpacing / 2;
    painter.fillRect(QRect(left - 6, FretSpacing, right - left + 12, height() - FretSpacing), BoardColour);
    paintInlays(painter);
    painter.setPen(QPen(FretColour, 2));
    for (int row = 2; row <= FretboardRows; ++row)
        painter.drawLine(left - 6, row * FretSpacing, right + 6, row * FretSpacing);
    // The first position sits at the nut; higher up the neck the top line is a fret.
    painter.setPen(QPen(m_baseFret == 0 ? NutColour : FretColour, m_baseFret == 0 ? 5 : 2));
    painter.drawLine(left - 6, FretSpacing, right + 6, FretSpacing);
    for (int string = 1; string <= GuitarStrings; ++string) {
        // The low strings are the thick ones.
        painter.setPen(QPen(StringColour, 1.0 + 0.3 * (string - 1)));
        const int x = cellCentre(string, 1).x();
        painter.drawLine(x, FretSpacing, x, height());
    }
}

void FretboardView::paintInlays(QPainter& painter) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(InlayColour);
    const int middle = width() / 2;
    for (int fret = 1; fret <= FretboardFrets; ++fret) {
        const int absolute = m_baseFret + fret;
        if (!hasInlay(absolute))
            continue;
        const int y = cellCentre(1, fret + 1).y();
        if (absolute % 12 == 0) {
            painter.drawEllipse(QPoint(middle - StringSpacing, y), 6, 6);
            painter.drawEllipse(QPoint(middle + StringSpacing, y), 6, 6);
        } else {
            painter.drawEllipse(QPoint(middle, y), 6, 6);
        }
    }
}

void FretboardView::paintCursor(QPainter& painter) const
{
    const QPoint centre = cellCentre(m_cursorString, m_cursorRow);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(centre.x() - StringSpacing / 2 + 2, centre.y() - FretSpacing / 2 + 1,
                                  StringSpacing - 4, FretSpacing - 2),
                            4, 4);
}

void FretboardView::clickCell(int string, int row)
{
    if (string < 1 || row < 1)
        return;
    if (m_frets.at(string) >= 0 && m_frets.at(string) + 1 == row)
        emit dotClicked(string);
    else
        emit pointClicked(string, row);
}

void FretboardView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const FretboardGrid grid{StringSpacing, FretSpacing};
    const QPoint at = event->position().toPoint();
    const int string = grid.stringAt(at.x());
    const int row = grid.rowAt(at.y());
    if (string >= 1 && row >= 1) {
        m_cursorString = string;
        m_cursorRow = row;
        emit pointClicked(string, row);
    }
    event->accept();
}

void FretboardView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        m_cursorString = qMax(1, m_cursorString - 1);
        break;
    case Qt::Key_Right:
        m_cursorString = qMin(GuitarStrings, m_cursorString + 1);
        break;
    case Qt::Key_Up:
        m_cursorRow = qMax(1, m_cursorRow - 1);
        break;
    case Qt::Key_Down:
        m_cursorRow = qMin(FretboardRows, m_cursorRow + 1);
        break;
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            clickCell(m_cursorString, m_cursorRow);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    update();
}

void FretboardView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void FretboardView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

FretboardPanel::FretboardPanel(QWidget* parent) : QWidget(parent)
{
    m_board = new FretboardView(this);
    m_board->move(NumberColumn, NameRow);
    static constexpr std::array<QStringView, GuitarStrings + 1> OpenNames{u"", u"E", u"B", u"G", u"D", u"A", u"E"};
    for (int string = 1; string <= GuitarStrings; ++string) {
        auto* name = new QLabel(OpenNames.at(string).toString(), this);
        name->setAlignment(Qt::AlignCenter);
        name->setGeometry(NumberColumn + (string - 1) * FretboardView::StringSpacing, 0, FretboardView::StringSpacing,
                          NameRow);
        name->setEnabled(false);
    }
    for (int fret = 1; fret <= FretboardFrets; ++fret) {
        auto* number = new QLabel(this);
        number->setObjectName(u"lTraste" + QString::number(fret));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setGeometry(0, NameRow + fret * FretboardView::FretSpacing, NumberColumn - 8,
                            FretboardView::FretSpacing);
        m_fretNumbers.at(fret) = number;
    }
    setFixedSize(NumberColumn + m_board->width() + 8, NameRow + m_board->height());
    setBaseFret(0);
}

void FretboardPanel::setBaseFret(int baseFret)
{
    for (int fret = 1; fret <= FretboardFrets; ++fret)
        m_fretNumbers.at(fret)->setText(QString::number(baseFret + fret));
    m_board->setBaseFret(baseFret);
}

} // namespace lvx::music
