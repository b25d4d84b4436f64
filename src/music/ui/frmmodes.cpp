#include "music/ui/frmmodes.h"

#include "music/ui/frmmode.h"
#include "music/ui/frmmodedef.h"
#include "music/modedefinition.h"
#include "music/modos.h"

#include "app/desktopcontext.h"
#include "editor/ui/frmsong.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <utility>

namespace lvx::music {

namespace {

QPushButton* commandButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmModes::frmModes(DesktopContext& desktop, QWidget* parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmModes"));
    setWindowTitle(QStringLiteral("Chord Types Dictionary"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Lista"));
    m_list->setMinimumSize(300, 320);
    m_list->setAlternatingRowColors(true);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(m_list, 1);
    layout->addLayout(createButtonColumn());

    connect(m_list, &QListWidget::itemDoubleClicked, this, &frmModes::showScale);
    // Enter edits; activation signals would also fire on the double click that shows the scale.
    for (const QKeySequence& enter : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(enter, m_list);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, &frmModes::editType);
    }
    setTabOrder(m_list, m_new);
    setTabOrder(m_new, m_edit);
    setTabOrder(m_edit, m_delete);
    setTabOrder(m_delete, m_scale);
    setTabOrder(m_scale, m_close);
}

frmModes::~frmModes() = default;

QLayout* frmModes::createButtonColumn()
{
    m_new = commandButton(QStringLiteral("Insert"), QStringLiteral("bNew"), this);
    m_edit = commandButton(QStringLiteral("Edit"), QStringLiteral("bEdit"), this);
    m_delete = commandButton(QStringLiteral("Delete"), QStringLiteral("bDelete"), this);
    m_scale = commandButton(QStringLiteral("Scale"), QStringLiteral("bScale"), this);
    m_close = commandButton(QStringLiteral("Close"), QStringLiteral("bClose"), this);
    m_new->setShortcut(QKeySequence(Qt::Key_Insert));
    m_delete->setShortcut(QKeySequence(QKeySequence::Delete));
    m_new->setToolTip(QStringLiteral("Insert a chord type after the selected one (Ins)"));
    m_edit->setToolTip(QStringLiteral("Edit the selected chord type (Enter)"));
    m_delete->setToolTip(QStringLiteral("Delete the selected chord type (Del)"));
    m_scale->setToolTip(QStringLiteral("Show the selected chord type on every tonic (double click)"));

    connect(m_new, &QPushButton::clicked, this, &frmModes::insertType);
    connect(m_edit, &QPushButton::clicked, this, &frmModes::editType);
    connect(m_delete, &QPushButton::clicked, this, &frmModes::deleteType);
    connect(m_scale, &QPushButton::clicked, this, &frmModes::showScale);
    connect(m_close, &QPushButton::clicked, this, &frmModes::accept);

    auto* column = new QVBoxLayout;
    for (QPushButton* button : {m_new, m_edit, m_delete, m_scale})
        column->addWidget(button);
    column->addStretch();
    column->addWidget(m_close);
    return column;
}

// A line only counts once the user picked it: the list makes its first line
// current on getting the focus, without selecting it.
int frmModes::selectedRow() const
{
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.first());
}

void frmModes::LlenaTabla()
{
    const int selected = selectedRow();
    m_list->clear();
    for (const Modos& mode : m_desktop.music.chordTypes)
        m_list->addItem(chordTypeListLine(mode));
    if (selected >= 0 && selected < m_list->count())
        m_list->setCurrentRow(selected);
}

void frmModes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    activate();
}

// Takes over what the editor left, once: the state is cleared whatever happened.
void frmModes::activate()
{
    const bool accepted = m_desktop.music.dialogResult == ResultOk;
    const State state = std::exchange(m_state, State::None);
    if (state == State::Load) {
        LlenaTabla();
    } else if (state == State::Edit && accepted) {
        if (Modos* entry = m_desktop.music.chordTypes.at(selectedRow()))
            entry->GetFromActive(m_desktop.music.activeChordType);
        LlenaTabla();
    } else if (state == State::New && accepted) {
        Modos added;
        added.GetFromActive(m_desktop.music.activeChordType);
        const qsizetype index = insertChordTypeAfter(m_desktop.music.chordTypes, selectedRow(), added);
        LlenaTabla();
        if (index >= 0)
            m_list->setCurrentRow(int(index));
    }
}

void frmModes::runEditor()
{
    const ModeEdit edit = m_state == State::New ? ModeEdit::New : ModeEdit::Edit;
    frmModeDef editor(m_desktop, edit, this);
    editor.exec();
    activate();
}

void frmModes::editType()
{
    const Modos* entry = m_desktop.music.chordTypes.at(selectedRow());
    if (entry == nullptr)
        return;
    m_state = State::Edit;
    entry->SetToActive(m_desktop.music.activeChordType);
    runEditor();
}

void frmModes::insertType()
{
    m_state = State::New;
    m_desktop.music.activeChordType.Create(QString(), QString(), -1, -1, -1, -1, -1, -1, -1, -1);
    runEditor();
}

void frmModes::deleteType()
{
    const int row = selectedRow();
    if (row < 0 || !m_desktop.music.chordTypes.remove(m_desktop.music.chordTypes.keyAt(row)))
        return;
    LlenaTabla();
    // Deleting the last line leaves the one above it selected, ready for the next Del.
    if (selectedRow() < 0 && m_list->count() > 0)
        m_list->setCurrentRow(m_list->count() - 1);
}

void frmModes::showScale()
{
    const Modos* entry = m_desktop.music.chordTypes.at(selectedRow());
    if (entry == nullptr)
        return;
    // The diagrams look up the fingerings of the song in front first.
    QList<GuitarChordDef> songDefs;
    if (auto* song = qobject_cast<editor::frmSong*>(m_desktop.activeChild()))
        songDefs = song->song().chordDefs;
    frmMode scale(m_desktop, scaleChords(*entry), songDefs, this);
    scale.exec();
}

} // namespace lvx::music
