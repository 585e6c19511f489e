#include "catalogue/DataSource.h"

#include "catalogue/CatalogueQuery.h"
#include "catalogue/QueryModel.h"

DataSource::DataSource(CatalogueQuery *query, const QString &name, QObject *parent)
    : QObject(parent)
    , m_query(query)
    , m_model(new QueryModel(query, this))
{
    setObjectName(name);
}

void DataSource::selectRow(int row)
{
    m_query->setCurrentRow(row);
}
