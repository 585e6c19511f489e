#pragma once

#include <QByteArray>
#include <QString>

// Files the program opens are only ever regular files: a FIFO, device or folder in their
// place is refused, and nothing is opened in a way that can block.
namespace RegularFile {

// True when `path` names a regular file now. A device is never opened; the file is opened
// without blocking and asked itself, in case the name changed after the first look.
bool isRegular(const QString &path);

struct ReadResult
{
    QByteArray bytes;
    int error = 0; // an errno value; EISDIR for a folder, EINVAL for anything else not regular
    bool tooLarge = false;
    bool ok() const { return error == 0 && !tooLarge; }
};

// Tells whether a file has changed since it was last looked at, without reading it: any
// write, or another file put in its place, gives a different version.
struct Version
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    bool operator==(const Version &) const = default;
};
Version version(const QString &path);

// Reads the whole file, at most maxBytes of it (tooLarge beyond that).
ReadResult read(const QString &path, qint64 maxBytes);

} // namespace RegularFile
