#pragma once

#include <QPointer>

class CopyNote;
class QWidget;
class SettingsStore;
class UserStore;

// What follows every copy: the entry is recorded as recent, and when copying quietly
// (〖设  置〗 安静复制) a brief note near the pointer takes the notice's place. The user's
// lists are read the first time they are needed.
class CopyRecorder
{
public:
    CopyRecorder(const SettingsStore &settings, UserStore &store, QWidget *window);

    bool quietCopy() const;
    // Records an entry as recent; true when the quiet note took the notice's place.
    bool copied(const QString &entry);

    UserStore &store();
    // The note shown near the pointer, made on first use.
    CopyNote *note();

private:
    const SettingsStore &m_settings;
    UserStore &m_store;
    QWidget *m_window;
    bool m_storeLoaded = false;
    QPointer<CopyNote> m_note;
};
