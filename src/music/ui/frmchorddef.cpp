#include "music/ui/frmchorddef.h"

#include "music/ui/choicelabel.h"
#include "music/ui/commandbutton.h"
#include "music/fretboard.h"
#include "music/ui/fretboardview.h"
#include "music/instrumentscope.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "midi/playbacknotes.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lvx::music {

frmChordDef::frmChordDef(DesktopContext& desktop, song::Song* owner, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_owner(owner)
{
    setObjectName(QStringLiteral("frmChordDef"));
    setWindowTitle(QStringLiteral("Custom Guitar Chord"));
    setModal(true);

    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(createFretboardPart());
    layout->addWidget(m_line1);
    m_chordPart = createChordPart();
    layout->addWidget(m_chordPart);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connectControls();

    // The chord search is the fretboard alone: what lies below the line edits
    // an entry of a dictionary, and there is none.
    const bool search = m_owner == nullptr;
    m_line1->setVisible(!search);
    m_chordPart->setVisible(!search);
    (search ? m_find : m_close)->setDefault(true);
}

frmChordDef::~frmChordDef() = default;

QWidget* frmChordDef::createFretboardPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);

    m_fretboard = new FretboardPanel(part);
    grid->addWidget(m_fretboard, 0, 0, 1, 2, Qt::AlignLeft);

    m_hs = new QScrollBar(Qt::Horizontal, part);
    m_hs->setObjectName(QStringLiteral("HS"));
    m_hs->setRange(0, MaxBaseFret);
    m_hs->setPageStep(1);
    m_hs->setFocusPolicy(Qt::StrongFocus);
    m_hs->setToolTip(QStringLiteral("Base fret"));
    auto* hsCaption = new QLabel(QStringLiteral("Base fret:"), part);
    hsCaption->setBuddy(m_hs);
    auto* baseFret = new QHBoxLayout;
    baseFret->addWidget(hsCaption);
    baseFret->addWidget(m_hs, 1);
    grid->addLayout(baseFret, 1, 0, 1, 2);

    m_define = new QLineEdit(part);
    m_define->setObjectName(QStringLiteral("tDefine"));
    m_define->setReadOnly(true);
    m_define->setFocusPolicy(Qt::ClickFocus);
    m_define->setMinimumWidth(m_define->fontMetrics().horizontalAdvance(
                                  QStringLiteral("Fret:15   String1 .. String6:12 12 12 12 12 12 ")) + 16);
    grid->addWidget(m_define, 2, 0, 1, 3);

    m_find = commandButton(QStringLiteral("Find Chord"), QStringLiteral("bFind"), QStringLiteral("Alt+F"), part);
    m_play = commandButton(QStringLiteral("Play"), QStringLiteral("bPlay"), QStringLiteral("Alt+P"), part);
    auto* actions = new QVBoxLayout;
    actions->addWidget(m_find);
    actions->addWidget(m_play);
    actions->addStretch();
    grid->addLayout(actions, 0, 2);
    grid->setColumnStretch(2, 1);
    return part;
}

QWidget* frmChordDef::createChordPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    grid->addWidget(new QLabel(QStringLiteral("Tone:"), part), 0, 0);
    grid->addLayout(createNoteRow(this, m_tone, QStringLiteral("Tone")), 0, 1);

    m_chkBass = new QCheckBox(QStringLiteral("Bass:"), part);
    m_chkBass->setObjectName(QStringLiteral("chkBass"));
    grid->addWidget(m_chkBass, 1, 0);
    grid->addLayout(createNoteRow(this, m_bass, QStringLiteral("Bass")), 1, 1);

    m_mode = new QLineEdit(part);
    m_mode->setObjectName(QStringLiteral("tMode"));
    auto* modeCaption = new QLabel(QStringLiteral("Type:"), part);
    modeCaption->setBuddy(m_mode);
    grid->addWidget(modeCaption, 2, 0);
    grid->addWidget(m_mode, 2, 1);

    grid->addLayout(createButtonRow(), 3, 0, 1, 2);
    return part;
}

QLayout* frmChordDef::createButtonRow()
{
    m_close = commandButton(QStringLiteral("Close"), QStringLiteral("bClose"), QString(), this);
    m_cancel = commandButton(QStringLiteral("Cancel"), QStringLiteral("bCancel"), QString(), this);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 8, 0, 0);
    row->addStretch();
    row->addWidget(m_close);
    row->addWidget(m_cancel);
    return row;
}

