#include "convert/DictionaryCheck.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr qint64 MaxCacheBytes = 1024 * 1024;

QByteArray sha256(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QString where(const QFileInfo &info)
{
    return QDir::toNativeSeparators(info.absolutePath());
}

} // namespace

QStringList DictionaryCheck::systemDataDirs()
{
    return { QStringLiteral("/usr/share/opencc"), QStringLiteral("/usr/local/share/opencc") };
}

DictionaryCheck DictionaryCheck::standard()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return DictionaryCheck(QCoreApplication::applicationDirPath() + QLatin1Char('/') + programName(),
        cache.isEmpty() ? QString() : cache + QStringLiteral("/opencc-checks.json"));
}

DictionaryCheck::DictionaryCheck(QString program, QString cacheFile, QStringList trustedDirs)
    : m_program(std::move(program))
    , m_cacheFile(std::move(cacheFile))
    , m_trustedDirs(std::move(trustedDirs))
{
}

bool DictionaryCheck::isTrusted(const QString &canonicalPath) const
{
    for (const QString &dir : m_trustedDirs) {
        const QString canonicalDir = QFileInfo(dir).canonicalFilePath();
        if (!canonicalDir.isEmpty() && canonicalPath.startsWith(canonicalDir + QLatin1Char('/')))
            return true;
    }
    return false;
}

QString DictionaryCheck::verify(const QString &type, const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty() && isTrusted(canonical))
        return {};
    const QString damaged = QStringLiteral("OpenCC 的词典“%1”已损坏，无法使用（%2）").arg(info.fileName(), where(info));
    const QString unchecked
        = QStringLiteral("无法检查 OpenCC 的词典“%1”是否完好（%2）").arg(info.fileName(), where(info));
    readCache();
    Verdict now { info.size(), info.lastModified().toMSecsSinceEpoch(), sha256(path), false };
    if (now.hash.isEmpty())
        return unchecked;
    const auto known = m_verdicts.constFind(canonical);
    if (known != m_verdicts.cend() && known->size == now.size && known->modified == now.modified
        && known->hash == now.hash)
        return known->ok ? QString() : damaged;

    if (m_program.isEmpty())
        return unchecked;
    QProcess child;
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    ++m_checksRun;
    child.start(m_program, { type, canonical });
    if (!child.waitForStarted(m_timeoutMs))
        return unchecked;
    if (!child.waitForFinished(m_timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return unchecked;
    }
    now.ok = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    m_verdicts.insert(canonical, now);
    writeCache();
    return now.ok ? QString() : damaged;
}

// A cache that cannot be read is as good as none: the checks are made again.
void DictionaryCheck::readCache()
{
    if (m_cacheRead)
        return;
    m_cacheRead = true;
    QFile file(m_cacheFile);
    if (m_cacheFile.isEmpty() || file.size() > MaxCacheBytes || !file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject files = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        m_verdicts.insert(it.key(),
            { qint64(entry.value(QLatin1String("size")).toDouble(-1)),
                qint64(entry.value(QLatin1String("modified")).toDouble()),
                entry.value(QLatin1String("sha256")).toString().toLatin1(),
                entry.value(QLatin1String("ok")).toBool() });
    }
}

// Not written is not lost: the check is only made again.
void DictionaryCheck::writeCache() const
{
    if (m_cacheFile.isEmpty() || !QDir().mkpath(QFileInfo(m_cacheFile).absolutePath()))
        return;
    QJsonObject files;
    for (auto it = m_verdicts.cbegin(); it != m_verdicts.cend(); ++it) {
        files.insert(it.key(),
            QJsonObject { { QStringLiteral("size"), double(it->size) },
                { QStringLiteral("modified"), double(it->modified) },
                { QStringLiteral("sha256"), QString::fromLatin1(it->hash) }, { QStringLiteral("ok"), it->ok } });
    }
    QSaveFile file(m_cacheFile);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(files).toJson());
        file.commit();
    }
}
