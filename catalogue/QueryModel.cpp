#include "catalogue/QueryModel.h"

#include "catalogue/CatalogueQuery.h"

QueryModel::QueryModel(CatalogueQuery *query, QObject *parent)
    : QAbstractTableModel(parent)
    , m_query(query)
{
    const auto reset = [this] {
        beginResetModel();
        m_rows = m_query ? m_query->rowCount() : 0;
        endResetModel();
    };
    // The query has already changed when it signals; a reset is all a view can take then.
    connect(query, &CatalogueQuery::opened, this, reset);
    connect(query, &CatalogueQuery::closed, this, reset);
    // Rows are only ever appended; the model's own count keeps them hidden until announced.
    connect(query, &CatalogueQuery::rowsFetched, this, [this](int first, int last) {
        beginInsertRows({}, first, last);
        m_rows = last + 1;
        endInsertRows();
    });
    m_rows = query->rowCount();
}

int QueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query ? 0 : m_rows;
}

bool QueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_query && m_query->canFetchMore();
}

void QueryModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && m_query)
        m_query->fetchMore();
}

int QueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_query ? 0 : m_query->fieldCount();
}

QVariant QueryModel::data(const QModelIndex &index, int role) const
{
    if (!m_query || !index.isValid() || index.row() >= m_rows || index.column() >= m_query->fieldCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return m_query->cell(index.row(), index.column());
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && !m_headers.value(section).isEmpty())
        return m_headers.at(section);
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && m_query && section < m_query->fieldCount())
        return m_query->fieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool QueryModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    while (m_headers.size() <= section)
        m_headers.append(QString());
    m_headers[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags QueryModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
