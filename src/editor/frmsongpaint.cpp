// Laying the song out as boxes, labels and strokes. The positions come from
// layoutSong; this file only moves the window's controls there.

#include "frmsong.h"

#include "songlayout.h"
#include "songwidgets.h"

#include "app/desktopcontext.h"
#include "app/numbers.h"

#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lvx::editor {

namespace {

constexpr int TextSlots = 40;
constexpr int Connectors = 120;

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

void frmSong::createSlots()
{
    for (int i = 1; i <= TextSlots; ++i) {
        auto* box = new SongBox(this, i, this);
        box->hide();
        T.append(box);
    }
    for (int i = 1; i <= Connectors; ++i) {
        auto* stroke = new QFrame(this);
        stroke->setObjectName(u"Ln"_s + QString::number(i));
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

    if (T.size() == 1)
        createSlots();
    if (m_song.lines.isEmpty())
        m_song.lines.append(song::SongLine{});

    LayoutInput input;
    input.TopLine = std::clamp(m_song.TopLine, 1, int(m_song.lines.size()));
    m_song.TopLine = input.TopLine;
    input.innerWidth = width() * twipsPerPixel();
    input.innerHeight = height() * twipsPerPixel();
    input.letters = m_desktop.app.lettersNotation();
    input.maxSlots = TextSlots;
    const SongLayout layout = layoutSong(m_song.lines, *m_song.fonts, input, measure(), &timers);

    placeHeader(layout);
    placeBoxes(layout);
    placeLabels(layout);
    placeConnectors(layout);
    m_lastLayout = layout;

    {
        const QSignalBlocker block(VS);
        VS->setMaximum(std::max(1, int(m_song.lines.size())));
        VS->setValue(m_song.TopLine);
    }
    VS->setVisible(layout.scrollBarVisible);
    // Long lines run under the scroll bar, never over it.
    VS->raise();
    fitCaretSlot(layout);

    if (m_song.CollectChords) {
        for (const QString& name : layout.shownChords)
            LastChordsAdd(name);
        m_song.CollectChords = false;
    }
    m_painting = false;
    timers.TimerStop(TimerPaintPage);
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
    const int rule = toPixels(layout.ruleY);
    Line1->setGeometry(0, rule - 1, width(), 3);
    const int top = toPixels(layout.ruleY + 10);
    const int scrollWidth = VS->sizeHint().width();
    VS->setGeometry(width() - scrollWidth, top, scrollWidth, std::max(0, height() - top));
    m_logRep->move(2, std::max(top, height() - m_logRep->height() - 2));
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
        box->setGeometry(toPixels(placed.x) - BoxTextInset, toPixels(placed.y), toPixels(placed.width), toPixels(placed.height));
        const QString& text = m_song.lines.at(placed.lineIndex).text;
        if (box->text() != text)
            box->setText(text);
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
        timers.TimerStop(TimerSetLabelProp);
        label->setGeometry(toPixels(placed.x), toPixels(placed.y), toPixels(placed.width), toPixels(placed.height));
        label->homeX = label->x();
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
        if (used + 1 >= Ln.size())
            break;
        QFrame* line = Ln.at(++used);
        const int x1 = toPixels(std::min(stroke.x1, stroke.x2));
        const int x2 = toPixels(std::max(stroke.x1, stroke.x2));
        const int y1 = toPixels(std::min(stroke.y1, stroke.y2));
        const int y2 = toPixels(std::max(stroke.y1, stroke.y2));
        line->setGeometry(x1, y1, std::max(1, x2 - x1 + 1), std::max(1, y2 - y1 + 1));
        line->show();
    }
    for (qsizetype i = used + 1; i < Ln.size(); ++i)
        Ln[i]->hide();
    timers.TimerStop(TimerDrawLines);
}

void frmSong::fitCaretSlot(const SongLayout& layout)
{
    m_currentSlot = caretSlot(m_currentSlot, layout);
    if (m_currentSlot > 0) {
        T[m_currentSlot]->setEnabled(true);
        // Only the active window takes the focus: a repaint of a window in the
        // background must not bring it to the front.
        if (m_editingBody && isActiveSong())
            T[m_currentSlot]->setFocus();
    }
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
    VS->setPageStep(scrollPage(m_lastLayout, height() * twipsPerPixel(), measure()).largeChange);
}

} // namespace lvx::editor
