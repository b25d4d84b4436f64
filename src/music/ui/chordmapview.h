#pragma once

#include "music/chordsymbol.h"

#include "print/chorddiagram.h"
#include "print/printstate.h"

#include <QWidget>

namespace lvx::music {

// The chord dialog's diagram: a guitar grid or piano keyboard drawn as printing
// draws it, scaled to fit. A click on it is reported, to play the chord.
class ChordMapView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChordMapView)

public:
    ChordMapView(const print::DiagramSources& sources, QWidget* parent = nullptr);

    void setDiagram(const ChordSymbol& chord, const print::DiagramSize& size);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    print::DiagramSources m_sources;
    ChordSymbol m_chord;
    print::PrintState m_state;
};

} // namespace lvx::music
