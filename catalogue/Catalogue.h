#pragma once

#include <QObject>
#include <QString>

#include <array>

class CatalogueConnection;
class CatalogueQuery;
class DataSource;

// The catalogue database: one connection, the five queries and their data sources, owned
// by the main window for its whole life.
class Catalogue : public QObject
{
    Q_OBJECT
public:
    static constexpr int QueryCount = 5;
    static inline const QString FileName = QStringLiteral("zeltodata.dll");
    static inline const std::array<QString, QueryCount> Statements = {
        QStringLiteral("Select ID,gxqm from zeltogxqm where gxqm"),
        QStringLiteral("Select ID,gxqlwm from zeltogxqm where gxqlwm"),
        QStringLiteral("Select ID,gxnswm from zeltogxqm where gxnswm"),
        QStringLiteral("Select ID,gxnvswm from zeltogxqm where gxnvswm"),
        QStringLiteral("Select dataversion from zeltogxqm where dataversion"),
    };
    // The list column of queries 1 to 4, the version column of query 5.
    static inline const std::array<QString, QueryCount> Columns = {
        QStringLiteral("gxqm"),
        QStringLiteral("gxqlwm"),
        QStringLiteral("gxnswm"),
        QStringLiteral("gxnvswm"),
        QStringLiteral("dataversion"),
    };

    explicit Catalogue(QObject *parent = nullptr);

    // Closes, clears, sets and opens the five queries in order; the first connects. An
    // engine error ends it there: earlier queries stay open, the rest closed.
    void OpenQueries();

    // The data version of query 5's current row, read anew each time. Throws AppError
    // when there is no such value.
    QString DataVersion() const;

    // "Zelto签名字符2008 V4.0.3 Data version " and the version.
    static QString versionCaption(const QString &version);

    // 1-based, as the components are numbered.
    CatalogueQuery *query(int number) const { return m_queries.at(number - 1); }
    DataSource *dataSource(int number) const { return m_sources.at(number - 1); }

    CatalogueConnection *const ADOConnection1;

private:
    std::array<CatalogueQuery *, QueryCount> m_queries {};
    std::array<DataSource *, QueryCount> m_sources {};
};
