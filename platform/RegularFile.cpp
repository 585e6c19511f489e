#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

int notRegularError(const struct stat &info)
{
    if (S_ISREG(info.st_mode))
        return 0;
    return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

// Looks before opening, so no device is opened; then opens without blocking (a FIFO
// would otherwise wait for a writer) and asks the open file. Returns an errno value.
int openRegular(const QByteArray &name, int &fd, struct stat &info)
{
    fd = -1;
    if (::stat(name.constData(), &info) != 0)
        return errno;
    if (const int e = notRegularError(info))
        return e;
    fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno;
    if (::fstat(fd, &info) != 0)
        return errno;
    return notRegularError(info);
}

} // namespace

bool isRegular(const QString &path)
{
    int raw = -1;
    struct stat info
    {
    };
    const int error = openRegular(QFile::encodeName(path), raw, info);
    const Descriptor fd(raw);
    return error == 0;
}

Version version(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return Version { true, quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
        qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec) };
}

ReadResult read(const QString &path, qint64 maxBytes)
{
    ReadResult result;
    int raw = -1;
    struct stat info
    {
    };
    result.error = openRegular(QFile::encodeName(path), raw, info);
    const Descriptor fd(raw);
    if (result.error)
        return result;
    if (info.st_size > maxBytes) {
        result.tooLarge = true;
        return result;
    }
    if (info.st_size > 0)
        result.bytes.reserve(qsizetype(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = errno;
            return result;
        }
        if (got == 0)
            break;
        if (result.bytes.size() + got > maxBytes) {
            result.tooLarge = true;
            return result;
        }
        result.bytes.append(buffer, got);
    }
    return result;
}

} // namespace RegularFile
