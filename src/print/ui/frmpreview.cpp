#include "print/ui/frmpreview.h"

#include "print/pagerenderer.h"
#include "print/paintersurface.h"
#include "print/printmarkup.h"

#include "app/desktopcontext.h"
#include "song/song.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace lvx::print {

namespace {

constexpr double TopTwips = 400;

} // namespace

// Draws the markup from the scroll bar's line down, in twips scaled to the screen.
class MarkupView final : public QWidget
{
public:
    MarkupView(const PrintState& markup, const song::Song& song, Messages& messages, QScrollBar* scroll,
               QWidget* parent)
        : QWidget(parent), m_markup(markup), m_song(song), m_messages(messages), m_scroll(scroll)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
        QPalette colors = palette();
        colors.setColor(QPalette::Base, Qt::white);
        setPalette(colors);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const double pixelsPerTwip = logicalDpiY() / 1440.0;
        painter.scale(pixelsPerTwip, pixelsPerTwip);
        PainterSurface window(&painter, QSizeF(width(), height()) / pixelsPerTwip);
        // Every paint starts from the state the markup was built with, so
        // scrolling never carries a column or section over from the last paint.
        PrintState state = m_markup;
        PageRenderer renderer(state, m_song, m_messages, [](Surface&, Surface&) {});
        window.CurrentY = TopTwips;
        for (qsizetype index = m_scroll->value(); index < state.MarkupLines.size(); ++index) {
            if (window.CurrentY > window.ScaleHeight())
                break;
            renderer.RenderMarkupLine(window, window, state.MarkupLines.at(index));
        }
    }
    void wheelEvent(QWheelEvent* event) override
    {
        m_scroll->setValue(m_scroll->value() - event->angleDelta().y() / 40);
    }

private:
    const PrintState& m_markup;
    const song::Song& m_song;
    Messages& m_messages;
    QScrollBar* m_scroll;
};

frmPreview::frmPreview(DesktopContext& desktop, song::Song& song, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_song(song)
{
    setObjectName(u"frmPreview"_s);
    setWindowTitle(u"Preview"_s);

    installFontSubstitutions();
    PainterSurface measuring(nullptr, printerPageTwips(desktop, song));
    BuildPrintMarkup(measuring, song, desktop.app, m_markup, desktop.messages);

    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(u"VS"_s);
    m_scroll->setRange(0, qMax(0, int(m_markup.MarkupLines.size()) - 1));
    m_scroll->setPageStep(10);
    m_view = new MarkupView(m_markup, song, desktop.messages, m_scroll, this);
    m_view->setObjectName(u"Picture"_s);
    connect(m_scroll, &QScrollBar::valueChanged, m_view, qOverload<>(&QWidget::update));

    auto* print = new QPushButton(u"Send Song to Printer"_s, this);
    print->setObjectName(u"bPrint"_s);
    auto* chords = new QPushButton(u"Display and Play Chords"_s, this);
    chords->setObjectName(u"bChords"_s);
    chords->setEnabled(false);
    m_chordsButton = chords;
    connect(print, &QPushButton::clicked, this, &frmPreview::sendToPrinter);
    connect(chords, &QPushButton::clicked, this, [this] {
        if (m_showChordTypes)
            m_showChordTypes();
    });

    auto* page = new QHBoxLayout;
    page->setSpacing(0);
    page->addWidget(m_view, 1);
    page->addWidget(m_scroll);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(chords);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(page, 1);
    layout->addLayout(buttons);

    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    resize(int(screen->geometry().width() * 0.8), int(screen->geometry().height() * 0.9));
    m_scroll->setFocus();
}

frmPreview::~frmPreview() = default;

frmPreview* frmPreview::showPreview(DesktopContext& desktop, song::Song& song, QWidget* songWindow)
{
    auto* window = new frmPreview(desktop, song, songWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

int frmPreview::firstLine() const
{
    return m_scroll->value();
}

void frmPreview::setShowChordTypes(std::function<void()> show)
{
    m_showChordTypes = std::move(show);
    m_chordsButton->setEnabled(bool(m_showChordTypes));
}

void frmPreview::sendToPrinter()
{
    close();
    printSongWithDialog(m_desktop, m_song, parentWidget(), m_choose);
}

// The text scrolls by markup lines from anywhere in the window.
void frmPreview::keyPressEvent(QKeyEvent* event)
{
    const QHash<int, QAbstractSlider::SliderAction> actions{
        {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},  {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub}, {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},     {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
    const auto action = actions.find(event->key());
    if (action == actions.end()) {
        QDialog::keyPressEvent(event);
        return;
    }
    m_scroll->triggerAction(action.value());
}

} // namespace lvx::print
