#include "platform/DesktopServices.h"

#include "platform/NullDesktopServices.h"
#include "platform/PortalDesktopServices.h"
#ifdef ZELTO_HAVE_XCB_XTEST
#include "platform/x11/X11DesktopServices.h"
#endif

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Without an address libdbus would start a bus of its own through X11 autolaunch.
bool sessionBusThere()
{
    return qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")
        || QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")).exists();
}

} // namespace

std::unique_ptr<DesktopServices> makeDesktopServices(const QString &platformName)
{
    const bool wayland = platformName.startsWith(QLatin1String("wayland"));
    if (!wayland && platformName != QLatin1String("xcb"))
        return std::make_unique<NullDesktopServices>();
    // Under XWayland an X11 grab would see keys only while an X11 window has the keyboard.
    if (wayland || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        if (sessionBusThere()) {
            const QDBusConnection bus = QDBusConnection::sessionBus();
            if (PortalDesktopServices::offered(bus))
                return std::make_unique<PortalDesktopServices>(bus);
        }
        return std::make_unique<NullDesktopServices>(DesktopServices::Session::Wayland);
    }
#ifdef ZELTO_HAVE_XCB_XTEST
    if (platformName == QLatin1String("xcb"))
        return std::make_unique<X11DesktopServices>();
#endif
    return std::make_unique<NullDesktopServices>();
}

DesktopServices::PasteKey choosePasteKey(const QString &windowClass, const QString &ctrlVClasses, bool ctrlVByDefault)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    if (!windowClass.isEmpty()) {
        for (const QString &listed : ctrlVClasses.split(separators, Qt::SkipEmptyParts)) {
            if (listed.compare(windowClass, Qt::CaseInsensitive) == 0)
                return DesktopServices::PasteKey::CtrlV;
        }
    }
    return ctrlVByDefault ? DesktopServices::PasteKey::CtrlV : DesktopServices::PasteKey::ShiftInsert;
}
