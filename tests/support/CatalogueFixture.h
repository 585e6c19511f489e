#pragma once

// Writes small catalogue databases for tests, in the layout the data build produces.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <algorithm>

inline bool writeCatalogue(const QString &path, const QStringList &gxqm = {QStringLiteral("签名一")},
                           const QStringList &gxqlwm = {QStringLiteral("情侣一")},
                           const QStringList &gxnswm = {QStringLiteral("男生一")},
                           const QStringList &gxnvswm = {QStringLiteral("女生一")},
                           const QVariant &version = QStringLiteral("2026.12"))
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
                                     "gxnswm TEXT, gxnvswm TEXT, dataversion TEXT)"));
        const qsizetype rows = std::max({gxqm.size(), gxqlwm.size(), gxnswm.size(), gxnvswm.size(), qsizetype(1)});
        for (qsizetype i = 0; ok && i < rows; ++i) {
            q.prepare(QStringLiteral("INSERT INTO zeltogxqm VALUES (?, ?, ?, ?, ?, ?)"));
            q.addBindValue(int(i + 1));
            for (const QStringList *list : {&gxqm, &gxqlwm, &gxnswm, &gxnvswm})
                q.addBindValue(i < list->size() ? QVariant(list->at(i)) : QVariant());
            q.addBindValue(i == 0 ? version : QVariant());
            ok = q.exec();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
