#pragma once

#include <QObject>

class CatalogueQuery;
class QueryModel;

// Links a query to the grid that shows it: the grid takes model(), and a click on a row
// makes that row the query's current row through selectRow().
class DataSource : public QObject
{
    Q_OBJECT
public:
    DataSource(CatalogueQuery *query, const QString &name, QObject *parent = nullptr);

    CatalogueQuery *DataSet() const { return m_query; }
    QueryModel *model() const { return m_model; }
    void selectRow(int row);

private:
    CatalogueQuery *m_query;
    QueryModel *m_model;
};
