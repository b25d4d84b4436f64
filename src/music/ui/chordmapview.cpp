#include "music/ui/chordmapview.h"

#include "midi/playbacknotes.h"
#include "print/paintersurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace lvx::music {

namespace {

// What of a diagram's cell is shown: the drawing keeps 200 twips of margin on
// the left and prints the name below the cell.
constexpr double CropLeft = 120;
constexpr double CropTop = 20;
constexpr double ExtraWidth = 150;
constexpr double ExtraHeight = 300;
constexpr int Padding = 6;

} // namespace

ChordMapView::ChordMapView(const print::DiagramSources& sources, QWidget* parent) : QWidget(parent), m_sources(sources)
{
    print::installFontSubstitutions();
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(170, 160);
}

void ChordMapView::setDiagram(const ChordSymbol& chord, const print::DiagramSize& size)
{
    m_chord = chord;
    m_state.diagram = size;
    update();
}

QSize ChordMapView::sizeHint() const
{
    return {220, 200};
}

void ChordMapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_chord.tone < 0 || m_chord.bass < 0)
        return;

    const QSizeF twips(m_state.diagram.cellWidth + ExtraWidth - CropLeft,
                       m_state.diagram.cellHeight + ExtraHeight - CropTop);
    const QRectF area = QRectF(rect()).adjusted(Padding, Padding, -Padding, -Padding);
    const double scale = qMin(area.width() / twips.width(), area.height() / twips.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(area.center().x() - twips.width() * scale / 2, area.center().y() - twips.height() * scale / 2);
    painter.scale(scale, scale);
    painter.translate(-CropLeft, -CropTop);

    print::PainterSurface surface(&painter, twips);
    // The dialog keeps the notes of its own drawing; these are thrown away.
    midi::PlaybackNotes notes;
    print::DrawChordDiagram(surface, m_chord, m_sources, m_state, notes);
}

void ChordMapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace lvx::music
