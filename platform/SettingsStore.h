#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

class QSettings;
struct StoredSetting;

// The per-user settings store. A setting or marker is the presence of a key such as
// "\Software\zelsigtm"; the values written into a key are never read back.
// Every call reads the file anew, so changes made by other processes are seen at once.
class SettingsStore
{
public:
    // filePath: the INI file that holds the keys; empty means the user's default location.
    explicit SettingsStore(QString filePath = {});

    const QString &filePath() const { return m_path; }

    // A key counts as present when the file holds it. No file means absent; a file that
    // cannot be read (or something else in its place) throws AppError, never "absent".
    bool isPresent(const QString &key) const;

    // Creates the key when missing and writes a string value. Throws AppError on failure,
    // and then the file is left as it was.
    void writeString(const QString &key, const QString &name, const QString &value);

    // Removes the key with everything under it; absent afterwards whatever it was before.
    // Throws AppError on failure.
    void deleteKey(const QString &key);

    // The settings of the table in platform/SettingsTable.h.
    bool isSet(const StoredSetting &setting) const;
    void set(const StoredSetting &setting); // writes its values at once; throws AppError on failure
    void clear(const StoredSetting &setting); // throws AppError on failure
    // A Text setting's value; null when the setting is absent. Throws AppError when the
    // file cannot be read.
    QString text(const StoredSetting &setting) const;
    void setText(const StoredSetting &setting, const QString &value); // throws AppError on failure

    static QString defaultFilePath();

private:
    static QString groupOf(const QString &key);
    // Reads the file's bytes; empty when there is no file. Throws `failure` (its %1 the
    // reason) when it cannot.
    QByteArray readFile(const QString &failure) const;
    // Writes the values into the key in one change of the file.
    void writeValues(const QString &key, const QList<std::pair<QString, QString>> &values, const QString &failure);
    // Runs `edit` on a copy of the file and puts the copy in its place when `edit` changed
    // something. Throws AppError with `failure` (its %1 the reason) when any step fails.
    void change(const QString &failure, const std::function<bool(QSettings &)> &edit);

    // The store holds a few short keys; anything larger is not ours to parse.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    QString m_path;
};
