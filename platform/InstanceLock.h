#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running copy per user: a lock file named after the application title, held until
// the process ends. A lock left behind by a killed process is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name, QString folder = {});

    // True when another running process already holds the lock ("already exists").
    bool alreadyExists();

    QString fileName() const { return m_fileName; }

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};
