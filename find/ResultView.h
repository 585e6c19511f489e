#pragma once

#include <QTableView>

// The find window's result list. The cursor moves while the search field keeps the focus;
// only when the list itself has the focus does it tell readers which cell is current, so
// typing in the field is not interrupted by the rows it brings up.
class ResultView : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};
