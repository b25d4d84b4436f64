#pragma once

#include "music/chordsymbol.h"
#include "music/guitarchord.h"

#include "print/chorddiagram.h"
#include "print/printstate.h"

#include <QDialog>
#include <QList>

class QScrollBar;
class QStatusBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

class DiagramGrid;
class ScaleView;

// "Chord Type Scale": one chord type drawn on every tonic, as guitar grids or
// keyboards after the instrument setting, in as many columns as the window is
// wide. A click on a diagram plays it.
class frmMode final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMode)

public:
    // songDefs: the fingerings of the song in front, looked up before the
    // global dictionary's.
    frmMode(DesktopContext& desktop, const QList<ChordSymbol>& chords, const QList<GuitarChordDef>& songDefs,
            QWidget* parent = nullptr);
    ~frmMode() override;

    // The first row shown (the scroll bar's value).
    int firstRow() const;
    // Plays chord 1..count; other numbers are ignored.
    void playEntry(int entry);
    // The cell layout for the view's present size.
    DiagramGrid grid() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class ScaleView;
    void paintDiagrams(QPainter& painter);
    void updateScrollBar();
    QSize cellPixels() const;
    print::DiagramSources sources() const;

    DesktopContext& m_desktop;
    const QList<ChordSymbol> m_chords;
    const QList<GuitarChordDef> m_songDefs;
    print::PrintState m_state;
    ScaleView* m_view = nullptr;
    QScrollBar* m_vs = nullptr;
    QStatusBar* m_status = nullptr;
};

} // namespace lvx::music
