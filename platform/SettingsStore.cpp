#include "platform/SettingsStore.h"

#include "platform/AppError.h"
#include "platform/RegularFile.h"
#include "platform/SettingsTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

SettingsStore::SettingsStore(QString filePath)
    : m_path(filePath.isEmpty() ? defaultFilePath() : std::move(filePath))
{
}

QString SettingsStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/zelto/settings.ini");
}

QString SettingsStore::groupOf(const QString &key)
{
    QString group = key;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    return group;
}

QByteArray SettingsStore::readFile(const QString &failure) const
{
    RegularFile::ReadResult file = RegularFile::read(m_path, MaxFileBytes);
    if (file.error == ENOENT || file.error == ENOTDIR) // no such file
        return {};
    if (!file.ok())
        throw AppError(failure.arg(QDir::toNativeSeparators(m_path) + QStringLiteral(" 无法读取")));
    return std::move(file.bytes);
}

bool SettingsStore::isPresent(const QString &key) const
{
    if (readFile(QStringLiteral("无法读取设置“%1”：%2").arg(key, QStringLiteral("%1"))).isEmpty())
        return false;
    // Qt shares one parsed copy of the file in the process and reads the file again when
    // it changed. Nothing here ever writes through that copy (see change()), so it never
    // holds a change the file does not. Its status is not looked at: a format error is
    // reported only by the first object that parsed the file, and the keys that could be
    // parsed are the same every time.
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(groupOf(key));
    return !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
}

void SettingsStore::change(const QString &failure, const std::function<bool(QSettings &)> &edit)
{
    const QString where = QDir::toNativeSeparators(m_path);
    const auto fail = [&](const QString &reason) { throw AppError(failure.arg(reason.arg(where))); };
    const QByteArray current = readFile(failure);
    // A store that is a link to a file elsewhere stays a link: the file it names is replaced.
    const QFileInfo info(QFileInfo::exists(m_path) ? QFileInfo(m_path).canonicalFilePath() : m_path);
    if (info.exists() && !info.isWritable())
        fail(QStringLiteral("%1 不可写"));
    if (!QDir().mkpath(info.absolutePath()))
        fail(QStringLiteral("%1 不可写"));

    // QSettings keeps a change it failed to save in a cache shared by the whole process and
    // tries it again with every later QSettings on that file, so a failed write would
    // change what later reads see. It therefore only ever writes a copy under a new name,
    // which then replaces the file in one step.
    QTemporaryFile copy(info.absolutePath() + QStringLiteral("/.settings-XXXXXX.ini"));
    if (!copy.open() || copy.write(current) != current.size() || !copy.flush())
        fail(QStringLiteral("%1 不可写"));
    copy.close();
    // A temporary file is private; the store keeps the permissions it had, or a new
    // file's usual ones.
    copy.setPermissions(info.exists() ? info.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    {
        QSettings s(copy.fileName(), QSettings::IniFormat);
        // A file Qt cannot parse would lose its unparsed lines when written back.
        if (s.status() == QSettings::FormatError)
            fail(QStringLiteral("%1 格式有误，未作改动"));
        if (!edit(s))
            return;
        s.sync();
        if (s.status() != QSettings::NoError)
            fail(QStringLiteral("%1 不可写"));
    }
    if (std::rename(QFile::encodeName(copy.fileName()).constData(), QFile::encodeName(info.filePath()).constData())
        != 0)
        fail(QStringLiteral("%1 不可写"));
    copy.setAutoRemove(false);
}

void SettingsStore::writeString(const QString &key, const QString &name, const QString &value)
{
    writeValues(
        key, { { name, value } }, QStringLiteral("无法写入设置“%1\\%2”：%3").arg(key, name, QStringLiteral("%1")));
}

void SettingsStore::writeValues(
    const QString &key, const QList<std::pair<QString, QString>> &values, const QString &failure)
{
    const QString group = groupOf(key);
    change(failure, [&](QSettings &s) {
        bool changed = false;
        for (const auto &[name, value] : values) {
            const QString entry = group + QLatin1Char('/') + name;
            if (s.contains(entry) && s.value(entry).toString() == value)
                continue;
            s.setValue(entry, value);
            changed = true;
        }
        return changed;
    });
}

void SettingsStore::deleteKey(const QString &key)
{
    if (!QFileInfo::exists(m_path))
        return;
    const QString group = groupOf(key);
    change(QStringLiteral("无法删除设置“%1”：%2").arg(key, QStringLiteral("%1")), [&](QSettings &s) {
        s.beginGroup(group);
        const bool present = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
        s.endGroup();
        if (present)
            s.remove(group);
        return present;
    });
}

bool SettingsStore::isSet(const StoredSetting &setting) const
{
    return isPresent(setting.key);
}

void SettingsStore::set(const StoredSetting &setting)
{
    writeValues(
        setting.key, setting.values, QStringLiteral("无法写入设置“%1”：%2").arg(setting.key, QStringLiteral("%1")));
}

void SettingsStore::clear(const StoredSetting &setting)
{
    deleteKey(setting.key);
}

QString SettingsStore::text(const StoredSetting &setting) const
{
    if (setting.values.isEmpty() || !isPresent(setting.key))
        return {};
    QSettings s(m_path, QSettings::IniFormat);
    // Present but without this value (written by hand): empty. An unquoted list written by
    // hand reads as a list.
    const QVariant value
        = s.value(groupOf(setting.key) + QLatin1Char('/') + setting.values.first().first, QStringLiteral(""));
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void SettingsStore::setText(const StoredSetting &setting, const QString &value)
{
    if (setting.values.isEmpty())
        return;
    writeValues(setting.key, { { setting.values.first().first, value } },
        QStringLiteral("无法写入设置“%1”：%2").arg(setting.key, QStringLiteral("%1")));
}
