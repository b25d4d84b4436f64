#pragma once

#include "editor/songlayout.h"

#include "base/fonts.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QLineEdit>

namespace lvx::editor {

class frmSong;

// A line box draws its text this many pixels right of its left edge; boxes are
// placed that much further left so the text starts where the layout measured it.
inline constexpr int BoxTextInset = 2;

// The screen font of a font description, and its colour (red in the low byte).
QFont screenFont(const Fonts& font);
QColor screenColor(qint32 color);

// Measures in twips with the screen's fonts at the screen's logical resolution.
class ScreenMeasure final : public TextMeasure
{
public:
    explicit ScreenMeasure(double twipsPerPixel) : m_twipsPerPixel(twipsPerPixel) {}
    double twipsPerPixel() const { return m_twipsPerPixel; }
    double textWidth(const Fonts& font, QStringView text) const override;
    double textHeight(const Fonts& font, QStringView text) const override;

private:
    double m_twipsPerPixel;
    const QFontMetricsF& metrics(const Fonts& font) const;
    mutable QHash<QString, QFontMetricsF> m_metrics;
};

// One line box of the song window: it hands its keys, focus and right clicks to
// the window, and leaves the editing shortcuts to the window's menus.
class SongBox final : public QLineEdit
{
    Q_OBJECT

public:
    SongBox(frmSong* window, int index, QWidget* parent);
    int index() const { return m_index; }
    // The line index shown, as decimal text ("" when the box shows nothing).
    QString tag;
    QRect caretRect() const { return cursorRect(); }
    // A read-only box with the focus shows its whole line as the current one.
    bool showsCurrentLine() const { return isReadOnly() && hasFocus(); }
    static constexpr int CurrentLineAlpha = 70;
    // The line's end lies inside a selection over lines: a highlight after the
    // text shows the selection going on to the next line.
    void showSelectedEnd(bool selected);
    bool selectedEnd() const { return m_selectedEnd; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    frmSong* m_window;
    int m_index;
    bool m_selectedEnd = false;
};

// A chord over its syllable: click to hear it, drag to move it, right click to
// edit it; the keys do the same while it has the focus, which it shows.
class ChordLabel final : public QLabel
{
    Q_OBJECT

public:
    ChordLabel(frmSong* window, int index, QWidget* parent);
    int index() const { return m_index; }
    // Where the layout put the label (pixels); a drag is measured from here.
    int homeX = 0;
    // The chord Find came to stands out.
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    frmSong* m_window;
    int m_index;
    double m_pressX = 0;
    bool m_pressed = false;
    bool m_marked = false;
    Qt::MouseButton m_button = Qt::NoButton;
};

// A header box (title or subtitle): its focus tells the window that edits go to the header.
class HeaderBox final : public QLineEdit
{
    Q_OBJECT

public:
    HeaderBox(frmSong* window, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    frmSong* m_window;
    // A new song's "(title)" goes whole when the first character is typed over it.
    void replacePlaceholder(const QString& typed);
};

} // namespace lvx::editor
