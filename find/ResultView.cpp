#include "find/ResultView.h"

void ResultView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (hasFocus())
        QTableView::currentChanged(current, previous);
    else
        // Skips only the table's focus report; the rest is the item view's.
        QAbstractItemView::currentChanged(current, previous);
}
