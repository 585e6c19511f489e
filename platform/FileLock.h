#pragma once

#include <QString>

// An exclusive lock on a file, held while the object lives: copies of the program that
// share a folder take turns through it. The system drops it when its holder ends, however
// it ends, so a crash never leaves it taken. When the file cannot be opened there is no
// lock and the caller goes on without one.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
