// Laying the song out as boxes, labels and strokes. The positions come from
// layoutSong; this file only moves the window's controls there.

#include "editor/ui/frmsong.h"

#include "editor/songlayout.h"
#include "editor/spokennames.h"
#include "editor/ui/findbar.h"
#include "editor/ui/songwidgets.h"

#include "app/desktopcontext.h"
#include "base/numbers.h"
#include "song/metadata.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Text) == color && palette.color(QPalette::WindowText) == color)
        return;
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

void setFontIfChanged(QWidget* widget, const QFont& font)
{
    if (widget->font() != font)
        widget->setFont(font);
}

// Every change of a name is announced to a screen reader: only real ones are made.
void setAccessibleNameIfChanged(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

double frmSong::twipsPerPixel() const
{
    const int dpi = logicalDpiX();
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

const ScreenMeasure& frmSong::measure()
{
    // A window moved to a screen of another resolution measures afresh.
    if (!m_measure || m_measure->twipsPerPixel() != twipsPerPixel())
        m_measure = std::make_unique<ScreenMeasure>(twipsPerPixel());
    return *m_measure;
}

int frmSong::toPixels(double twips) const
{
    return int(std::lround(twips / twipsPerPixel()));
}

SongBox* frmSong::slot(int index) const
{
    return index >= 0 && index < T.size() ? T.at(index) : nullptr;
}

ChordLabel* frmSong::label(int index) const
{
    return index >= 1 && index < L.size() ? L.at(index) : nullptr;
}

// Boxes and strokes are made as a paint first needs them and then reused: a
// taller window or a smaller font shows more lines.
void frmSong::ensureSlots(qsizetype boxes, qsizetype strokes)
{
    while (T.size() <= boxes) {
        auto* box = new SongBox(this, int(T.size()), this);
        box->hide();
        T.append(box);
    }
    while (Ln.size() <= strokes) {
        auto* stroke = new QFrame(this);
        stroke->setObjectName(u"Ln"_s + QString::number(Ln.size()));
        stroke->setAutoFillBackground(true);
        QPalette palette = stroke->palette();
        palette.setColor(QPalette::Window, QColor(0x9a, 0xa5, 0xb8));
        stroke->setPalette(palette);
        stroke->hide();
        Ln.append(stroke);
    }
}

bool frmSong::isActiveSong() const
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(parentWidget());
    if (!sub || !sub->mdiArea())
        return isActiveWindow() || !isWindow();
    return sub->mdiArea()->activeSubWindow() == sub;
}

void frmSong::PaintPage()
{
    if (!m_desktop.app.PaintEnabled || m_tag.isEmpty())
        return;
    TimingCounters& timers = m_desktop.app.timers;
    timers.TimerStart(TimerPaintPage);
    m_painting = true;

    // A song with nothing in its body (none, or only its facts) still shows a line to type on.
    if (std::all_of(m_song.lines.cbegin(), m_song.lines.cend(), [](const song::SongLine& line) { return line.metadata; }))
        m_song.lines.append(song::SongLine{});
    // Every paint shows a lyric inside tablature as the file will hold it.
    foldTablatureChords(m_song.lines);
    const int caretSlotBefore = m_currentSlot;
    const int caretLineBefore = lineIndexOf(m_currentSlot);
    const SongLayout layout = layOutView();
    m_song.TopLine = layout.TopLine;

    ensureSlots(layout.boxes.size(), layout.connectors.size());
    parkFocus(layout.boxes.size());
    placeHeader(layout);
    placeBoxes(layout);
    placeLabels(layout);
    placeConnectors(layout);
    m_lastLayout = layout;

    {
        const QSignalBlocker block(VS);
        VS->setMaximum(layout.scrollMaximum);
        VS->setValue(m_song.TopLine);
    }
    VS->setVisible(layout.scrollBarVisible);
    // Long lines run under the scroll bars, never over them.
    VS->raise();
    fitHorizontalScroll(layout);
    fitCaretSlot(layout, caretSlotBefore, caretLineBefore);

    if (m_song.CollectChords) {
        for (const QString& name : layout.shownChords)
            LastChordsAdd(name);
        m_song.CollectChords = false;
    }
    // The boxes may show other lines now: the selection's highlight follows its lines.
    showSelection();
    m_painting = false;
    timers.TimerStop(TimerPaintPage);
    if (m_followCaret)
        boxCaretMoved(m_currentSlot);
}

SongLayout frmSong::layOutView()
{
    LayoutInput input;
    input.TopLine = std::clamp(m_song.TopLine, 1, int(m_song.lines.size()));
    input.innerWidth = width() * twipsPerPixel();
    input.letters = m_desktop.app.lettersNotation();
    input.facts = song::headerLine(m_song.metadata());
    input.soundingChords = m_desktop.app.soundingChords;
    const auto layOut = [&] {
        const int bottom = HS->isVisibleTo(this) ? HS->sizeHint().height() : 0;
        input.innerHeight = (viewHeight() - bottom) * twipsPerPixel();
        return layoutSong(m_song.lines, *m_song.fonts, input, measure(), &m_desktop.app.timers);
    };
    SongLayout layout = layOut();
    // The sideways scroll bar takes room at the bottom: when it comes or goes,
    // the lines that fit are laid out again.
    if (const bool wide = m_hOffset > 0 || toPixels(layout.contentWidth) > viewWidth(layout); wide != HS->isVisibleTo(this)) {
        HS->setVisible(wide);
        layout = layOut();
    }
    // A paint that is not a scroll (typing, a resize, a wider line bringing the
    // sideways bar) keeps the caret's line in sight and the caret in it.
    const int caretLine = lineIndexOf(m_currentSlot);
    if (m_caretRequest.set || caretLine < 0)
        return layout;
    m_caretRequest = CaretRequest{true, caretLine, caretOf(m_currentSlot), -1, true};
    for (int tries = 0; tries < 8; ++tries) {
        if (caretLine + 1 < layout.TopLine)
            input.TopLine = caretLine + 1;
        else if (caretLine + 1 > layout.LastShownLine && layout.TopLine < layout.scrollMaximum)
            input.TopLine = layout.TopLine + caretLine + 1 - layout.LastShownLine;
        else
            break;
        layout = layOut();
    }
    return layout;
}

int frmSong::viewWidth(const SongLayout& layout) const
{
    return width() - (layout.scrollBarVisible ? VS->sizeHint().width() : 0);
}

// A box that loses the focus by being hidden hands it to the next control in
// the tab order, the title; T(0) holds it while the boxes are rearranged.
void frmSong::parkFocus(qsizetype boxesShown)
{
    const auto* focused = qobject_cast<const SongBox*>(QApplication::focusWidget());
    if (focused && focused->parentWidget() == this && focused->index() > boxesShown)
        T[0]->setFocus(Qt::OtherFocusReason);
}

void frmSong::fitHorizontalScroll(const SongLayout& layout)
{
    const int view = viewWidth(layout);
    const QSignalBlocker block(HS);
    HS->setRange(0, std::max({0, toPixels(layout.contentWidth) - view, m_hOffset}));
    HS->setPageStep(std::max(1, view));
    HS->setSingleStep(std::max(1, view / 20));
    HS->setValue(m_hOffset);
    const int barHeight = HS->sizeHint().height();
    HS->setGeometry(0, viewHeight() - barHeight, view, barHeight);
    HS->raise();
}

void frmSong::placeHeader(const SongLayout& layout)
{
    const Fonts* title = m_song.fonts->find(u"Title"_s);
    const Fonts* subtitle = m_song.fonts->find(u"SubTitle"_s);
    if (title) {
        setFontIfChanged(tTitle, screenFont(*title));
        setTextColor(tTitle, screenColor(title->Color));
    }
    if (subtitle) {
        setFontIfChanged(tSubTitle, screenFont(*subtitle));
        setTextColor(tSubTitle, screenColor(subtitle->Color));
    }
    const int titleHeight = toPixels(layout.titleHeight);
    const int subTitleHeight = toPixels(layout.subTitleHeight);
    tTitle->setGeometry(0, 0, width(), titleHeight);
    tSubTitle->setGeometry(0, titleHeight, width(), subTitleHeight);
    if (layout.facts.isEmpty()) {
        lFacts->hide();
    } else {
        const Fonts comment = fontForRole(*m_song.fonts, u"Comment"_s);
        setFontIfChanged(lFacts, screenFont(comment));
        setTextColor(lFacts, screenColor(comment.Color));
        lFacts->setText(layout.facts);
        lFacts->setGeometry(0, titleHeight + subTitleHeight, width(), toPixels(layout.factsHeight));
        lFacts->show();
    }
    const int rule = toPixels(layout.ruleY);
    Line1->setGeometry(0, rule - 1, width(), 3);
    const int top = toPixels(layout.scrollBarTop);
    const int scrollWidth = VS->sizeHint().width();
    const int bottom = HS->isVisibleTo(this) ? HS->sizeHint().height() : 0;
    VS->setGeometry(width() - scrollWidth, top, scrollWidth, std::max(0, viewHeight() - top - bottom));
    m_logRep->move(2, std::max(top, viewHeight() - bottom - m_logRep->height() - 2));
    if (m_findBar->isVisibleTo(this)) {
        const int findHeight = m_findBar->sizeHint().height();
        m_findBar->setGeometry(0, height() - findHeight, width(), findHeight);
        m_findBar->raise();
    }
}

void frmSong::placeBoxes(const SongLayout& layout)
{
    TimingCounters& timers = m_desktop.app.timers;
    QList<bool> used(T.size(), false);
    for (const BoxPlacement& placed : layout.boxes) {
        timers.TimerStart(TimerSetText);
        SongBox* box = T.at(placed.slot);
        used[placed.slot] = true;
        box->tag = QString::number(placed.lineIndex + 1);
        box->setEnabled(true);
        box->setReadOnly(placed.locked);
        setFontIfChanged(box, screenFont(placed.font));
        // Lines the program carries without understanding them are greyed.
        setTextColor(box, placed.kept ? QColor(Qt::gray) : screenColor(placed.font.Color));
        box->setProperty("directive", placed.locked);
        box->setGeometry(toPixels(placed.x) - BoxTextInset - m_hOffset, toPixels(placed.y), toPixels(placed.width),
                         toPixels(placed.height));
        const song::SongLine& line = m_song.lines.at(placed.lineIndex);
        if (box->text() != line.text)
            box->setText(line.text);
        setAccessibleNameIfChanged(box, lineBoxName(line, placed.number));
        box->show();
        timers.TimerStop(TimerSetText);
    }
    for (int i = 1; i < T.size(); ++i) {
        if (!used.at(i)) {
            T[i]->tag.clear();
            T[i]->hide();
        }
    }
}

void frmSong::placeLabels(const SongLayout& layout)
{
    TimingCounters& timers = m_desktop.app.timers;
    for (qsizetype i = 0; i < layout.labels.size(); ++i) {
        const LabelPlacement& placed = layout.labels.at(i);
        const int number = int(i) + 1;
        if (number >= L.size())
            L.append(new ChordLabel(this, number, this));
        ChordLabel* label = L.at(number);
        timers.TimerStart(TimerSetLabelProp);
        setFontIfChanged(label, screenFont(placed.font));
        setTextColor(label, screenColor(placed.font.Color));
        if (label->text() != placed.caption)
            label->setText(placed.caption);
        const song::SongLine& line = m_song.lines.at(placed.lineIndex);
        setAccessibleNameIfChanged(label, chordLabelName(line.chords.at(placed.chordIndex), placed.caption, line.text));
        timers.TimerStop(TimerSetLabelProp);
        label->setGeometry(toPixels(placed.x) - m_hOffset, toPixels(placed.y), toPixels(placed.width),
                           toPixels(placed.height));
        label->homeX = label->x();
        label->setMarked(m_found && m_findBar->isVisibleTo(this) && m_found->lineIndex == placed.lineIndex
                         && m_found->chordIndex == placed.chordIndex);
        label->show();
        label->raise();
    }
    for (qsizetype i = layout.labels.size() + 1; i < L.size(); ++i)
        L[i]->hide();
}

void frmSong::placeConnectors(const SongLayout& layout)
{
    TimingCounters& timers = m_desktop.app.timers;
    timers.TimerStart(TimerDrawLines);
    qsizetype used = 0;
    for (const Stroke& stroke : layout.connectors) {
        QFrame* line = Ln.at(++used);
        const int x1 = toPixels(std::min(stroke.x1, stroke.x2)) - m_hOffset;
        const int x2 = toPixels(std::max(stroke.x1, stroke.x2)) - m_hOffset;
        const int y1 = toPixels(std::min(stroke.y1, stroke.y2));
        const int y2 = toPixels(std::max(stroke.y1, stroke.y2));
        line->setGeometry(x1, y1, std::max(1, x2 - x1 + 1), std::max(1, y2 - y1 + 1));
        line->show();
    }
    for (qsizetype i = used + 1; i < Ln.size(); ++i)
        Ln[i]->hide();
    timers.TimerStop(TimerDrawLines);
}

void frmSong::fitCaretSlot(const SongLayout& layout, int slotBefore, int lineBefore)
{
    const CaretRequest request = std::exchange(m_caretRequest, CaretRequest{});
    const int requestedSlot = request.line >= 0 ? slotOfLine(request.line) : 0;
    if (requestedSlot > 0)
        m_currentSlot = requestedSlot;
    else if (request.line >= 0)
        // The line left the view: the caret waits on the nearest line in sight.
        m_currentSlot = request.line < m_song.TopLine - 1 ? 1 : int(layout.boxes.size());
    m_currentSlot = caretSlot(m_currentSlot, layout);
    if (m_currentSlot == 0)
        return;
    SongBox* box = T[m_currentSlot];
    box->setEnabled(true);
    // Only the active window takes the focus: a repaint of a window in the
    // background must not bring it to the front, nor take the keys from the find bar.
    if (keysToLines())
        takeFocus(box);
    // A caret that stays in its box keeps its selection.
    if (request.keepSelection && requestedSlot == slotBefore && request.line == lineBefore && box->hasSelectedText())
        return;
    if (requestedSlot > 0 && request.offset >= 0)
        box->setCursorPosition(std::min(request.offset, int(box->text().size())));
    else if (request.x >= 0)
        box->setCursorPosition(box->cursorPositionAt(QPoint(request.x - box->x(), box->height() / 2)));
}

void frmSong::DelayPaintPage(int interval)
{
    Timer->stop();
    Timer->setInterval(interval);
    Timer->start();
}

void frmSong::Form_Resize()
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(parentWidget());
    if ((sub && sub->isMinimized()) || isMinimized() || (window() && window()->isMinimized()))
        return;
    setMinimumHeight(toPixels(2500));
    m_song.FontsToPublic();
    PaintPage();
    if (m_tag.isEmpty())
        return;
    VS->setPageStep(scrollPage(m_lastLayout, viewHeight() * twipsPerPixel(), measure()).largeChange);
}

