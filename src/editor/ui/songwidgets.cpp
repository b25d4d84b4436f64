#include "editor/ui/songwidgets.h"

#include "editor/ui/frmsong.h"
#include "editor/chordkeys.h"
#include "editor/lineediting.h"

#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

// The menus own these keys: a box never pastes, cuts, deletes or undoes by itself.
bool isMenuShortcut(const QKeyEvent* key)
{
    return (key->modifiers() & Qt::ControlModifier) || key->key() == Qt::Key_Delete;
}

QString fontKey(const Fonts& font)
{
    return font.Name + u'|' + QString::number(font.Size) + u'|' + QChar(font.Bold ? u'b' : u'-')
        + QChar(font.Italic ? u'i' : u'-');
}

// Lets a menu shortcut through to the menus instead of the box; true when it did.
bool leaveToMenus(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !isMenuShortcut(static_cast<QKeyEvent*>(event)))
        return false;
    event->ignore();
    return true;
}

} // namespace

QFont screenFont(const Fonts& font)
{
    QFont result(font.Name.isEmpty() ? u"Liberation Sans"_s : usableFontName(font.Name));
    result.setPointSizeF(usableFontSize(font.Size));
    result.setBold(font.Bold);
    result.setItalic(font.Italic);
    return result;
}

QColor screenColor(qint32 color)
{
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

const QFontMetricsF& ScreenMeasure::metrics(const Fonts& font) const
{
    const QString key = fontKey(font);
    auto found = m_metrics.find(key);
    if (found == m_metrics.end())
        found = m_metrics.insert(key, QFontMetricsF(screenFont(font)));
    return *found;
}

double ScreenMeasure::textWidth(const Fonts& font, QStringView text) const
{
    return metrics(font).horizontalAdvance(text.toString()) * m_twipsPerPixel;
}

double ScreenMeasure::textHeight(const Fonts& font, QStringView) const
{
    return metrics(font).height() * m_twipsPerPixel;
}

SongBox::SongBox(frmSong* window, int index, QWidget* parent)
    : QLineEdit(parent), m_window(window), m_index(index)
{
    setObjectName(u"T"_s + QString::number(index));
    setFrame(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    setMaxLength(int(song::Song::MaxLineLength));
    setToolTip(u"Right mouse button for insert chord at cursor position"_s);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { m_window->boxTextEdited(m_index, text); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { m_window->boxCaretMoved(m_index); });
}

bool SongBox::event(QEvent* event)
{
    if (leaveToMenus(event))
        return false;
    // Tab leaves the lyrics for the title, Shift+Tab for the subtitle, as Tab
    // leaves a text area for the fields beside it.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            m_window->tabToHeader(key->key() == Qt::Key_Tab);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void SongBox::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    m_window->boxKeyPress(m_index, event, handled);
    if (!handled)
        QLineEdit::keyPressEvent(event);
}

void SongBox::inputMethodEvent(QInputMethodEvent* event)
{
    bool handled = false;
    if (!event->commitString().isEmpty())
        m_window->typeCommitted(m_index, event->commitString(), handled);
    if (handled)
        event->accept();
    else
        QLineEdit::inputMethodEvent(event);
}

void SongBox::focusInEvent(QFocusEvent* event)
{
    // A line edit selects its whole text when Tab brings the focus, and Qt hands
    // the focus on by Tab when a window hides (Tile, restoring a maximized
    // window): the next key would replace the whole lyric. The song is one text.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
    } else {
        QLineEdit::focusInEvent(event);
    }
    update();
    m_window->boxFocused(m_index, reason);
}

void SongBox::focusOutEvent(QFocusEvent* event)
{
    // The line edit drops its selection as the focus leaves: the window keeps where it started.
    m_window->boxFocusLeaving(m_index);
    // A selection over lines stays in sight while a menu or a dialog has the
    // keyboard (the window takes it down itself when the caret goes elsewhere).
    if (m_window->lineSelection()) {
        QFocusEvent kept(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QLineEdit::focusOutEvent(&kept);
    } else {
        QLineEdit::focusOutEvent(event);
    }
    // The tint of the current line goes with the focus.
    update();
}

void SongBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        // The chord chosen from the menu goes where the musician pointed.
        m_window->boxRightPressed(m_index, event->position().toPoint());
        return;
    }
    const bool left = event->button() == Qt::LeftButton;
    if (left && event->modifiers().testFlag(Qt::ShiftModifier)
        && m_window->boxShiftClicked(m_index, event->position().toPoint()))
        return;
    // Typing where the musician clicks starts an undo step of its own.
    m_window->undoHistory().endRun();
    QLineEdit::mousePressEvent(event);
    if (left)
        m_window->boxPressed(m_index);
}

void SongBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons().testFlag(Qt::LeftButton)
        && m_window->boxDragged(m_index, mapTo(m_window, event->position().toPoint())))
        return;
    QLineEdit::mouseMoveEvent(event);
}

void SongBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        m_window->boxReleased();
}

void SongBox::showSelectedEnd(bool selected)
{
    if (selected == m_selectedEnd)
        return;
    m_selectedEnd = selected;
    update();
}

void SongBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    // A read-only line draws no caret: the whole line is tinted instead, so the
    // line that Enter, Delete Line and the Insert menu act on always shows.
    if (showsCurrentLine()) {
        QColor tint = palette().color(QPalette::Active, QPalette::Highlight);
        tint.setAlpha(CurrentLineAlpha);
        painter.fillRect(rect(), tint);
    }
    if (m_selectedEnd) {
        // As wide as a blank, where the text ends.
        const QFontMetrics metrics = fontMetrics();
        const QRect end(BoxTextInset + metrics.horizontalAdvance(text()), 0,
                        std::max(4, metrics.horizontalAdvance(u' ')), height());
        painter.fillRect(end, palette().color(QPalette::Highlight));
    }
}

ChordLabel::ChordLabel(frmSong* window, int index, QWidget* parent)
    : QLabel(parent), m_window(window), m_index(index)
{
    setObjectName(u"L"_s + QString::number(index));
    setToolTip(u"Click for Sound, Drag for Move or Right Mouse Button for Edit"_s);
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The keys bring the focus here; Tab stays with the lyrics and the header.
    setFocusPolicy(Qt::ClickFocus);
}

bool ChordLabel::event(QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!keyEvent || labelChordKey(key->key(), key->modifiers()) == ChordKey::None)
        return QLabel::event(event);
    // Delete, Tab and the rest are the label's own while it has the focus,
    // not the Edit menu's or the focus chain's.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
}

void ChordLabel::keyPressEvent(QKeyEvent* event)
{
    const ChordKey key = labelChordKey(event->key(), event->modifiers());
    if (key == ChordKey::None) {
        QLabel::keyPressEvent(event);
        return;
    }
    // Taken even where it has nothing to do (Tab at the last chord): the
    // window must not pass it on to the focus chain or the menus.
    event->accept();
    m_window->labelKeyPress(m_index, key);
}

void ChordLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void ChordLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

void ChordLabel::paintEvent(QPaintEvent* event)
{
    if (hasFocus()) {
        QPainter painter(this);
        QColor fill = palette().color(QPalette::Highlight);
        painter.setPen(fill);
        fill.setAlpha(48);
        painter.setBrush(fill);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QLabel::paintEvent(event);
}

void ChordLabel::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0xd8, 0x4d));
    setPalette(palette);
    setAutoFillBackground(marked);
}

void ChordLabel::mousePressEvent(QMouseEvent* event)
{
    // A second button while one is down (a right click during a drag) is ignored:
    // the gesture belongs to the button that started it.
    if (m_pressed)
        return;
    m_pressed = true;
    m_button = event->button();
    homeX = x();
    m_pressX = event->position().x();
    setCursor(event->button() == Qt::RightButton ? Qt::WhatsThisCursor : Qt::SizeHorCursor);
    m_window->labelPressed(m_index, event->button(), event->position().x());
}

void ChordLabel::mouseMoveEvent(QMouseEvent* event)
{
    // The label follows the pointer along its row while the left button drags it.
    if (m_pressed && (event->buttons() & Qt::LeftButton))
        move(int(x() + event->position().x() - m_pressX), y());
}

void ChordLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->button() != m_button)
        return;
    m_pressed = false;
    // Where the button went up, measured from where the label stood when it went down.
    const double x = event->position().x() + (this->x() - homeX);
    setCursor(Qt::PointingHandCursor);
    m_window->labelReleased(m_index, event->button(), x);
}

HeaderBox::HeaderBox(frmSong* window, QWidget* parent) : QLineEdit(parent), m_window(window)
{
    setFrame(false);
    setAlignment(Qt::AlignHCenter);
}

bool HeaderBox::event(QEvent* event)
{
    return leaveToMenus(event) ? false : QLineEdit::event(event);
}

void HeaderBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_window->headerFocused(this, event->reason());
}

void HeaderBox::replacePlaceholder(const QString& typed)
{
    if (!typed.isEmpty() && typed.at(0).isPrint() && isHeaderPlaceholder(text()))
        selectAll();
}

void HeaderBox::keyPressEvent(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        replacePlaceholder(event->text());
    QLineEdit::keyPressEvent(event);
}

void HeaderBox::inputMethodEvent(QInputMethodEvent* event)
{
    replacePlaceholder(event->commitString());
    QLineEdit::inputMethodEvent(event);
}

} // namespace lvx::editor
