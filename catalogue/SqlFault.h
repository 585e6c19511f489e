#pragma once

#include <QSqlError>
#include <QString>

namespace SqlFault {

// The engine's own words ("file is not a database", "no such table: zeltogxqm"); Qt's
// driver text only when the engine said nothing.
inline QString message(const QSqlError &error)
{
    const QString engine = error.databaseText().trimmed();
    return engine.isEmpty() ? error.driverText() : engine;
}

} // namespace SqlFault
