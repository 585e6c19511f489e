#pragma once

#include <QList>
#include <QObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class CatalogueConnection;

// A read-only query over the catalogue connection. Opening runs its SQL and fetches the
// first rows; the rest are fetched as views ask for them (fetchMore), so a catalogue of any
// size opens in the same time. The record count is exact all the same: it is counted by
// the engine when first asked for. Values are kept as text; a Null value is a null QString.
class CatalogueQuery : public QObject
{
    Q_OBJECT
public:
    CatalogueQuery(CatalogueConnection *connection, const QString &name, QObject *parent = nullptr);

    // The statement, line by line, kept exactly as given.
    const QStringList &SQL() const { return m_sql; }
    void SQLClear() { m_sql.clear(); }
    void SQLAdd(const QString &line) { m_sql.append(line); }
    QString SQLText() const { return m_sql.join(QLatin1Char('\n')); }

    // Connects when needed. Throws AppError with the engine's message; the query then
    // stays closed.
    void Open();
    void Close();
    bool Active() const { return m_active; }

    // Throw AppError when the query is closed.
    int RecordCount() const;
    QString FieldByName(const QString &field) const;
    QVariant FieldValue(const QString &field) const;

    int fieldCount() const { return int(m_fields.size()); }
    QString fieldName(int column) const { return m_fields.value(column); }
    int fieldIndex(const QString &field) const;

    // 0-based; -1 when there are no rows.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);

    // For views: the rows fetched so far, 0 while closed.
    int rowCount() const { return m_rows; }
    bool canFetchMore() const { return m_active && m_cursor.isActive(); }
    // Fetches the next rows and signals them; a read error ends the rows there.
    void fetchMore();
    static constexpr int FetchRows = 256;

    // A function that reads the given column of every row through a connection of its own,
    // so that it can run on any thread, while the query stays as it is. It returns an empty
    // list when the catalogue cannot be read then.
    std::function<QStringList()> columnReader(int column) const;
    const QString &cell(int row, int column) const { return m_cells[qsizetype(row) * m_fields.size() + column]; }

    // The statement as the SQLite engine is given it.
    static QString engineSql(const QString &sql);

signals:
    void opened();
    void closed();
    void currentRowChanged(int row);
    void rowsFetched(int first, int last);

private:
    // Forgets the cursor, the fields and every row fetched.
    void reset();
    void checkActive() const;
    int checkedField(const QString &field) const;
    QSqlError fetch(int limit);

    CatalogueConnection *m_connection;
    QStringList m_sql;
    bool m_active = false;
    QStringList m_fields;
    QList<QString> m_cells;
    int m_rows = 0;
    int m_current = -1;
    QSqlQuery m_cursor;
    mutable std::optional<int> m_count;
};
