#pragma once

#include "song/songproperties.h"

#include <QDialog>
#include <QList>

class QTableWidget;

namespace lvx::song {

// "Song Properties": the song's title, subtitle and facts as a table of
// names and values. The song itself is not touched: the window reads rows()
// after OK and applies them as one step.
class frmSongProperties final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSongProperties)

public:
    frmSongProperties(const QList<PropertyRow>& rows, QWidget* parent = nullptr);
    ~frmSongProperties() override;

    // The rows as edited, the empty row for a new name included.
    QList<PropertyRow> rows() const;

private:
    void addEmptyRow();
    void cellEdited(int row, int column);

    QList<PropertyRow> m_rows;
    QTableWidget* m_table = nullptr;
};

} // namespace lvx::song
