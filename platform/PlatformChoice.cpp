#include "platform/PlatformChoice.h"

#include <QFileInfo>
#include <QStringList>

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

Displays currentDisplays(const QByteArray &displayArgument)
{
    Displays d;
    d.x = displayArgument.isEmpty() ? qgetenv("DISPLAY") : displayArgument;
    d.wayland = qgetenv("WAYLAND_DISPLAY");
    d.waylandSocketGiven = !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET");
    d.waylandSession = qgetenv("XDG_SESSION_TYPE") == "wayland";
    d.runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return d;
}

namespace {

// Why the X11 platform cannot connect, or an empty string.
QString xFault(const Displays &d)
{
    if (d.x.isEmpty())
        return QStringLiteral("没有 X 显示（DISPLAY 未设置）");
    if (!xServerReachable(d.x))
        return QStringLiteral("连接不上 X 显示“%1”").arg(QString::fromLocal8Bit(d.x));
    return {};
}

// Why the Wayland platform cannot connect, or an empty string. Like libwayland, a name
// without a slash is a socket in the runtime folder, and no name means wayland-0.
QString waylandFault(const Displays &d)
{
    if (d.waylandSocketGiven)
        return {};
    const QString name = d.wayland.isEmpty() ? QStringLiteral("wayland-0") : QString::fromLocal8Bit(d.wayland);
    const bool absolute = name.startsWith(QLatin1Char('/'));
    if ((absolute || !d.runtimeDir.isEmpty())
        && QFileInfo::exists(absolute ? name : d.runtimeDir + QLatin1Char('/') + name))
        return {};
    if (d.wayland.isEmpty())
        return QStringLiteral("没有 Wayland 显示（WAYLAND_DISPLAY 未设置）");
    return QStringLiteral("找不到 Wayland 显示“%1”").arg(name);
}

} // namespace

QString missingDisplay(const QString &platforms, const Displays &displays)
{
    // Qt tries the listed platforms in turn, each perhaps with options after a colon; by
    // default Wayland first on a Wayland session, then X11.
    QStringList tried;
    for (const QString &entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        tried.append(entry.section(QLatin1Char(':'), 0, 0));
    if (tried.isEmpty()) {
        if (displays.x.isEmpty() && displays.wayland.isEmpty() && !displays.waylandSocketGiven
            && !displays.waylandSession)
            return QStringLiteral("无法打开窗口：没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置）");
        if (!displays.wayland.isEmpty() || displays.waylandSession)
            tried.append(QStringLiteral("wayland"));
        tried.append(QStringLiteral("xcb"));
    }
    QStringList faults;
    for (const QString &platform : tried) {
        QString fault;
        if (platform == QLatin1String("xcb"))
            fault = xFault(displays);
        else if (platform.startsWith(QLatin1String("wayland")))
            fault = waylandFault(displays);
        if (fault.isEmpty())
            return {};
        if (!faults.contains(fault))
            faults.append(fault);
    }
    return QStringLiteral("无法打开窗口：") + faults.join(QStringLiteral("；"));
}

} // namespace PlatformChoice
