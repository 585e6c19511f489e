#include "catalogue/CollectionFile.h"

#include "platform/AppError.h"
#include "platform/Gbk.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CollectionFile {

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

[[noreturn]] void cannotOpen(const QString &fullPath, int error)
{
    throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath, qt_error_string(error)));
}

void requireRegular(const QString &fullPath, const struct stat &info)
{
    if (!S_ISREG(info.st_mode))
        cannotOpen(fullPath, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
}

// GBK's trail bytes are 0x40 and above, so CR, LF and zero bytes are always whole
// characters and can be mended byte by byte before decoding.
QByteArray mendBytes(const QByteArray &raw)
{
    QByteArray out;
    out.reserve(raw.size() + raw.size() / 16 + 2);
    const qsizetype n = raw.size();
    const char *p = raw.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '\0')
            continue;
        if (c == '\r') {
            qsizetype j = i + 1;
            while (j < n && p[j] == '\0')
                ++j;
            out.append("\r\n", 2);
            if (j < n && p[j] == '\n')
                i = j;
        } else if (c == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

QString path(int number)
{
    return QStringLiteral("data/%1.zelto").arg(number);
}

QString load(const QString &path)
{
    const QString fullPath = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    const QByteArray name = QFile::encodeName(fullPath);
    // Only a regular file is read: a FIFO or device could block the start for ever. The
    // check before opening keeps devices from being opened at all; O_NONBLOCK and the
    // check after it cover a file swapped in between.
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0)
        cannotOpen(fullPath, errno);
    requireRegular(fullPath, info);
    // Linux has no deny-write sharing; an ordinary read-only descriptor never hinders the
    // others and the whole file is read at once.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        cannotOpen(fullPath, errno);
    if (::fstat(fd.get(), &info) != 0)
        cannotOpen(fullPath, errno);
    requireRegular(fullPath, info);

    if (info.st_size > MemoCapacity)
        throw AppError(QStringLiteral("Text exceeds memo capacity"));
    QByteArray raw;
    if (info.st_size > 0)
        raw.reserve(qsizetype(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            cannotOpen(fullPath, errno);
        }
        if (got == 0)
            break;
        if (raw.size() + got > MemoCapacity)
            throw AppError(QStringLiteral("Text exceeds memo capacity"));
        raw.append(buffer, got);
    }
    if (raw.isEmpty())
        return QString();
    return Gbk::decode(mendBytes(raw));
}

} // namespace CollectionFile
