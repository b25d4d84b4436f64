#pragma once

#include "music/chorddialogstate.h"

#include "midi/playbacknotes.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lvx {
class DesktopContext;
}

namespace lvx::music {

class ChoiceLabel;
class ChordMapView;
struct GuitarChordDef;

// "Chord": inserts or edits one chord label of a song line. The caller calls
// Init, sets the label's text, runs the dialog, then reads the dialog result
// flag (2 cancelled, 1 OK, 8 Delete) and the chosen label text from the music
// state.
class frmChord final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmChord)

public:
    // songDefs: the fingerings of the song being edited (nullptr for none);
    // they must outlive the dialog.
    frmChord(DesktopContext& desktop, const QList<GuitarChordDef>* songDefs, QWidget* parent = nullptr);
    ~frmChord() override;

    void Init();
    void setLabelText(const QString& text);
    QString labelText() const { return m_labelText; }

    QString ChordName() const;
    static quint8 ChordVal(int letter, bool sharp, bool flat);
    void LlenaTablaModos();
    void Paint();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* createTypeRow();
    QWidget* createChordPanel();
    QWidget* createDiagramPanel();
    QLayout* createButtonRow();
    void connectControls();

    void activate();
    void showType();
    void paintSelection();
    void paintDiagram();

    void chooseTone(int index);
    void chooseBass(int index);
    void chooseType(const QString& type);
    void play();
    void confirm();
    void deleteLabel();

    DesktopContext& m_desktop;
    const QList<GuitarChordDef> m_noSongDefs;
    const QList<GuitarChordDef>& m_songDefs;
    QString m_labelText;
    ChordDialogState m_state;
    midi::PlaybackNotes m_notes;

    std::array<ChoiceLabel*, NoteLabelCount> m_tone{};
    std::array<ChoiceLabel*, NoteLabelCount> m_bass{};
    std::array<ChoiceLabel*, 7> m_mode{};
    QCheckBox* m_chkBass = nullptr;
    QComboBox* m_cMode = nullptr;
    QCheckBox* m_chkOtherModes = nullptr;
    QRadioButton* m_chordLabel = nullptr;
    QRadioButton* m_textLabel = nullptr;
    QLineEdit* m_texto = nullptr;
    ChordMapView* m_chordMap = nullptr;
    QLabel* m_autoChord = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace lvx::music
