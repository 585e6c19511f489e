#include "platform/InstanceLock.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

// QLockFile keeps an flock() on its file for as long as it holds the lock, and the system
// drops it when the holder ends however it ends. So the flock, not the file's text, tells
// whether a copy is running.
bool InstanceLock::heldByRunningCopy() const
{
    const int fd = ::open(QFile::encodeName(m_fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool InstanceLock::held() const
{
    return m_lock->isLocked();
}

QString InstanceLock::channelName() const
{
    return m_fileName.chopped(int(qstrlen(".lock"))) + QStringLiteral(".socket");
}

bool InstanceLock::alreadyExists()
{
    if (m_lock->isLocked())
        return false;
    // QLockFile reads a lock it finds, which would block on a FIFO.
    const QFileInfo existing(m_fileName);
    const bool usable = !existing.exists() || RegularFile::isRegular(m_fileName);
    if (usable && m_lock->tryLock(0))
        return false;
    if (usable && m_lock->error() == QLockFile::LockFailedError) {
        if (heldByRunningCopy())
            return true;
        // Left by a copy that crashed before writing its details, or garbled: take it over.
        m_lock->removeStaleLockFile();
        if (m_lock->tryLock(0))
            return false;
        if (m_lock->error() == QLockFile::LockFailedError && heldByRunningCopy())
            return true;
    }
    const QString reason
        = m_lock->error() == QLockFile::PermissionError ? QStringLiteral("没有权限") : QStringLiteral("无法创建或接管");
    std::fprintf(stderr, "%s\n",
        QStringLiteral("无法建立运行锁 %1（%2），本次启动不检查是否已有程序在运行。")
            .arg(QDir::toNativeSeparators(m_fileName), reason)
            .toLocal8Bit()
            .constData());
    return false;
}
