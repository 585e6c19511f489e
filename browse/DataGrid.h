#pragma once

#include "catalogue/DataSource.h"

#include <QPointer>
#include <QTableView>

// A read-only grid over a catalogue query: every row, fetched as it scrolls into view, ID
// then the entry, no title row, no row indicator, no lines, whole rows selected. The row
// under the cursor follows the query's current row; cellClick() comes with the release of
// the left button over a row.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }

signals:
    void cellClick();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitColumns(bool growOnly);

    QPointer<DataSource> m_source;
};
