#include "platform/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock(const QString &name, QString folder)
{
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    QString safe = name;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    m_fileName = folder + QLatin1Char('/') + safe + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(m_fileName);
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::alreadyExists()
{
    if (m_lock->isLocked())
        return false;
    return !m_lock->tryLock(0);
}
