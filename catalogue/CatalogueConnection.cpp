#include "catalogue/CatalogueConnection.h"

#include "catalogue/ConnectionString.h"
#include "catalogue/SqlFault.h"
#include "platform/AppError.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

CatalogueConnection::CatalogueConnection(QObject *parent)
    : QObject(parent)
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
    // SQLite opens the file with a blocking open(): a FIFO in its place would hang.
    if (!RegularFile::isRegular(m_filePath))
        throw AppError(QStringLiteral("unable to open database file"));
    if (!openReadOnly(m_db, m_filePath))
        throw AppError(SqlFault::message(m_db.lastError()));
}

bool CatalogueConnection::openReadOnly(QSqlDatabase &db, const QString &filePath)
{
    // Any sharing mode is a reader's mode here: SQLite's readers never lock others out.
    // "immutable" keeps SQLite from writing anything beside the file, not even the -wal
    // and -shm files a WAL-mode database would otherwise get, and from needing a
    // writable folder.
    QUrl uri = QUrl::fromLocalFile(filePath);
    uri.setQuery(QStringLiteral("immutable=1"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    return db.open();
}

void CatalogueConnection::Close()
{
    if (m_db.isOpen())
        m_db.close();
}
