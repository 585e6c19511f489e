#include "platform/WindowPlatform.h"

#include "platform/PlainWindowPlatform.h"
#ifdef ZELTO_HAVE_XCB
#include "platform/x11/X11WindowPlatform.h"
#endif

std::unique_ptr<WindowPlatform> makeWindowPlatform(const QString &platformName)
{
#ifdef ZELTO_HAVE_XCB
    if (platformName == QLatin1String("xcb"))
        return std::make_unique<X11WindowPlatform>();
#endif
    return std::make_unique<PlainWindowPlatform>(platformName);
}
