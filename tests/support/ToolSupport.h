#pragma once

// Helpers for tests that need no widgets: a scratch working folder per test function and
// running one of the build's command-line tools.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A fresh temporary folder as the working directory; enter() in init(), leave() in
// cleanup(), so that every test function starts empty.
class WorkingFolder
{
public:
    bool enter()
    {
        m_dir.emplace();
        return m_dir->isValid() && QDir::setCurrent(m_dir->path());
    }
    void leave()
    {
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }
    QString path() const { return m_dir ? m_dir->path() : QString(); }

private:
    std::optional<QTemporaryDir> m_dir;
};

struct ToolRun
{
    int exitCode = -1; // -1: crashed or did not end in time
    QString errors;
    QString output;
};

inline ToolRun runTool(const QString &program, const QStringList &args,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return { p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError()),
        QString::fromUtf8(p.readAllStandardOutput()) };
}
