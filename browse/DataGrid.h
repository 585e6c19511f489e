#pragma once

#include "catalogue/DataSource.h"

#include <QPointer>
#include <QTableView>

// A read-only grid over a catalogue query: every row, fetched as it scrolls into view, ID
// then the entry, no title row, no row indicator, no lines, whole rows selected. The row
// under the cursor follows the query's current row; cellClick() comes with the release of
// the left button over a row. The keyboard chooses rows too: a row reached by a key (or
// the first row when the grid is entered by keyboard) gives rowChosen(), Enter and Ctrl+C
// give copyRequested(). The key column never holds the cursor, so a reader hears entries.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int KeyColumn = 0;
    static constexpr int EntryColumn = 1;

    explicit DataGrid(QWidget *parent = nullptr);

    // entryHeader: what the entry column holds, for readers (the title row is hidden).
    void setDataSource(DataSource *source, const QString &entryHeader);
    DataSource *dataSource() const { return m_source; }

signals:
    void cellClick();
    void rowChosen();
    void copyRequested();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void fitColumns(bool growOnly);

    QPointer<DataSource> m_source;
};
