#include "browse/DataGrid.h"

#include "catalogue/DataSource.h"
#include "catalogue/QueryModel.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
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

void DataGrid::setDataSource(DataSource *source, const QString &entryHeader)
{
    m_source = source;
    setModel(source->model());
    model()->setHeaderData(KeyColumn, Qt::Horizontal, QStringLiteral("编号"));
    model()->setHeaderData(EntryColumn, Qt::Horizontal, entryHeader);
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

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if (enter || event->matches(QKeySequence::Copy)) {
        // The view's own copy would take the key of a row whose cursor sat on it.
        if (currentIndex().isValid())
            emit copyRequested();
        event->accept();
        return;
    }
    const int before = currentIndex().row();
    QTableView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex().row() != before)
        emit rowChosen();
}

void DataGrid::focusInEvent(QFocusEvent *event)
{
    const bool hadRow = currentIndex().isValid();
    QTableView::focusInEvent(event);
    // Entered by keyboard with no row yet: the first one, as if reached by a key. A mouse
    // press chooses its own row.
    if (hadRow || event->reason() == Qt::MouseFocusReason || !model() || model()->rowCount() == 0)
        return;
    const QModelIndex first = currentIndex().isValid() ? currentIndex() : model()->index(0, EntryColumn);
    setCurrentIndex(first);
    selectionModel()->select(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit rowChosen();
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and last row, as in a list.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    if (action == MoveEnd) {
        while (model() && model()->canFetchMore({}))
            model()->fetchMore({});
    }
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    return next.isValid() ? next.siblingAtColumn(EntryColumn) : next;
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (current.isValid() && current.column() != EntryColumn) {
        // A click on the key: the cursor goes to the entry of that row.
        selectionModel()->setCurrentIndex(current.siblingAtColumn(EntryColumn), QItemSelectionModel::NoUpdate);
        return;
    }
    QTableView::currentChanged(current, previous);
}
