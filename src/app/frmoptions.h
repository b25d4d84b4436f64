#pragma once

#include "base/fonts.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QList>

#include <functional>
#include <optional>

class QButtonGroup;
class QLineEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;

namespace lvx {

class DesktopContext;

namespace song {
class Song;
}

// "Options": notation, instrument, print output and MIDI for the whole program,
// and the fonts and chord diagram options of the active song. Every control
// works on a copy; nothing changes until Apply or OK, and Apply also makes the
// song's options the defaults for new songs.
class frmOptions final : public QDialog
{
    Q_OBJECT

public:
    // song: the active song window's song, whose fonts and diagram options the
    // dialog edits (never nullptr: the dialog opens only while a song window is active).
    frmOptions(DesktopContext& desktop, song::Song& song, QWidget* parent = nullptr);
    ~frmOptions() override;
    Q_DISABLE_COPY_MOVE(frmOptions)

    // The platform's font and colour dialogs, nullopt when cancelled. Tests put
    // their own answers here so that nothing waits for a real modal dialog.
    std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)> chooseFont;
    std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)> chooseColor;

private:
    QWidget* createGeneralPage();
    QWidget* createFontsPage();
    QWidget* createChordsPage();
    QWidget* createMidiPage();
    QWidget* createVoiceBox(const QString& title, const QString& instrument);
    void createButtons();

    void load();
    void loadFonts();
    void loadMidi();
    void apply();
    // Each returns whether the song's own values changed.
    bool applyFonts();
    void applyGeneral();
    void applyMidi();
    bool applySong();
    void okClicked();
    void nextTab();

    void showFont();
    void changeFont();
    void changeColor();
    Fonts* selectedFont();

    // The timing and patch controls of one instrument's box.
    struct Voice
    {
        QComboBox* patch = nullptr;
        QSlider* sustain = nullptr;
        QSlider* delay = nullptr;
        QPushButton* test = nullptr;
    };
    void testVoice(const QString& instrument, const Voice& voice);
    qint16 patchShown(const Voice& voice, qint16 before) const;

    DesktopContext& m_desktop;
    song::Song& m_song;
    FontSet m_fonts;   // the copies the Fonts page edits

    QTabWidget* tbsOptions = nullptr;
    QButtonGroup* oOutput = nullptr;
    QButtonGroup* oNoteStyle = nullptr;
    QButtonGroup* oInstrument = nullptr;
    QLineEdit* tPageHeader = nullptr;
    QLineEdit* tPageFooter = nullptr;
    QCheckBox* ckSoundingChords = nullptr;
    QButtonGroup* oChordPosition = nullptr;
    QButtonGroup* oChordSize = nullptr;
    QList<QCheckBox*> m_printFlags;
    QCheckBox* chkWriteEverySetting = nullptr;
    QComboBox* cFontSource = nullptr;
    QLabel* lFontname = nullptr;
    QLabel* lSample = nullptr;
    QComboBox* cMidiDevs = nullptr;
    Voice m_guitar;
    Voice m_piano;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;
};

} // namespace lvx
