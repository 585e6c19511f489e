#include "find/CopyRecorder.h"

#include "find/CopyNote.h"
#include "find/UserStore.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QCursor>

CopyRecorder::CopyRecorder(const SettingsStore &settings, UserStore &store, QWidget *window)
    : m_settings(settings)
    , m_store(store)
    , m_window(window)
{
}

bool CopyRecorder::quietCopy() const
{
    return m_settings.isSet(Settings::QuietCopy);
}

UserStore &CopyRecorder::store()
{
    if (!m_storeLoaded) {
        m_storeLoaded = true;
        m_store.load();
    }
    return m_store;
}

CopyNote *CopyRecorder::note()
{
    if (!m_note)
        m_note = new CopyNote(m_window);
    return m_note;
}

bool CopyRecorder::copied(const QString &entry)
{
    if (!entry.isEmpty())
        store().recordCopy(entry);
    if (!quietCopy())
        return false;
    note()->showNear(QCursor::pos());
    return true;
}
