#include "catalogue/QueryModel.h"

#include "catalogue/CatalogueQuery.h"

QueryModel::QueryModel(CatalogueQuery *query, QObject *parent) : QAbstractTableModel(parent), m_query(query)
{
    const auto reset = [this] {
        beginResetModel();
        endResetModel();
    };
    // The query has already changed when it signals; a reset is all a view can take then.
    connect(query, &CatalogueQuery::opened, this, reset);
    connect(query, &CatalogueQuery::closed, this, reset);
}

int QueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query ? 0 : m_query->rowCount();
}

int QueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query ? 0 : m_query->fieldCount();
}

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!m_query || !index.isValid() || index.row() >= m_query->rowCount() || index.column() >= m_query->fieldCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_query->cell(index.row(), index.column());
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && m_query && section < m_query->fieldCount())
        return m_query->fieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags QueryModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
