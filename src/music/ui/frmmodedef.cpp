#include "music/ui/frmmodedef.h"

#include "music/ui/choicelabel.h"
#include "music/modos.h"

#include "app/desktopcontext.h"
#include "base/messages.h"
#include "app/screenfit.h"
#include "base/text.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lvx::music {

namespace {

constexpr int OctaveColumns = 12;

// Off and on as the editor always showed them: light grey and cyan.
const QString ToggleStyle = QStringLiteral(
    "QLabel { border: 1px solid #9a9a9a; border-radius: 3px; padding: 4px 2px; background: #e0e0e0; color: black; }"
    "QLabel:hover { border-color: palette(highlight); }"
    "QLabel:focus { border: 2px solid palette(highlight); padding: 3px 1px; }"
    "QLabel[selected=\"true\"] { background: #00ffff; font-weight: bold; }");

} // namespace

frmModeDef::frmModeDef(DesktopContext& desktop, ModeEdit edit, QWidget* parent)
    : QDialog(parent), m_desktop(desktop), m_edit(edit)
{
    setObjectName(QStringLiteral("frmModeDef"));
    setWindowTitle(QStringLiteral("Chord Type Definition"));
    setModal(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(createNamePanel(), 1);
    top->addWidget(createAliasPanel());

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(createIntervalPanel());
    layout->addLayout(createButtonRow());

    setTabOrder(m_main, m_desc);
    setTabOrder(m_desc, m_aliases);
    setTabOrder(m_aliases, m_newAlias);
    setTabOrder(m_newAlias, m_deleteAlias);
    QWidget* previous = m_deleteAlias;
    for (ChoiceLabel* label : m_inv) {
        setTabOrder(previous, label);
        previous = label;
    }
    setTabOrder(previous, m_close);
    setTabOrder(m_close, m_cancel);
}

frmModeDef::~frmModeDef() = default;

QWidget* frmModeDef::createNamePanel()
{
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    m_main = new QLineEdit(panel);
    m_main->setObjectName(QStringLiteral("Main"));
    m_main->setMaxLength(30);
    m_desc = new QLineEdit(panel);
    m_desc->setObjectName(QStringLiteral("Desc"));
    m_desc->setMinimumWidth(220);
    form->addRow(QStringLiteral("&Main:"), m_main);
    form->addRow(QStringLiteral("&Description:"), m_desc);
    return panel;
}

QWidget* frmModeDef::createAliasPanel()
{
    auto* frame = new QGroupBox(QStringLiteral("Aliases: "), this);
    auto* others = new QLabel(QStringLiteral("Others:"), frame);
    m_aliases = new QListWidget(frame);
    m_aliases->setObjectName(QStringLiteral("Lista"));
    m_aliases->setMaximumHeight(90);
    m_aliases->setMinimumWidth(110);
    others->setBuddy(m_aliases);
    m_newAlias = new QPushButton(QStringLiteral("New"), frame);
    m_newAlias->setObjectName(QStringLiteral("bNew"));
    m_newAlias->setAutoDefault(false);
    m_deleteAlias = new QPushButton(QStringLiteral("Delete"), frame);
    m_deleteAlias->setObjectName(QStringLiteral("bDelete"));
    m_deleteAlias->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_newAlias);
    buttons->addWidget(m_deleteAlias);
    buttons->addStretch();
    auto* grid = new QGridLayout(frame);
    grid->addWidget(others, 0, 0, 1, 2);
    grid->addWidget(m_aliases, 1, 0);
    grid->addLayout(buttons, 1, 1);

    connect(m_newAlias, &QPushButton::clicked, this, &frmModeDef::newAlias);
    connect(m_deleteAlias, &QPushButton::clicked, this, &frmModeDef::deleteAlias);
    return frame;
}

