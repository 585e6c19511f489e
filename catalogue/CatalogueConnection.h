#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

// The catalogue's database connection. It is built closed; the first query that opens
// connects it, and it stays connected until it is destroyed. The file is always opened
// read-only: nothing is ever written to the catalogue.
class CatalogueConnection : public QObject
{
    Q_OBJECT
public:
    explicit CatalogueConnection(QObject *parent = nullptr);
    ~CatalogueConnection() override;

    QString ConnectionString() const { return m_connectionString; }
    void SetConnectionString(const QString &text);
    bool LoginPrompt() const { return false; }

    bool Connected() const { return m_db.isOpen(); }
    // Throws AppError with the engine's message when the file cannot be opened.
    void Open();
    void Close();

    // The database file, resolved against the working directory when connecting.
    QString dataSource() const { return m_dataSource; }
    QString mode() const { return m_mode; }
    QString filePath() const { return m_filePath; }

    QSqlDatabase database() const { return m_db; }

    // Opens db on the catalogue file the way every reader of it must.
    static bool openReadOnly(QSqlDatabase &db, const QString &filePath);

private:
    QString m_connectionString;
    QString m_dataSource;
    QString m_mode;
    QString m_filePath;
    QString m_name;
    QSqlDatabase m_db;
};
