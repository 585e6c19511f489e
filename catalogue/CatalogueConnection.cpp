#include "catalogue/CatalogueConnection.h"

#include "catalogue/ConnectionString.h"
#include "catalogue/SqlFault.h"
#include "platform/AppError.h"

#include <QDir>
#include <QSqlError>

CatalogueConnection::CatalogueConnection(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ADOConnection1"));
    // Several connections may live at once (tests); each needs its own Qt SQL name.
    m_name = QStringLiteral("ADOConnection1-%1").arg(quintptr(this), 0, 16);
    SetConnectionString(ConnectionString::Catalogue);
    // The driver is loaded now, with the window, so that the first query only connects.
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

CatalogueConnection::~CatalogueConnection()
{
    Close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

void CatalogueConnection::SetConnectionString(const QString &text)
{
    const QList<ConnectionString::Field> fields = ConnectionString::parse(text);
    m_connectionString = text;
    m_dataSource = ConnectionString::value(fields, u"Data Source");
    m_mode = ConnectionString::value(fields, u"Mode");
}

void CatalogueConnection::Open()
{
    if (Connected())
        return;
    m_filePath = QDir::current().absoluteFilePath(m_dataSource);
    m_db.setDatabaseName(m_filePath);
    // Any sharing mode is a reader's mode here: SQLite's readers never lock others out,
    // and read-only opening guarantees that neither the file nor a journal is written.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_db.open())
        throw AppError(SqlFault::message(m_db.lastError()));
}

void CatalogueConnection::Close()
{
    if (m_db.isOpen())
        m_db.close();
}
