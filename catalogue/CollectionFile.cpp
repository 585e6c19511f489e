#include "catalogue/CollectionFile.h"

#include "platform/AppError.h"
#include "platform/Gbk.h"
#include "platform/RegularFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace CollectionFile {

namespace {

[[noreturn]] void cannotOpen(const QString &fullPath, int error)
{
    throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(fullPath, qt_error_string(error)));
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
    const RegularFile::ReadResult file = RegularFile::read(fullPath, MemoCapacity);
    if (file.tooLarge)
        throw AppError(QStringLiteral("Text exceeds memo capacity"));
    if (file.error)
        cannotOpen(fullPath, file.error);
    const QByteArray &raw = file.bytes;
    if (raw.isEmpty())
        return QString();
    return Gbk::decode(mendBytes(raw));
}

} // namespace CollectionFile
