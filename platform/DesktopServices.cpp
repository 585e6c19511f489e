#include "platform/DesktopServices.h"

#include "platform/NullDesktopServices.h"
#ifdef ZELTO_HAVE_XCB_XTEST
#include "platform/x11/X11DesktopServices.h"
#endif

std::unique_ptr<DesktopServices> makeDesktopServices(const QString &platformName)
{
#ifdef ZELTO_HAVE_XCB_XTEST
    if (platformName == QLatin1String("xcb"))
        return std::make_unique<X11DesktopServices>();
#endif
    return std::make_unique<NullDesktopServices>();
}
