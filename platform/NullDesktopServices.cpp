#include "platform/NullDesktopServices.h"

DesktopServices::Session NullDesktopServices::session() const
{
    return Session::None;
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
