#include "song/ui/frmsongproperties.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lvx::song {

namespace {

enum Column { NameColumn, ValueColumn };

QTableWidgetItem* nameItem(const QString& name, bool editable)
{
    auto* item = new QTableWidgetItem(name);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

frmSongProperties::frmSongProperties(const QList<PropertyRow>& rows, QWidget* parent)
    : QDialog(parent), m_rows(rows)
{
    setObjectName(QStringLiteral("frmSongProperties"));
    setWindowTitle(QStringLiteral("Song Properties"));
    setModal(true);

    m_table = new QTableWidget(int(rows.size()), 2, this);
    m_table->setObjectName(QStringLiteral("gProperties"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    for (int row = 0; row < rows.size(); ++row) {
        m_table->setItem(row, NameColumn, nameItem(rows[row].name, false));
        m_table->setItem(row, ValueColumn, new QTableWidgetItem(rows[row].value));
    }
    addEmptyRow();
    m_table->resizeColumnToContents(NameColumn);
    m_table->setCurrentCell(0, ValueColumn);
    connect(m_table, &QTableWidget::cellChanged, this, &frmSongProperties::cellEdited);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(480, 520);
}

frmSongProperties::~frmSongProperties() = default;

// The last row takes a name of the musician's own; once named, another
// empty row follows it.
void frmSongProperties::addEmptyRow()
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, NameColumn, nameItem(QString(), true));
    m_table->setItem(row, ValueColumn, new QTableWidgetItem);
}

void frmSongProperties::cellEdited(int row, int column)
{
    if (column == NameColumn && row == m_table->rowCount() - 1 && !m_table->item(row, column)->text().isEmpty()) {
        const QSignalBlocker blocked(m_table);
        addEmptyRow();
    }
}

QList<PropertyRow> frmSongProperties::rows() const
{
    QList<PropertyRow> edited;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        PropertyRow entry = row < m_rows.size() ? m_rows[row] : PropertyRow{};
        entry.name = m_table->item(row, NameColumn)->text();
        entry.value = m_table->item(row, ValueColumn)->text();
        edited.append(entry);
    }
    return edited;
}

} // namespace lvx::song
