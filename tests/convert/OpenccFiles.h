#pragma once

#include "convert/DictionaryCheck.h"

#include <QDir>
#include <QFile>

// A copy of the installed OpenCC data in a folder of the test's own, and a damage that
// makes OpenCC 1.1.6 read past its buffers when it loads STPhrases.ocd2.
namespace OpenccFiles {

inline bool copySystemData(const QString &to)
{
    const QDir from(DictionaryCheck::systemDataDirs().first());
    const QStringList names = from.entryList(QDir::Files);
    for (const QString &name : names) {
        if (!QFile::copy(from.filePath(name), to + QLatin1Char('/') + name))
            return false;
    }
    return !names.isEmpty();
}

// Flips 64 bytes near the end, in the values the trie points into; size and time stay.
inline bool damage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || file.size() < 30'000)
        return false;
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    const qint64 at = file.size() - 24'981;
    file.seek(at);
    QByteArray bytes = file.read(64);
    for (char &b : bytes)
        b = char(~b);
    file.seek(at);
    file.write(bytes);
    file.close();
    return file.open(QIODevice::ReadWrite) && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

} // namespace OpenccFiles