void frmSong::scrollTo(int topLine, bool keepLine)
{
    CaretRequest request;
    request.set = true;
    request.x = caretX();
    if (keepLine && lineIndexOf(m_currentSlot) >= 0) {
        request.line = lineIndexOf(m_currentSlot);
        request.offset = caretOf(m_currentSlot);
    }
    m_caretRequest = request;
    m_song.TopLine = topLine;
    // The wheel and the scroll bar leave the view where the user puts it, sideways too.
    const QScopedValueRollback follow(m_followCaret, !keepLine);
    PaintPage();
}

int frmSong::caretX() const
{
    const SongBox* box = slot(m_currentSlot);
    if (m_currentSlot < 1 || !box || !box->isVisibleTo(this))
        return -1;
    return box->x() + box->caretRect().center().x();
}

void frmSong::wheelEvent(QWheelEvent* event)
{
    // The wheel turns the scroll bars wherever the pointer is over the song, as
    // it does over the bars themselves.
    const QPoint delta = event->angleDelta();
    QScrollBar* bar = std::abs(delta.x()) > std::abs(delta.y()) ? HS : VS;
    QCoreApplication::sendEvent(bar, event);
    // At the end of the song the wheel stops there; the frame does not scroll instead.
    event->accept();
}

void frmSong::boxCaretMoved(int slotIndex)
{
    SongBox* box = slot(slotIndex);
    if (m_painting || slotIndex < 1 || slotIndex != m_currentSlot || !box || !box->isVisibleTo(this))
        return;
    // The box grows with its text at once, before the repaint, so it never
    // scrolls the text away under the chords.
    const int needed = box->fontMetrics().horizontalAdvance(box->text()) + toPixels(BoxCaretRoom) + 2 * BoxTextInset;
    if (needed > box->width())
        box->resize(needed, box->height());
    const int view = viewWidth(m_lastLayout);
    const int x = box->x() + box->caretRect().center().x() + m_hOffset;
    const int margin = std::min(view / 4, 4 * box->fontMetrics().averageCharWidth());
    int offset = m_hOffset;
    if (x > offset + view - margin)
        offset = x - view + margin;
    else if (x < offset + margin)
        offset = x - margin < view / 2 ? 0 : x - margin;
    if (offset != m_hOffset) {
        m_hOffset = offset;
        PaintPage();
    }
}

} // namespace lvx::editor
