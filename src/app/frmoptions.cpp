#include "frmoptions.h"

#include "desktopcontext.h"
#include "frmmain.h"
#include "optionspages.h"
#include "base/optionvalues.h"

#include "song/song.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

struct PrintFlag
{
    QStringView name;
    QStringView caption;
    bool song::Song::*flag;
};

// The diagram filters in the order the page lists them.
const PrintFlag PrintFlags[] = {
    {u"ckChordsFlag", u"Print Other Chords ", &song::Song::PrintChordsFlag},
    {u"ckMajorFlag", u"Print All Major Chords", &song::Song::PrintMajorFlag},
    {u"ckMinorFlag", u"Print All Minor Chords", &song::Song::PrintMinorFlag},
    {u"ckSeventhFlag", u"Print All 7th Chords", &song::Song::PrintSeventhFlag},
    {u"ckBemolFlag", u"Print all \"b\" and \"#\" Chords", &song::Song::PrintBemolFlag},
    {u"ckBassFlag", u"Print Chords when Bass <> Root", &song::Song::PrintBassNotRootFlag},
};

constexpr int NotationLetters = 1;
constexpr int NotationSolfege = 2;
constexpr int InstrumentGuitar = 1;
constexpr int InstrumentPiano = 2;

} // namespace

frmOptions::frmOptions(DesktopContext& desktop, song::Song& song, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_song(song)
{
    setObjectName(u"frmOptions"_s);
    setWindowTitle(u"Options"_s);
    setModal(true);

    chooseFont = options::platformFontDialog;
    chooseColor = options::platformColorDialog;

    tbsOptions = new QTabWidget(this);
    tbsOptions->setObjectName(u"tbsOptions"_s);
    const QList<QWidget*> pages{createGeneralPage(), createFontsPage(), createChordsPage(), createMidiPage()};
    const QStringList titles{u"General"_s, u"Fonts"_s, u"Chords"_s, u"Midi Setup"_s};
    for (int index = 0; index < pages.size(); ++index) {
        pages[index]->setObjectName(u"Marco"_s + QString::number(index));
        tbsOptions->addTab(pages[index], titles[index]);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions);
    createButtons();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    layout->addLayout(buttons);

    // Ctrl+Tab goes round the pages wherever the focus is, also from the buttons below.
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this, &frmOptions::nextTab);

    load();
    tbsOptions->setCurrentIndex(0);
}

frmOptions::~frmOptions() = default;

QWidget* frmOptions::createGeneralPage()
{
    auto* page = new QWidget(this);
    auto* output = new QGroupBox(u"Output Options"_s, page);
    oOutput = options::addChoices(output, u"oOutput"_s, 0,
                                  {u"Lyrics and Chords"_s, u"Lyrics Only"_s, u"Chords Only"_s});
    auto* noteStyle = new QGroupBox(u"Note Style"_s, page);
    oNoteStyle = options::addChoices(noteStyle, u"oNoteStyle"_s, NotationLetters,
                                     {u"C D E F G A B"_s, u"Do Re Mi Fa Sol La Si"_s});
    auto* instrument = new QGroupBox(u"Instrument"_s, page);
    oInstrument = options::addChoices(instrument, u"oInstrument"_s, InstrumentGuitar, {u"Guitar"_s, u"Piano"_s});
    ckSoundingChords = new QCheckBox(u"Show sounding chords"_s, page);
    ckSoundingChords->setObjectName(u"ckSoundingChords"_s);
    ckSoundingChords->setToolTip(u"With a capo, show and print the chords that sound, not the shapes played"_s);

    auto* pageText = new QGroupBox(u"Page Header and Footer"_s, page);
    tPageHeader = new QLineEdit(pageText);
    tPageHeader->setObjectName(u"tPageHeader"_s);
    tPageFooter = new QLineEdit(pageText);
    tPageFooter->setObjectName(u"tPageFooter"_s);
    auto* fields = new QLabel(u"Left|Centre|Right, with %{title}, %{subtitle}, %{artist}, %{key}, %{capo}, "
                              u"%{album}, %{year}, %{copyright} or any other fact, and %{page}."_s, pageText);
    fields->setWordWrap(true);
    auto* pageLayout = new QFormLayout(pageText);
    pageLayout->addRow(u"&Header:"_s, tPageHeader);
    pageLayout->addRow(u"&Footer:"_s, tPageFooter);
    pageLayout->addRow(fields);
    // Off, a song from another tool is saved the way that tool wrote it.
    chkWriteEverySetting = new QCheckBox(u"Write every setting into songs"_s, page);
    chkWriteEverySetting->setObjectName(u"chkWriteEverySetting"_s);

    auto* layout = new QGridLayout(page);
    layout->addWidget(output, 0, 0);
    layout->addWidget(noteStyle, 0, 1);
    layout->addWidget(instrument, 1, 1);
    layout->addWidget(ckSoundingChords, 2, 0, 1, 2);
    layout->addWidget(chkWriteEverySetting, 3, 0, 1, 2);
    layout->addWidget(pageText, 4, 0, 1, 2);
    layout->setRowStretch(5, 1);
    return page;
}

