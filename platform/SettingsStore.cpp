#include "platform/SettingsStore.h"

#include "platform/AppError.h"
#include "platform/SettingsTable.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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

bool SettingsStore::isPresent(const QString &key) const
{
    if (!QFileInfo(m_path).isReadable())
        return false;
    QSettings s(m_path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return false;
    s.beginGroup(groupOf(key));
    return !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
}

void SettingsStore::writeString(const QString &key, const QString &name, const QString &value)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings s(m_path, QSettings::IniFormat);
    s.beginGroup(groupOf(key));
    s.setValue(name, value);
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法写入设置“%1\\%2”：%3 不可写").arg(key, name, m_path));
}

void SettingsStore::deleteKey(const QString &key)
{
    if (!QFileInfo::exists(m_path))
        return;
    QSettings s(m_path, QSettings::IniFormat);
    s.remove(groupOf(key));
    s.sync();
    if (s.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法删除设置“%1”：%2 不可写").arg(key, m_path));
}

bool SettingsStore::isSet(const StoredSetting &setting) const { return isPresent(setting.key); }

void SettingsStore::set(const StoredSetting &setting)
{
    for (const auto &[name, value] : setting.values)
        writeString(setting.key, name, value);
}

void SettingsStore::clear(const StoredSetting &setting) { deleteKey(setting.key); }
