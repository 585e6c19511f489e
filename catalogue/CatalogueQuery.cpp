#include "catalogue/CatalogueQuery.h"

#include "catalogue/CatalogueConnection.h"
#include "catalogue/SqlFault.h"
#include "platform/AppError.h"
#include "platform/RegularFile.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

CatalogueQuery::CatalogueQuery(CatalogueConnection *connection, const QString &name, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{
    setObjectName(name);
}

// The catalogue's statements select the rows of a list by naming its column alone:
// "... where gxqm". The engine the statements were written for lets exactly the rows pass
// whose column holds an entry. SQLite instead takes the text's numeric value as its truth,
// so every Chinese entry would fail. That one condition form is therefore handed to SQLite
// spelled out; everything else goes through untouched.
QString CatalogueQuery::engineSql(const QString &sql)
{
    static const QRegularExpression bareColumn(
        QStringLiteral(R"(^(.*\bwhere\s+)("[^"]+"|\[[^\]]+\]|[A-Za-z_][A-Za-z0-9_]*)\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = bareColumn.match(sql);
    if (!m.hasMatch())
        return sql;
    const QString column = m.captured(2);
    static const QStringList keywords = { QStringLiteral("true"), QStringLiteral("false"), QStringLiteral("null"),
        QStringLiteral("not"), QStringLiteral("exists") };
    if (keywords.contains(column, Qt::CaseInsensitive))
        return sql;
    return QStringLiteral("%1(%2 IS NOT NULL AND %2 <> '')").arg(m.captured(1), column);
}

void CatalogueQuery::Open()
{
    if (m_active)
        return;
    m_connection->Open();

    QSqlQuery q(m_connection->database());
    q.setForwardOnly(true);
    if (!q.exec(engineSql(SQLText())))
        throw AppError(SqlFault::message(q.lastError()));

    const QSqlRecord record = q.record();
    QStringList fields;
    for (int i = 0; i < record.count(); ++i)
        fields.append(record.fieldName(i));

    reset();
    m_fields = std::move(fields);
    m_cursor = std::move(q);
    const QSqlError error = fetch(FetchRows);
    if (error.isValid()) {
        reset();
        throw AppError(SqlFault::message(error));
    }
    m_current = m_rows > 0 ? 0 : -1;
    m_active = true;
    emit opened();
}

QSqlError CatalogueQuery::fetch(int limit)
{
    const qsizetype columns = m_fields.size();
    static const QString empty = QStringLiteral("");
    for (int got = 0; got < limit && m_cursor.isActive(); ++got) {
        if (!m_cursor.next()) {
            const QSqlError error = m_cursor.lastError();
            m_cursor.finish();
            return error;
        }
        for (qsizetype c = 0; c < columns; ++c) {
            const QVariant v = m_cursor.value(int(c));
            if (v.isNull()) {
                m_cells.append(QString());
            } else {
                QString s = v.toString();
                m_cells.append(s.isNull() ? empty : std::move(s));
            }
        }
        ++m_rows;
    }
    return {};
}

void CatalogueQuery::fetchMore()
{
    if (!canFetchMore())
        return;
    const int first = m_rows;
    fetch(FetchRows);
    if (m_rows > first)
        emit rowsFetched(first, m_rows - 1);
}

std::function<QStringList()> CatalogueQuery::columnReader(int column) const
{
    return [path = m_connection->filePath(), sql = engineSql(SQLText()), column] {
        QStringList values;
        // Qt SQL names connections process-wide; a stack address is unique while it runs.
        const QString name = QStringLiteral("catalogue-reader-%1").arg(quintptr(&path), 0, 16);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            // Only a regular file: anything else could block the open.
            if (RegularFile::isRegular(path) && CatalogueConnection::openReadOnly(db, path)) {
                QSqlQuery q(db);
                q.setForwardOnly(true);
                if (q.exec(sql)) {
                    while (q.next())
                        values.append(q.value(column).toString());
                }
                if (q.lastError().isValid())
                    values.clear();
            }
        }
        QSqlDatabase::removeDatabase(name);
        return values;
    };
}

void CatalogueQuery::Close()
{
    if (!m_active)
        return;
    m_active = false;
    reset();
    emit closed();
}

void CatalogueQuery::reset()
{
    m_cursor = QSqlQuery();
    m_count.reset();
    m_fields.clear();
    m_cells.clear();
    m_rows = 0;
    m_current = -1;
}

void CatalogueQuery::checkActive() const
{
    if (!m_active)
        throw AppError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
}

int CatalogueQuery::fieldIndex(const QString &field) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int CatalogueQuery::checkedField(const QString &field) const
{
    checkActive();
    const int index = fieldIndex(field);
    if (index < 0)
        throw AppError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), field));
    return index;
}

int CatalogueQuery::RecordCount() const
{
    checkActive();
    if (!m_cursor.isActive())
        return m_rows;
    if (!m_count) {
        // Counted by the same condition as the rows, so it equals the rows a full fetch gives.
        QString sql = engineSql(SQLText()).trimmed();
        while (sql.endsWith(QLatin1Char(';')))
            sql.chop(1);
        QSqlQuery q(m_connection->database());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(sql)) || !q.next())
            throw AppError(SqlFault::message(q.lastError()));
        m_count = q.value(0).toInt();
    }
    return *m_count;
}

QVariant CatalogueQuery::FieldValue(const QString &field) const
{
    const int column = checkedField(field);
    if (m_current < 0)
        return {};
    const QString &value = cell(m_current, column);
    return value.isNull() ? QVariant() : QVariant(value);
}

QString CatalogueQuery::FieldByName(const QString &field) const
{
    const int column = checkedField(field);
    if (m_current < 0)
        return {};
    return cell(m_current, column);
}

void CatalogueQuery::setCurrentRow(int row)
{
    if (!m_active || row < 0 || row >= m_rows || row == m_current)
        return;
    m_current = row;
    emit currentRowChanged(row);
}
