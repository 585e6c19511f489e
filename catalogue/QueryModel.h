#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class CatalogueQuery;

// The rows of a query for a grid: one column per field (ID and the entry for the lists),
// read-only. Follows the query as it opens and closes.
class QueryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit QueryModel(CatalogueQuery *query, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QPointer<CatalogueQuery> m_query;
};
