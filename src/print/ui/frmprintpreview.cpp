#include "print/ui/frmprintpreview.h"

#include "print/imagesurface.h"

#include "app/desktopcontext.h"
#include "song/song.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace lvx::print {

// The page picture; a click on it asks for the zoom.
class PreviewPicture final : public QWidget
{
public:
    explicit PreviewPicture(QWidget* parent) : QWidget(parent) {}

    QImage image;
    std::function<void(QPoint)> clicked;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(rect(), image);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && clicked)
            clicked(event->position().toPoint());
    }
};

namespace {

// A magnifying glass with a plus (zoom in) or a minus (zoom out) for the pointer.
QCursor magnifier(bool plus)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 19), QPointF(29, 29));
    painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(19, 19), QPointF(29, 29));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawEllipse(QPointF(12, 12), 9, 9);
    painter.drawLine(QPointF(8, 12), QPointF(16, 12));
    if (plus)
        painter.drawLine(QPointF(12, 8), QPointF(12, 16));
    painter.end();
    return QCursor(picture, 12, 12);
}

QPushButton* stripButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    result->setAutoDefault(false);
    return result;
}

} // namespace

frmPrintPreview::frmPrintPreview(DesktopContext& desktop, song::Song& song, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_song(song), m_job(desktop.context, &desktop.dictionary),
      m_zoomIn(magnifier(true)), m_zoomOut(magnifier(false))
{
    setObjectName(u"frmPrintPreview"_s);
    setWindowTitle(u"Print Preview"_s);
    m_pageTwips = printerPageTwips(desktop, song);

    QWidget* buttons = createButtons();
    m_border = new QScrollArea(this);
    m_border->setObjectName(u"Borde"_s);
    m_border->setAlignment(Qt::AlignCenter);
    m_border->setBackgroundRole(QPalette::Dark);
    m_border->horizontalScrollBar()->setObjectName(u"HS"_s);
    m_border->verticalScrollBar()->setObjectName(u"VS"_s);
    m_area = new PreviewPicture(m_border);
    m_area->setObjectName(u"Area"_s);
    m_area->setCursor(m_zoomIn);
    m_area->clicked = [this](QPoint point) { toggleZoom(point); };
    m_border->setWidget(m_area);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
    layout->addWidget(m_border, 1);
    fitToScreen(buttons->sizeHint().height() + layout->spacing());
    Home();
}

frmPrintPreview::~frmPrintPreview() = default;

frmPrintPreview* frmPrintPreview::PrintPreviewSong(DesktopContext& desktop, song::Song& song, QWidget* songWindow)
{
    auto* window = new frmPrintPreview(desktop, song, songWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

QWidget* frmPrintPreview::createButtons()
{
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    QPushButton* home = stripButton(strip, u"bHome"_s, u"&Home"_s);
    m_pageUp = stripButton(strip, u"bPgUp"_s, u"Pg &Up"_s);
    m_pageDown = stripButton(strip, u"bPgDown"_s, u"Pg &Down"_s);
    QPushButton* print = stripButton(strip, u"bPrint"_s, u"&Print"_s);
    QPushButton* close = stripButton(strip, u"bClose"_s, u"&Close"_s);
    for (QPushButton* each : {home, m_pageUp, m_pageDown})
        row->addWidget(each);
    row->addStretch();
    row->addWidget(print);
    row->addWidget(close);
    connect(home, &QPushButton::clicked, this, &frmPrintPreview::Home);
    connect(m_pageUp, &QPushButton::clicked, this, &frmPrintPreview::PageUp);
    connect(m_pageDown, &QPushButton::clicked, this, &frmPrintPreview::PageDown);
    connect(print, &QPushButton::clicked, this, &frmPrintPreview::printSong);
    connect(close, &QPushButton::clicked, this, &frmPrintPreview::close);
    return strip;
}

// The page fills the height the screen leaves below the buttons and above the
// horizontal scroll bar; a landscape page is held to the screen's width too.
void frmPrintPreview::fitToScreen(int buttonsHeight)
{
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const int frame = 2 * m_border->frameWidth();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QMargins margins = layout()->contentsMargins();
    // Room for the window's title bar and frame, which the window system adds.
    const int titleRoom = 40;
    const int height = available.height() - titleRoom - margins.top() - margins.bottom() - buttonsHeight - frame - bar;
    const int width = available.width() - margins.left() - margins.right() - frame - bar - 16;
    const double widthLimit = m_pageTwips.width() > 0 ? width * m_pageTwips.height() / m_pageTwips.width() : height;
    m_scale = PreviewScale::fit(m_pageTwips, qMin(height, int(widthLimit)));
    m_border->setFixedSize(m_scale.baseWidth() + frame + bar, m_scale.baseHeight() + frame + bar);
    m_border->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_border->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_area->resize(m_scale.pictureSize());
}

QImage frmPrintPreview::picture() const
{
    return m_area->image;
}

void frmPrintPreview::Home()
{
    m_page = 1;
    render();
}

void frmPrintPreview::PageUp()
{
    if (m_page == 1)
        return;
    --m_page;
    render();
}

void frmPrintPreview::PageDown()
{
    if (m_isLastPage)
        return;
    ++m_page;
    render();
}

void frmPrintPreview::toggleZoom(QPoint clicked)
{
    QScrollBar* horizontal = m_border->horizontalScrollBar();
    QScrollBar* vertical = m_border->verticalScrollBar();
    const QPoint scroll = m_scale.toggle(clicked, m_area->mapTo(m_border->viewport(), clicked));
    const Qt::ScrollBarPolicy bars = m_scale.zoomed() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    m_border->setHorizontalScrollBarPolicy(bars);
    m_border->setVerticalScrollBarPolicy(bars);
    m_area->setCursor(m_scale.zoomed() ? m_zoomOut : m_zoomIn);
    m_area->resize(m_scale.pictureSize());
    render();
    horizontal->setRange(0, qMax(0, m_area->width() - m_border->viewport()->width()));
    vertical->setRange(0, qMax(0, m_area->height() - m_border->viewport()->height()));
    horizontal->setValue(scroll.x());
    vertical->setValue(scroll.y());
}

// The picture is drawn in page twips and the painter scales it to pixels, so
// the renderer's own font scale stays at 1 for the preview as for paper.
void frmPrintPreview::render()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ImageSurface picture(m_scale.pictureSize(), m_pageTwips);
    PainterSurface printer(nullptr, m_pageTwips);
    int page = m_page;
    m_isLastPage = m_job.RenderPreviewPage(picture, printer, m_song, page);
    m_page = page;
    m_area->image = picture.image();
    m_area->update();
    m_pageUp->setEnabled(m_page > 1);
    m_pageDown->setEnabled(!m_isLastPage);
    QApplication::restoreOverrideCursor();
}

void frmPrintPreview::printSong()
{
    close();
    printSongWithDialog(m_desktop, m_song, parentWidget(), m_choose);
}

void frmPrintPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Home:
        Home();
        break;
    case Qt::Key_PageUp:
        PageUp();
        break;
    case Qt::Key_PageDown:
        PageDown();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace lvx::print
