#pragma once

#include "music/chorddialogstate.h"
#include "music/guitarchord.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace lvx {
class DesktopContext;
}

namespace lvx::song {
class Song;
}

namespace lvx::music {

class ChoiceLabel;
class FretboardPanel;

// "Custom Guitar Chord": edits the active chord definition on a fretboard and
// names the chord a fingering sounds. Close hands the fingering back through
// the active chord definition and the dialog result flag; the opener puts it
// into its dictionary. Without an owner it is the guitar chord search: only the
// fretboard with "Find Chord" and "Play" shows.
class frmChordDef final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmChordDef)

public:
    // owner: whose dictionary an edit goes to; nullptr for the chord search (fretboard alone).
    frmChordDef(DesktopContext& desktop, song::Song* owner, QWidget* parent = nullptr);
    ~frmChordDef() override;

    void PaintPunto(int string, int row);
    QString ChordName() const;
    static quint8 ChordVal(int letter, bool sharp, bool flat);
    void Paint();
    // Reads the name into the tone, type and bass controls and the active
    // chord definition's position and frets onto the fretboard.
    void StrToChord(const QString& name);

    // The fingering as the fretboard shows it.
    const GuitarChordDef& fingering() const { return m_def; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createFretboardPart();
    QWidget* createChordPart();
    QLayout* createButtonRow();
    void connectControls();

    void activate();
    void showBaseFret(int baseFret);
    void showDefinition();
    void clickFretboard(int string, int row);
    void muteString(int string);
    void findChord();
    void play();
    void confirm();

    DesktopContext& m_desktop;
    song::Song* m_owner;
    GuitarChordDef m_def;
    ChordDialogState m_state;

    FretboardPanel* m_fretboard = nullptr;
    QScrollBar* m_hs = nullptr;
    QLineEdit* m_define = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_play = nullptr;
    QFrame* m_line1 = nullptr;
    QWidget* m_chordPart = nullptr;
    std::array<ChoiceLabel*, NoteLabelCount> m_tone{};
    std::array<ChoiceLabel*, NoteLabelCount> m_bass{};
    QCheckBox* m_chkBass = nullptr;
    QLineEdit* m_mode = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
