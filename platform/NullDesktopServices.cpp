#include "platform/NullDesktopServices.h"

NullDesktopServices::NullDesktopServices(Session session, QObject *parent)
    : DesktopServices(parent)
    , m_session(session)
{
}

DesktopServices::Session NullDesktopServices::session() const
{
    return m_session;
}

DesktopServices::Capabilities NullDesktopServices::capabilities() const
{
    return {};
}

DesktopServices::Grab NullDesktopServices::grabShortcut(const QKeySequence &)
{
    return Grab::Unsupported;
}

void NullDesktopServices::releaseShortcut()
{
}

DesktopServices::WindowId NullDesktopServices::activeWindow() const
{
    return 0;
}

bool NullDesktopServices::activateWindow(WindowId, quint32)
{
    return false;
}

bool NullDesktopServices::sendPasteKey(WindowId, PasteKey)
{
    return false;
}
