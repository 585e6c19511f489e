#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

class CatalogueQuery;

// The rows of a query for a grid: one column per field (ID and the entry for the lists),
// read-only. Follows the query as it opens and closes, and fetches its rows as a view
// scrolls to them.
class QueryModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit QueryModel(CatalogueQuery *query, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The field names, unless a view has said what a column holds.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(
        int section, Qt::Orientation orientation, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    QPointer<CatalogueQuery> m_query;
    int m_rows = 0;
    QStringList m_headers;
};