QWidget* frmOptions::createChordsPage()
{
    auto* page = new QWidget(this);
    auto* position = new QGroupBox(u"Chord Map Position"_s, page);
    oChordPosition = options::addChoices(position, u"oChordPosition"_s, 0, {u"Right"_s, u"Bottom"_s});
    auto* size = new QGroupBox(u"Chord Diagram Size"_s, page);
    oChordSize = options::addChoices(size, u"oChordSize"_s, 0, {u"Small"_s, u"Medium"_s, u"Large"_s});

    auto* filter = new QGroupBox(u"Chord Diagrams Filter"_s, page);
    auto* filterLayout = new QVBoxLayout(filter);
    for (const PrintFlag& flag : PrintFlags) {
        auto* box = new QCheckBox(flag.caption.toString(), filter);
        box->setObjectName(flag.name.toString());
        filterLayout->addWidget(box);
        m_printFlags.append(box);
    }
    filterLayout->addStretch();

    auto* layout = new QGridLayout(page);
    layout->addWidget(position, 0, 0);
    layout->addWidget(size, 1, 0);
    layout->addWidget(filter, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    return page;
}

void frmOptions::createButtons()
{
    cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(u"Cancel"_s, this);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    cmdApply = new QPushButton(u"Apply"_s, this);
    cmdApply->setObjectName(u"cmdApply"_s);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::okClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::reject);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::apply);
}

void frmOptions::load()
{
    options::check(oChordPosition, m_song.ChordPosition);
    options::check(oChordSize, m_song.ChordSize);
    for (qsizetype index = 0; index < m_printFlags.size(); ++index)
        m_printFlags[index]->setChecked(m_song.*PrintFlags[index].flag);

    const GeneralOptions general = generalOptions(m_desktop.app);
    options::check(oOutput, general.output);
    options::check(oNoteStyle, general.notation == u"C" ? NotationLetters : NotationSolfege);
    options::check(oInstrument, general.instrument == u"Guitar" ? InstrumentGuitar : InstrumentPiano);
    tPageHeader->setText(m_desktop.app.pageHeader);
    tPageFooter->setText(m_desktop.app.pageFooter);
    ckSoundingChords->setChecked(general.soundingChords);
    chkWriteEverySetting->setChecked(general.writeEverySetting);

    loadFonts();
    loadMidi();
}

void frmOptions::apply()
{
    const bool fontsChanged = applyFonts();
    applyGeneral();
    if (m_desktop.midi.isOpen())
        applyMidi();
    // The song's fonts and diagram options are saved with it: changing them is
    // an edit like any other, which Close asks about.
    if (applySong() || fontsChanged)
        m_song.Modificada = true;
    // New songs start from the default song file, so it carries these options on.
    m_song.SaveDefaultFile();
    // The notation and the fonts show at once in every open song.
    if (auto* frame = qobject_cast<frmMain*>(m_desktop.mainWindow.data()))
        frame->repaintSongs();
}

void frmOptions::applyGeneral()
{
    GeneralOptions general;
    general.output = options::chosen(oOutput, outputChoice(m_desktop.app.LyricsOnly, m_desktop.app.ChordsOnly));
    general.notation = oNoteStyle->checkedId() == NotationSolfege ? u"Do"_s : u"C"_s;
    general.instrument = oInstrument->checkedId() == InstrumentPiano ? u"Piano"_s : u"Guitar"_s;
    general.soundingChords = ckSoundingChords->isChecked();
    general.writeEverySetting = chkWriteEverySetting->isChecked();
    applyGeneralOptions(m_desktop.app, general);
    applyPageTemplates(m_desktop.app, tPageHeader->text(), tPageFooter->text());

    // The frame shows both values in its status bar and the instrument on its toolbar.
    if (auto* frame = qobject_cast<frmMain*>(m_desktop.mainWindow.data())) {
        frame->selectInstrument(general.instrument);
        frame->showNotation();
    }
}

bool frmOptions::applySong()
{
    const qint16 position = qint16(options::chosen(oChordPosition, m_song.ChordPosition));
    const qint16 size = qint16(options::chosen(oChordSize, m_song.ChordSize));
    bool changed = position != m_song.ChordPosition || size != m_song.ChordSize;
    m_song.ChordPosition = position;
    m_song.ChordSize = size;
    for (qsizetype index = 0; index < m_printFlags.size(); ++index) {
        bool& flag = m_song.*PrintFlags[index].flag;
        changed = changed || flag != m_printFlags[index]->isChecked();
        flag = m_printFlags[index]->isChecked();
    }
    return changed;
}

void frmOptions::okClicked()
{
    apply();
    accept();
}

void frmOptions::nextTab()
{
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % tbsOptions->count());
}

} // namespace lvx
