#pragma once

#include "music/fretboard.h"

#include "music/notetables.h"

#include <QWidget>

#include <array>

class QLabel;

namespace lvx::music {

// A finger on one string: a dot where the string is pressed (a ring when it
// sounds open at the base position), or a cross above the board when it is not
// played. A click on a dot is reported; a cross lets clicks through to the board.
class FretMark final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FretMark)

public:
    enum class Shape { Dot, Ring, Cross };

    FretMark(Shape shape, QWidget* parent);
    void setShape(Shape shape);
    Shape shape() const { return m_shape; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Shape m_shape;
};

// The fretboard picture "Fondo": six strings (string 1 on the left), the nut and
// twelve frets, with one dot "Punto<n>" and one cross "Cruz<n>" per string. The
// arrow keys move a cursor over it and Space acts as a click there.
class FretboardView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FretboardView)

public:
    static constexpr int StringSpacing = 36;
    static constexpr int FretSpacing = 28;

    explicit FretboardView(QWidget* parent = nullptr);

    // Shows the dot in the row of the fret (row = fret + 1), or the cross for -1.
    // A fret beyond the board keeps neither on view.
    void showFret(int string, int fret);
    void setBaseFret(int baseFret);

    QSize sizeHint() const override;

signals:
    void pointClicked(int string, int row);
    void dotClicked(int string);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static QPoint cellCentre(int string, int row);
    void paintBoard(QPainter& painter) const;
    void paintInlays(QPainter& painter) const;
    void paintCursor(QPainter& painter) const;
    void clickCell(int string, int row);

    std::array<FretMark*, GuitarStrings + 1> m_dots{};
    std::array<FretMark*, GuitarStrings + 1> m_crosses{};
    std::array<int, GuitarStrings + 1> m_frets{};
    int m_baseFret = 0;
    int m_cursorString = 1;
    int m_cursorRow = 1;
};

// The board with its fret numbers "lTraste1".."lTraste12" beside the rows and the
// open-string names above the strings.
class FretboardPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FretboardPanel)

public:
    explicit FretboardPanel(QWidget* parent = nullptr);

    FretboardView* board() const { return m_board; }
    // The fret numbers follow the base fret: base + 1 .. base + 12.
    void setBaseFret(int baseFret);

private:
    FretboardView* m_board = nullptr;
    std::array<QLabel*, FretboardFrets + 1> m_fretNumbers{};
};

} // namespace lvx::music
