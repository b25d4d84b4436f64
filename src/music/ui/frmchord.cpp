#include "music/ui/frmchord.h"

#include "music/ui/choicelabel.h"
#include "music/ui/chordmapview.h"
#include "music/chordsymbol.h"
#include "music/guitarchord.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lvx::music {

namespace {

bool isPiano(const AppState& app)
{
    return app.instrument == u"Piano";
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmChord::frmChord(DesktopContext& desktop, const QList<GuitarChordDef>* songDefs, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_songDefs(songDefs != nullptr ? *songDefs : m_noSongDefs)
{
    setObjectName(QStringLiteral("frmChord"));
    setWindowTitle(QStringLiteral("Chord"));
    setModal(true);

    auto* body = new QHBoxLayout;
    body->setSpacing(18);
    body->addWidget(createChordPanel(), 1);
    body->addWidget(createDiagramPanel());

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(body);
    layout->addWidget(separator(this));
    layout->addLayout(createButtonRow());
    connectControls();
    setLabelText(QString());
}

frmChord::~frmChord() = default;

QLayout* frmChord::createTypeRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (int index = 0; index < int(m_mode.size()); ++index) {
        m_mode.at(index) = new ChoiceLabel(basicChordTypes().at(index), this);
        m_mode.at(index)->setObjectName(u"Mode" + QString::number(index));
        row->addWidget(m_mode.at(index));
    }
    row->addStretch();
    return row;
}

QWidget* frmChord::createChordPanel()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    grid->addWidget(new QLabel(QStringLiteral("Tone:"), panel), 0, 0);
    grid->addLayout(createNoteRow(this, m_tone, QStringLiteral("Tone")), 0, 1);

    m_chkBass = new QCheckBox(QStringLiteral("Bass:"), panel);
    m_chkBass->setObjectName(QStringLiteral("chkBass"));
    grid->addWidget(m_chkBass, 1, 0);
    grid->addLayout(createNoteRow(this, m_bass, QStringLiteral("Bass")), 1, 1);

    grid->addWidget(new QLabel(QStringLiteral("Basic Types:"), panel), 2, 0);
    grid->addLayout(createTypeRow(), 2, 1);

    m_chkOtherModes = new QCheckBox(QStringLiteral("Other Types:"), panel);
    m_chkOtherModes->setObjectName(QStringLiteral("chkOtherModes"));
    m_cMode = new QComboBox(panel);
    m_cMode->setObjectName(QStringLiteral("cMode"));
    m_cMode->setEditable(true);
    m_cMode->setInsertPolicy(QComboBox::NoInsert);
    m_cMode->setMinimumContentsLength(12);
    // The combo box keeps the focus and hands keys to its line edit directly,
    // past any filter there: Enter is caught on the box itself.
    m_cMode->installEventFilter(this);
    grid->addWidget(m_chkOtherModes, 3, 0);
    grid->addWidget(m_cMode, 3, 1, Qt::AlignLeft);

    grid->addWidget(separator(panel), 4, 0, 1, 2);

    m_chordLabel = new QRadioButton(QStringLiteral("Chord Label"), panel);
    m_chordLabel->setObjectName(QStringLiteral("oTipo0"));
    m_textLabel = new QRadioButton(QStringLiteral("Text Label"), panel);
    m_textLabel->setObjectName(QStringLiteral("oTipo1"));
    auto* kinds = new QHBoxLayout;
    kinds->setSpacing(18);
    kinds->addWidget(m_chordLabel);
    kinds->addWidget(m_textLabel);
    kinds->addStretch();
    grid->addLayout(kinds, 5, 0, 1, 2);

    m_texto = new QLineEdit(panel);
    m_texto->setObjectName(QStringLiteral("Texto"));
    auto* textCaption = new QLabel(QStringLiteral("Text:"), panel);
    textCaption->setBuddy(m_texto);
    grid->addWidget(textCaption, 6, 0);
    grid->addWidget(m_texto, 6, 1);

    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* frmChord::createDiagramPanel()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    const print::DiagramSources sources{m_desktop.app, m_desktop.music.chordTypes, m_songDefs,
                                        m_desktop.dictionary.chordDefs};
    m_chordMap = new ChordMapView(sources, panel);
    m_chordMap->setObjectName(QStringLiteral("ChordMap"));
    m_chordMap->setToolTip(QStringLiteral("Click to hear the chord"));
    QSizePolicy keepMapRoom = m_chordMap->sizePolicy();
    keepMapRoom.setRetainSizeWhenHidden(true);
    m_chordMap->setSizePolicy(keepMapRoom);
    column->addWidget(m_chordMap, 1);

    m_autoChord = new QLabel(QStringLiteral("Auto Chord !"), panel);
    m_autoChord->setObjectName(QStringLiteral("lAutoChord"));
    m_autoChord->setAlignment(Qt::AlignCenter);
    QFont bold = m_autoChord->font();
    bold.setBold(true);
    m_autoChord->setFont(bold);
    // Keeps its room while hidden, so the diagram does not jump.
    QSizePolicy keepRoom = m_autoChord->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_autoChord->setSizePolicy(keepRoom);
    column->addWidget(m_autoChord);

    m_play = new QPushButton(QStringLiteral("Play"), panel);
    m_play->setObjectName(QStringLiteral("bPlay"));
    m_play->setAutoDefault(false);
    column->addWidget(m_play);
    return panel;
}

QLayout* frmChord::createButtonRow()
{
    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    m_delete->setObjectName(QStringLiteral("cDelete"));
    m_delete->setAutoDefault(false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cCancel"));
    m_cancel->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(m_delete);
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

void frmChord::connectControls()
{
    for (int index = 0; index < NoteLabelCount; ++index) {
        connect(m_tone.at(index), &ChoiceLabel::clicked, this, [this, index] { chooseTone(index); });
        connect(m_tone.at(index), &ChoiceLabel::doubleClicked, this, &frmChord::confirm);
        connect(m_bass.at(index), &ChoiceLabel::clicked, this, [this, index] { chooseBass(index); });
        connect(m_bass.at(index), &ChoiceLabel::doubleClicked, this, &frmChord::confirm);
    }
    for (ChoiceLabel* label : m_mode) {
        connect(label, &ChoiceLabel::clicked, this, [this, label] { chooseType(label->text()); });
        connect(label, &ChoiceLabel::doubleClicked, this, &frmChord::confirm);
    }
    // Only a click by hand starts the bass from the tone; the dialog's own
    // changes go through setChecked, which does not emit clicked.
    connect(m_chkBass, &QCheckBox::clicked, this, [this](bool on) {
        m_state.setBassOn(on, true);
        Paint();
    });
    connect(m_chkOtherModes, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            LlenaTablaModos();
        else
            m_cMode->clear();
        showType();
    });
    connect(m_cMode, &QComboBox::activated, this, [this](int index) { chooseType(m_cMode->itemText(index)); });
    connect(m_chordLabel, &QRadioButton::clicked, this, [this] {
        m_state.textLabel = false;
        Paint();
    });
    connect(m_textLabel, &QRadioButton::clicked, this, [this] {
        m_state.textLabel = true;
        Paint();
    });
    connect(m_texto, &QLineEdit::textChanged, this, [this](const QString& text) { m_state.text = text; });
    connect(m_chordMap, &ChordMapView::clicked, this, &frmChord::play);
    connect(m_play, &QPushButton::clicked, this, &frmChord::play);
    connect(m_ok, &QPushButton::clicked, this, &frmChord::confirm);
    connect(m_delete, &QPushButton::clicked, this, &frmChord::deleteLabel);
    connect(m_cancel, &QPushButton::clicked, this, &frmChord::reject);
}

void frmChord::Init()
{
    m_chkOtherModes->setChecked(false);
    m_desktop.music.dialogResult = ResultOpen;
}

void frmChord::setLabelText(const QString& text)
{
    m_labelText = text;
}

QString frmChord::ChordName() const
{
    return m_state.ChordName();
}

quint8 frmChord::ChordVal(int letter, bool sharp, bool flat)
{
    return music::ChordVal(letter, sharp, flat);
}

void frmChord::LlenaTablaModos()
{
    const int bass = m_state.bassOn ? music::ChordVal(m_state.bass) : music::ChordVal(m_state.tone);
    const QStringList types = otherChordTypes(m_desktop.music.chordTypes, m_desktop.app.instrument == u"Guitar",
                                              music::ChordVal(m_state.tone), bass, m_desktop.dictionary.chordDefs,
                                              m_songDefs);
    m_cMode->clear();
    m_cMode->addItems(types);
}

void frmChord::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        activate();
}

void frmChord::activate()
{
    m_desktop.music.dialogResult = ResultOpen;
    m_texto->clear();
    captionNoteLabels(m_tone, m_bass, m_desktop.app.notation);
    m_state = decodeLabel(m_labelText, m_desktop.messages);
    if (m_state.textLabel)
        m_texto->setText(m_state.text);
    if (m_chkOtherModes->isChecked())
        LlenaTablaModos();
    showType();
    Paint();
    (m_state.textLabel ? static_cast<QWidget*>(m_texto) : m_tone.at(m_state.tone.letter))->setFocus();
}

void frmChord::showType()
{
    m_cMode->setEditText(m_state.type);
}

void frmChord::Paint()
{
    const bool chord = !m_state.textLabel;
    m_chordLabel->setChecked(chord);
    m_textLabel->setChecked(!chord);
    m_texto->setEnabled(!chord);
    for (int index = 0; index < NoteLabelCount; ++index) {
        m_tone.at(index)->setEnabled(chord);
        m_bass.at(index)->setEnabled(chord);
    }
    for (ChoiceLabel* label : m_mode)
        label->setEnabled(chord);
    m_chkBass->setEnabled(chord);
    m_cMode->setEnabled(chord);
    m_chkOtherModes->setEnabled(chord);
    m_play->setEnabled(chord);
    m_chordMap->setVisible(chord);
    {
        const QSignalBlocker quiet(m_chkBass);
        m_chkBass->setChecked(m_state.bassOn);
    }
    paintSelection();
    paintDiagram();
}

void frmChord::paintSelection()
{
    const auto paintRow = [](const std::array<ChoiceLabel*, NoteLabelCount>& labels, const DialogNote& note, bool on) {
        for (int letter = 0; letter < LetterCount; ++letter)
            labels.at(letter)->setSelected(on && letter == note.letter);
        labels.at(SharpIndex)->setSelected(on && note.sharp);
        labels.at(FlatIndex)->setSelected(on && note.flat);
    };
    // A text label has no chord to show as chosen.
    const bool chord = !m_state.textLabel;
    paintRow(m_tone, m_state.tone, chord);
    paintRow(m_bass, m_state.bass, chord && m_state.bassOn);
    for (ChoiceLabel* label : m_mode)
        label->setSelected(chord && label->text() == m_state.type);
}

void frmChord::paintDiagram()
{
    m_notes.clear();
    if (m_state.textLabel) {
        m_autoChord->hide();
        return;
    }
    const ChordSymbol chord = ParseChord(ChordName());
    const bool piano = isPiano(m_desktop.app);
    const print::DiagramSources sources{m_desktop.app, m_desktop.music.chordTypes, m_songDefs,
                                        m_desktop.dictionary.chordDefs};
    print::PrintState state;
    state.diagram = print::SetDiagramSize(print::MediumDiagramSize, piano);
    // The picture is painted later; the notes to play come from a drawing now.
    print::NullSurface hidden;
    print::DrawChordDiagram(hidden, chord, sources, state, m_notes);
    m_chordMap->setDiagram(chord, state.diagram);
    const bool computed = !piano && print::guitarFingering(chord, sources).origin == print::FingeringOrigin::Computed;
    m_autoChord->setVisible(computed);
}

void frmChord::chooseTone(int index)
{
    m_state.clickTone(index);
    Paint();
}

void frmChord::chooseBass(int index)
{
    m_state.clickBass(index);
    Paint();
}

void frmChord::chooseType(const QString& type)
{
    m_state.setType(type);
    showType();
    Paint();
}

bool frmChord::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the type box takes the typed type and stays in the dialog.
    if (watched == m_cMode && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseType(m_cMode->currentText());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmChord::play()
{
    if (!m_state.textLabel)
        midi::PlayChordNotes(m_desktop.midi, m_notes);
}

void frmChord::confirm()
{
    if (!m_state.textLabel && m_state.type == u"maj")
        m_state.type.clear();
    m_desktop.music.ChosenChord = m_state.result();
    m_desktop.music.dialogResult = ResultOk;
    QDialog::accept();
}

void frmChord::deleteLabel()
{
    m_desktop.music.dialogResult = ResultDelete;
    done(ResultDelete);
}

} // namespace lvx::music
