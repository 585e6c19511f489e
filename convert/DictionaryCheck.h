#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// OpenCC reads its dictionaries without checking them: a damaged one can crash the whole
// program inside the library. A dictionary from outside the system folders is therefore
// first loaded by a small program of its own in a child process; the verdict is kept per
// file (size, modification time, SHA-256) in the user's cache, so that an unchanged file
// is checked once. Used by one thread at a time.
class DictionaryCheck
{
public:
    static constexpr int TimeoutMs = 30'000;
    static QString programName() { return QStringLiteral("zelto-opencc-check"); }
    // The OpenCC package's own folders: the dictionaries there are trusted.
    static QStringList systemDataDirs();
    // The checking program beside the running one, the verdicts in the user's cache.
    static DictionaryCheck standard();

    // Without a program every dictionary outside the trusted folders is refused; without a
    // cache file the verdicts last as long as the object.
    explicit DictionaryCheck(QString program = {}, QString cacheFile = {}, QStringList trustedDirs = systemDataDirs());

    // Empty when OpenCC may load the dictionary (its type as a configuration names it) in
    // this process; otherwise why not, in words for the user.
    QString verify(const QString &type, const QString &path);
    // How long the child may take before it counts as unchecked.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    // How often a child process was started, for tests.
    int checksRun() const { return m_checksRun; }

private:
    struct Verdict
    {
        qint64 size = -1;
        qint64 modified = 0;
        QByteArray hash;
        bool ok = false;
    };

    bool isTrusted(const QString &canonicalPath) const;
    void readCache();
    void writeCache() const;

    QString m_program;
    QString m_cacheFile;
    QStringList m_trustedDirs;
    bool m_cacheRead = false;
    QHash<QString, Verdict> m_verdicts;
    int m_checksRun = 0;
    int m_timeoutMs = TimeoutMs;
};
