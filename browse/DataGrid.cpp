#include "browse/DataGrid.h"

#include "catalogue/DataSource.h"
#include "catalogue/QueryModel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace {
constexpr int CellPadding = 12;
constexpr int RowPadding = 6;
} // namespace

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Right clicks pass on to the page, as on every other part of it without a menu.
    verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    horizontalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setTabKeyNavigation(false);
    // Fixed rows keep a list of many thousand entries quick to lay out.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + RowPadding);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setMinimumSectionSize(8);
}

void DataGrid::setDataSource(DataSource *source)
{
    m_source = source;
    setModel(source->model());
    connect(source->model(), &QAbstractItemModel::modelReset, this, [this] { fitColumns(false); });
    // Rows come in as the grid scrolls to them; longer keys widen the key column.
    connect(source->model(), &QAbstractItemModel::rowsInserted, this, [this] { fitColumns(true); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (m_source && current.isValid())
            m_source->selectRow(current.row());
    });
    fitColumns(false);
}

// The key column takes the width of its longest key so far; the entry gets the rest.
void DataGrid::fitColumns(bool growOnly)
{
    if (!model() || model()->columnCount() < 2)
        return;
    const int rows = model()->rowCount();
    const QString lastKey = rows > 0 ? model()->index(rows - 1, 0).data().toString() : QString();
    const int digits = int(qMax(lastKey.size(), QString::number(qMax(1, rows)).size()));
    const int width = fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + CellPadding;
    if (!growOnly || width > columnWidth(0))
        setColumnWidth(0, width);
}

void DataGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit cellClick();
}