void frmChordDef::connectControls()
{
    for (int index = 0; index < NoteLabelCount; ++index) {
        connect(m_tone.at(index), &ChoiceLabel::clicked, this, [this, index] {
            m_state.clickTone(index);
            Paint();
        });
        connect(m_bass.at(index), &ChoiceLabel::clicked, this, [this, index] {
            m_state.clickBass(index);
            Paint();
        });
    }
    connect(m_chkBass, &QCheckBox::clicked, this, [this](bool on) {
        m_state.setBassOn(on, false);
        Paint();
    });
    connect(m_mode, &QLineEdit::textEdited, this, [this](const QString& type) { m_state.setType(type); });
    connect(m_hs, &QScrollBar::valueChanged, this, &frmChordDef::showBaseFret);
    FretboardView* board = m_fretboard->board();
    connect(board, &FretboardView::pointClicked, this, &frmChordDef::clickFretboard);
    connect(board, &FretboardView::dotClicked, this, &frmChordDef::muteString);
    connect(m_find, &QPushButton::clicked, this, &frmChordDef::findChord);
    connect(m_play, &QPushButton::clicked, this, &frmChordDef::play);
    connect(m_close, &QPushButton::clicked, this, &frmChordDef::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &frmChordDef::reject);
}

void frmChordDef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        activate();
}

void frmChordDef::activate()
{
    m_desktop.music.dialogResult = ResultOpen;
    captionNoteLabels(m_tone, m_bass, m_desktop.app.notation);
    StrToChord(m_desktop.music.activeChordDef.name);
    m_fretboard->board()->setFocus();
}

void frmChordDef::StrToChord(const QString& name)
{
    m_state = decodeFingeringName(name, m_desktop.messages);
    m_mode->setText(m_state.type);
    const GuitarChordDef& active = m_desktop.music.activeChordDef;
    m_def.name = name;
    m_def.baseFret = qMax<qint16>(active.baseFret, 0);
    {
        // The fretboard is being loaded, not moved by the user. A shape written
        // higher up the neck than the bar reaches keeps its position.
        const QSignalBlocker quiet(m_hs);
        m_hs->setMaximum(qMax<int>(MaxBaseFret, m_def.baseFret));
        m_hs->setValue(m_def.baseFret);
    }
    m_fretboard->setBaseFret(m_def.baseFret);
    for (int string = 1; string <= GuitarStrings; ++string) {
        const qint16 fret = active.frets.at(string);
        m_def.frets.at(string) = fret;
        if (fret < 0)
            muteString(string);
        else
            PaintPunto(string, fret + 1);
    }
    showDefinition();
    Paint();
}

void frmChordDef::showBaseFret(int baseFret)
{
    m_def.baseFret = qint16(baseFret);
    m_fretboard->setBaseFret(baseFret);
    showDefinition();
}

void frmChordDef::showDefinition()
{
    m_define->setText(defineText(m_def));
}

void frmChordDef::PaintPunto(int string, int row)
{
    if (string < 1 || string > GuitarStrings || row < 1)
        return;
    m_def.frets.at(string) = qint16(row - 1);
    m_fretboard->board()->showFret(string, row - 1);
    showDefinition();
}

void frmChordDef::clickFretboard(int string, int row)
{
    PaintPunto(string, row);
    const bool piano = m_desktop.app.instrument == u"Piano";
    const int note = fretClickNote(m_def.baseFret, string, row, piano);
    m_desktop.midi.noteOn(0, quint8(qBound(0, note, 127)), midi::PlaybackVelocity);
}

void frmChordDef::muteString(int string)
{
    if (string < 1 || string > GuitarStrings)
        return;
    m_def.frets.at(string) = GuitarChordDef::NotPlayed;
    m_fretboard->board()->showFret(string, GuitarChordDef::NotPlayed);
    showDefinition();
}

QString frmChordDef::ChordName() const
{
    return m_state.ChordName();
}

quint8 frmChordDef::ChordVal(int letter, bool sharp, bool flat)
{
    return music::ChordVal(letter, sharp, flat);
}

void frmChordDef::Paint()
{
    const auto paintRow = [](const std::array<ChoiceLabel*, NoteLabelCount>& labels, const DialogNote& note, bool on) {
        for (int letter = 0; letter < LetterCount; ++letter)
            labels.at(letter)->setSelected(on && letter == note.letter);
        labels.at(SharpIndex)->setSelected(on && note.sharp);
        labels.at(FlatIndex)->setSelected(on && note.flat);
    };
    paintRow(m_tone, m_state.tone, true);
    paintRow(m_bass, m_state.bass, m_state.bassOn);
    m_chkBass->setChecked(m_state.bassOn);
}

void frmChordDef::findChord()
{
    const QString name = findChordName(m_desktop.music.chordTypes, m_def, m_desktop.app.notation);
    m_desktop.messages.inform(name.isEmpty() ? ChordNotFoundMessage.toString() : name);
}

void frmChordDef::play()
{
    const InstrumentScope guitar(m_desktop.app, QStringLiteral("Guitar"));
    midi::PlaybackNotes notes;
    for (int note : fingeringNotes(m_def))
        notes.append(note);
    midi::PlayChordNotes(m_desktop.midi, notes);
}

void frmChordDef::confirm()
{
    GuitarChordDef& active = m_desktop.music.activeChordDef;
    active.frets = m_def.frets;
    active.name = ChordName();
    active.baseFret = qint16(m_hs->value());
    m_desktop.music.dialogResult = ResultOk;
    accept();
}

} // namespace lvx::music
