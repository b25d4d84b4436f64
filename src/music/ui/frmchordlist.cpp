#include "music/ui/frmchordlist.h"

#include "music/chordsymbol.h"
#include "music/ui/commandbutton.h"
#include "music/ui/frmchorddef.h"
#include "music/guitarchord.h"
#include "music/instrumentscope.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "midi/chordplayer.h"
#include "midi/playbacknotes.h"
#include "print/chorddiagram.h"
#include "print/nullsurface.h"
#include "song/song.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lvx::music {

namespace {

// A dictionary entry whose name is no chord cannot be looked up to play.
constexpr QStringView UnplayableChordMessage = u"Invalid Chord";

} // namespace

frmChordList::frmChordList(DesktopContext& desktop, song::Song& owner, const QString& caption, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_owner(owner)
{
    setObjectName(QStringLiteral("frmChordList"));
    setWindowTitle(caption);
    setModal(true);
    createControls();
    connectControls();
    updateButtons();
}

frmChordList::~frmChordList() = default;

void frmChordList::createControls()
{
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Lista"));
    m_list->setMinimumSize(200, 280);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_new = commandButton(QStringLiteral("Insert"), QStringLiteral("bNew"), QStringLiteral("Alt+I"), this);
    m_edit = commandButton(QStringLiteral("Edit"), QStringLiteral("bEdit"), QStringLiteral("Alt+E"), this);
    m_delete = commandButton(QStringLiteral("Delete"), QStringLiteral("bDelete"), QStringLiteral("Alt+D"), this);
    m_play = commandButton(QStringLiteral("Play"), QStringLiteral("bPlay"), QStringLiteral("Alt+P"), this);
    m_close = commandButton(QStringLiteral("Close"), QStringLiteral("bClose"), QString(), this);
    // Enter edits the chosen chord; Escape closes.
    m_edit->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_new);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addSpacing(12);
    buttons->addWidget(m_play);
    buttons->addStretch();
    buttons->addWidget(m_close);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void frmChordList::connectControls()
{
    connect(m_list, &QListWidget::itemSelectionChanged, this, &frmChordList::updateButtons);
    connect(m_list, &QListWidget::itemActivated, this, &frmChordList::editChord);
    connect(m_new, &QPushButton::clicked, this, &frmChordList::insertChord);
    connect(m_edit, &QPushButton::clicked, this, &frmChordList::editChord);
    connect(m_delete, &QPushButton::clicked, this, &frmChordList::deleteChord);
    connect(m_play, &QPushButton::clicked, this, &frmChordList::playChord);
    connect(m_close, &QPushButton::clicked, this, &frmChordList::accept);
    m_list->installEventFilter(this);
}

bool frmChordList::eventFilter(QObject* watched, QEvent* event)
{
    // The Delete key in the list removes the chosen chord, as the button does.
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteChord();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmChordList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        activate();
}

void frmChordList::LoadChords()
{
    const int remembered = selectedIndex();
    m_list->clear();
    for (const GuitarChordDef& def : std::as_const(m_owner.chordDefs))
        m_list->addItem(fingeringCaption(def.name, m_desktop.app.notation));
    select(qMin(remembered, m_list->count() - 1));
}

void frmChordList::activate()
{
    const int selected = selectedIndex();
    const bool accepted = m_desktop.music.dialogResult == ResultOk;
    switch (m_pending) {
    case Pending::Load:
        LoadChords();
        select(m_list->count() > 0 ? 0 : -1);
        break;
    case Pending::New:
        if (accepted) {
            m_owner.ChordDefInsert(selected + 1);
            m_owner.Modificada = true;
            LoadChords();
            select(selected + 1);
        }
        break;
    case Pending::Edit:
        if (accepted) {
            m_owner.ChordDefGetFromActive(selected + 1);
            m_owner.Modificada = true;
            LoadChords();
        }
        break;
    case Pending::None:
        break;
    }
    m_pending = Pending::None;
    m_list->setFocus();
}

int frmChordList::selectedIndex() const
{
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.constFirst());
}

void frmChordList::select(int index)
{
    if (index >= 0 && index < m_list->count())
        m_list->setCurrentRow(index);
    else
        m_list->clearSelection();
    updateButtons();
}

void frmChordList::updateButtons()
{
    const bool chosen = selectedIndex() >= 0;
    m_edit->setEnabled(chosen);
    m_delete->setEnabled(chosen);
    m_play->setEnabled(chosen);
}

void frmChordList::editFingering(Pending pending)
{
    m_pending = pending;
    frmChordDef editor(m_desktop, &m_owner, this);
    editor.exec();
    activate();
}

void frmChordList::insertChord()
{
    GuitarChordDef fresh;
    fresh.name = QStringLiteral("C");
    m_desktop.music.activeChordDef = fresh;
    editFingering(Pending::New);
}

void frmChordList::editChord()
{
    const int selected = selectedIndex();
    if (selected < 0)
        return;
    m_owner.ChordDefSetToActive(selected + 1);
    editFingering(Pending::Edit);
}

void frmChordList::deleteChord()
{
    const int selected = selectedIndex();
    if (selected < 0)
        return;
    m_owner.ChordDefRemove(selected + 1);
    m_owner.Modificada = true;
    LoadChords();
}

void frmChordList::playChord()
{
    const int selected = selectedIndex();
    if (selected < 0)
        return;
    const InstrumentScope guitar(m_desktop.app, QStringLiteral("Guitar"));
    m_owner.ChordDefSetToActive(selected + 1);
    const ChordSymbol chord = ParseChord(m_desktop.music.activeChordDef.name);
    if (chord.tone < 0 || chord.bass < 0) {
        m_desktop.messages.inform(UnplayableChordMessage.toString());
        return;
    }
    // The owner's own fingerings come first, as a song's do when it plays a chord.
    const print::DiagramSources sources{m_desktop.app, m_desktop.music.chordTypes, m_owner.chordDefs,
                                        m_desktop.dictionary.chordDefs};
    print::PrintState state;
    state.diagram = print::SetDiagramSize(print::MediumDiagramSize, false);
    print::NullSurface hidden;
    midi::PlaybackNotes notes;
    print::DrawChordDiagram(hidden, chord, sources, state, notes);
    midi::PlayChordNotes(m_desktop.midi, notes);
}

} // namespace lvx::music
