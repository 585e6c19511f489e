#include "platform/PlatformChoice.h"

#ifdef ZELTO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace PlatformChoice {

QString choose(const Session &session)
{
    if (!session.platformVariable.isEmpty() || session.platformArgument || !session.waylandDisplay)
        return {};
    return session.xServerReachable ? QStringLiteral("xcb") : QStringLiteral("wayland");
}

Session current(bool platformArgument)
{
    Session s;
    s.platformVariable = qEnvironmentVariable("QT_QPA_PLATFORM");
    s.platformArgument = platformArgument;
    s.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (s.platformVariable.isEmpty() && !s.platformArgument && s.waylandDisplay)
        s.xServerReachable = xServerReachable(qgetenv("DISPLAY"));
    return s;
}

bool xServerReachable(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
#ifdef ZELTO_HAVE_XCB
    xcb_connection_t *c = xcb_connect(display.constData(), nullptr);
    const bool ok = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return ok;
#else
    return true;
#endif
}

} // namespace PlatformChoice
