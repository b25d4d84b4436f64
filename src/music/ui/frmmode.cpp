#include "music/ui/frmmode.h"

#include "music/diagramgrid.h"

#include "app/desktopcontext.h"
#include "app/screenfit.h"
#include "midi/chordplayer.h"
#include "midi/playbacknotes.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"
#include "print/paintersurface.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace lvx::music {

namespace {

// On screen, one pixel for this many twips.
constexpr double TwipsPerPixel = 8.0;
// A diagram's name and open-string marks reach past its cell; printed pages
// space diagrams by these factors of the cell, and so does the view.
constexpr double ColumnStep = 1.2;
constexpr double RowStep = 1.4;
const QString ClickHint = QStringLiteral("Click a diagram to hear it");

} // namespace

// The drawing area: paints and reports clicks and wheel turns to its window.
class ScaleView final : public QWidget
{
public:
    explicit ScaleView(frmMode* window) : QWidget(window), m_window(window)
    {
        setObjectName(QStringLiteral("Scale"));
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        m_window->paintDiagrams(painter);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        m_window->playEntry(m_window->grid().entryAtPoint(event->position().toPoint(), m_window->firstRow()));
    }
    void wheelEvent(QWheelEvent* event) override
    {
        QCoreApplication::sendEvent(m_window->m_vs, event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        m_window->updateScrollBar();
    }

private:
    frmMode* m_window;
};

frmMode::frmMode(DesktopContext& desktop, const QList<ChordSymbol>& chords, const QList<GuitarChordDef>& songDefs,
                 QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_chords(chords), m_songDefs(songDefs)
{
    setObjectName(QStringLiteral("frmMode"));
    setWindowTitle(QStringLiteral("Chord Type Scale"));
    setModal(true);
    print::installFontSubstitutions();
    m_state.diagram = print::SetDiagramSize(print::MediumDiagramSize, m_desktop.app.instrument == u"Piano");

    m_view = new ScaleView(this);
    m_vs = new QScrollBar(Qt::Vertical, this);
    m_vs->setObjectName(QStringLiteral("VS"));
    m_vs->setPageStep(1);
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setSizeGripEnabled(false);
    m_status->showMessage(ClickHint);

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    body->addWidget(m_view, 1);
    body->addWidget(m_vs);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addWidget(m_status);

    connect(m_vs, &QScrollBar::valueChanged, m_view, qOverload<>(&QWidget::update));
    // Hiding the bar must not widen the view: that would change the columns it was hidden for.
    QSizePolicy keepRoom = m_vs->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_vs->setSizePolicy(keepRoom);
    const QSize cell = cellPixels();
    setMinimumSize(cell.width() + m_vs->sizeHint().width(), cell.height() + m_status->sizeHint().height());
    // Four diagrams a row and three rows: the twelve tonics at a glance, where
    // the screen has the room; the bar scrolls the rest on a smaller one.
    fitToScreen(this, QSize(cell.width() * 4 + m_vs->sizeHint().width(), cell.height() * 3 + m_status->sizeHint().height()));
}

frmMode::~frmMode() = default;

QSize frmMode::cellPixels() const
{
    return {int(m_state.diagram.cellWidth * ColumnStep / TwipsPerPixel),
            int(m_state.diagram.cellHeight * RowStep / TwipsPerPixel)};
}

DiagramGrid frmMode::grid() const
{
    return DiagramGrid(cellPixels(), m_view->size(), int(m_chords.size()));
}

int frmMode::firstRow() const
{
    return m_vs->isVisible() ? m_vs->value() : 0;
}

print::DiagramSources frmMode::sources() const
{
    return {m_desktop.app, m_desktop.music.chordTypes, m_songDefs, m_desktop.dictionary.chordDefs};
}

void frmMode::paintDiagrams(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const DiagramGrid cells = grid();
    const print::DiagramSources from = sources();
    const QSizeF cellTwips(cellPixels() * TwipsPerPixel);
    midi::PlaybackNotes unused;
    for (int row = 0; row < cells.visibleRows() + 1; ++row) {
        for (int column = 0; column < cells.columns(); ++column) {
            const int entry = cells.entryAt(row, column, firstRow());
            if (entry == 0)
                continue;
            painter.save();
            painter.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
            painter.translate(column * cellTwips.width(), row * cellTwips.height());
            print::PainterSurface surface(&painter, cellTwips);
            print::DrawChordDiagram(surface, m_chords.at(entry - 1), from, m_state, unused);
            painter.restore();
        }
    }
}

void frmMode::playEntry(int entry)
{
    if (entry < 1 || entry > m_chords.size())
        return;
    const ChordSymbol& chord = m_chords.at(entry - 1);
    midi::PlaybackNotes notes;
    print::NullSurface hidden;
    print::DrawChordDiagram(hidden, chord, sources(), m_state, notes);
    m_status->showMessage(FormatChord(chord, m_desktop.app.notation));
    midi::PlayChordNotes(m_desktop.midi, notes);
}

void frmMode::updateScrollBar()
{
    const DiagramGrid cells = grid();
    m_vs->setRange(0, cells.lastFirstRow());
    m_vs->setVisible(cells.lastFirstRow() > 0);
    m_view->update();
}

void frmMode::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    updateScrollBar();
}

} // namespace lvx::music
