#include "platform/FileLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0644);
    // Another user's lock file in a shared folder can still be locked through reading.
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | flags);
    if (fd < 0)
        return;
    int result;
    do
        result = ::flock(fd, LOCK_EX);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