QWidget* frmModeDef::createIntervalPanel()
{
    auto* frame = new QGroupBox(QStringLiteral("Intervals"), this);
    auto* grid = new QGridLayout(frame);
    grid->setSpacing(4);
    int cell = 0;
    for (const QString& caption : intervalCaptions())
        cell = std::max(cell, fontMetrics().horizontalAdvance(caption) + 12);
    // An octave to a row where the screen is wide enough; on a narrow one (a
    // large scale factor) half an octave, so the dialog stays on the screen.
    const int columns = availableArea(this).width() >= OctaveColumns * (cell + 4) + 120 ? OctaveColumns : OctaveColumns / 2;
    for (int semitone = 0; semitone < IntervalToggleCount; ++semitone) {
        auto* label = new ChoiceLabel(intervalCaptions().at(semitone), frame);
        label->setObjectName(u"Inv" + QString::number(semitone));
        label->setStyleSheet(ToggleStyle);
        label->setMinimumWidth(cell);
        m_inv.at(size_t(semitone)) = label;
        grid->addWidget(label, semitone / columns, semitone % columns);
        connect(label, &ChoiceLabel::clicked, this, [this, semitone] { toggle(semitone); });
    }
    return frame;
}

QLayout* frmModeDef::createButtonRow()
{
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("bClose"));
    m_close->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("bCancel"));
    m_cancel->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &frmModeDef::closeAccepting);
    connect(m_cancel, &QPushButton::clicked, this, &frmModeDef::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_close);
    row->addWidget(m_cancel);
    return row;
}

void frmModeDef::showEvent(QShowEvent* event)
{
    // Once: a message box closing over the dialog must not undo the user's edits.
    if (!m_loaded)
        load();
    QDialog::showEvent(event);
}

void frmModeDef::load()
{
    m_loaded = true;
    m_desktop.music.dialogResult = ResultOpen;
    const Modos& active = m_desktop.music.activeChordType;
    m_main->setText(active.Nombre);
    m_desc->setText(active.Descripcion);
    m_lit = togglesOf(active);
    for (int semitone = 0; semitone < IntervalToggleCount; ++semitone)
        paintToggle(semitone);
    m_aliases->clear();
    for (int index = 1; index <= active.SinonimosDim; ++index)
        m_aliases->addItem(active.SinonimosGet(index));
    m_main->setFocus();
}

bool frmModeDef::apply()
{
    m_main->setText(trimBlanks(m_main->text()));
    Modos& active = m_desktop.music.activeChordType;
    const QString refusal =
        checkModeDefinition(m_main->text(), m_desc->text(), m_edit, active.Nombre, m_desktop.music.chordTypes);
    if (!refusal.isEmpty()) {
        m_desktop.messages.inform(refusal);
        return false;
    }
    QStringList aliases;
    for (int row = 0; row < m_aliases->count(); ++row)
        aliases.append(m_aliases->item(row)->text());
    storeModeDefinition(active, m_main->text(), m_desc->text(), m_lit, aliases);
    return true;
}

void frmModeDef::toggle(int semitone)
{
    m_lit.at(size_t(semitone)) = !m_lit.at(size_t(semitone));
    paintToggle(semitone);
}

void frmModeDef::paintToggle(int semitone)
{
    m_inv.at(size_t(semitone))->setSelected(m_lit.at(size_t(semitone)));
}

void frmModeDef::newAlias()
{
    const std::optional<QString> typed = m_desktop.messages.input(QStringLiteral("Input new name"), QStringLiteral("New"));
    if (!typed)
        return;
    const std::optional<QString> alias = aliasFromInput(*typed);
    if (!alias) {
        m_desktop.messages.inform(QStringLiteral("Invalid name"));
        return;
    }
    m_aliases->addItem(*alias);
}

void frmModeDef::deleteAlias()
{
    if (m_aliases->count() == 0)
        return;
    const QList<QListWidgetItem*> selected = m_aliases->selectedItems();
    delete m_aliases->takeItem(selected.isEmpty() ? 0 : m_aliases->row(selected.first()));
}

void frmModeDef::closeAccepting()
{
    if (!apply())
        return;
    m_desktop.music.dialogResult = ResultOk;
    accept();
}

} // namespace lvx::music
