#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running copy per user: a lock file named after the application title, held until
// the process ends. Only a lock held by a running copy counts; one left behind by a
// crash (stale, empty or garbled) is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name, QString folder = {});

    // True only when another running process holds the lock. When no lock can be made
    // at all (unwritable or missing folder) the start must go on: false, with a note on
    // standard error.
    bool alreadyExists();

    QString fileName() const { return m_fileName; }
    // Whether this process holds the lock (after alreadyExists() said no).
    bool held() const;
    // Where the holder listens for the copies started after it: beside the lock, under the
    // same per-user name.
    QString channelName() const;

private:
    bool heldByRunningCopy() const;

    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};
