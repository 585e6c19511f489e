#pragma once

// Writes small catalogue databases for tests, in the layout the data build produces.

#include "support/Files.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <functional>

// Writes `folder`/data/N.zelto with `bytes`.
inline bool writeCollection(const QString &folder, int n, const QByteArray &bytes)
{
    QDir(folder).mkpath(QStringLiteral("data"));
    return writeFile(QDir(folder).filePath(QStringLiteral("data/%1.zelto").arg(n)), bytes);
}

// The nineteen collection files, each with `bytes`.
inline bool writeCollections(const QString &folder, const QByteArray &bytes = {})
{
    bool ok = true;
    for (int n = 1; n <= 19; ++n)
        ok = writeCollection(folder, n, bytes) && ok;
    return ok;
}

// Creates the catalogue table at `path` and lets `fill` write its rows.
inline bool withNewCatalogue(const QString &path, const std::function<bool(QSqlQuery &)> &fill)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok
            && q.exec(QStringLiteral("CREATE TABLE zeltogxqm (ID INTEGER PRIMARY KEY, gxqm TEXT, gxqlwm TEXT, "
                                     "gxnswm TEXT, gxnvswm TEXT, dataversion TEXT)"))
            && fill(q);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

inline bool writeCatalogue(const QString &path, const QStringList &gxqm = { QStringLiteral("签名一") },
    const QStringList &gxqlwm = { QStringLiteral("情侣一") }, const QStringList &gxnswm = { QStringLiteral("男生一") },
    const QStringList &gxnvswm = { QStringLiteral("女生一") }, const QVariant &version = QStringLiteral("2026.12"))
{
    return withNewCatalogue(path, [&](QSqlQuery &q) {
        const qsizetype rows = std::max({ gxqm.size(), gxqlwm.size(), gxnswm.size(), gxnvswm.size(), qsizetype(1) });
        bool ok = true;
        for (qsizetype i = 0; ok && i < rows; ++i) {
            q.prepare(QStringLiteral("INSERT INTO zeltogxqm VALUES (?, ?, ?, ?, ?, ?)"));
            q.addBindValue(int(i + 1));
            for (const QStringList *list : { &gxqm, &gxqlwm, &gxnswm, &gxnvswm })
                q.addBindValue(i < list->size() ? QVariant(list->at(i)) : QVariant());
            q.addBindValue(i == 0 ? version : QVariant());
            ok = q.exec();
        }
        return ok;
    });
}

// A catalogue of `rows` entries per list, "签名N", "情侣N", "男生N" and "女生N" in row N,
// written by the engine itself so that a large one takes no time.
inline bool writeLargeCatalogue(const QString &path, int rows)
{
    return withNewCatalogue(path, [rows](QSqlQuery &q) {
        return q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                     "INSERT INTO zeltogxqm SELECT i, '签名' || i, '情侣' || i, '男生' || i, "
                                     "'女生' || i, CASE WHEN i = 1 THEN '2026.12' END FROM n")
                          .arg(rows));
    });
}
