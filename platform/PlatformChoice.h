#pragma once

#include <QByteArray>
#include <QString>

// Which windowing platform to ask Qt for. On a Wayland desktop a window can neither place
// itself, nor stay on top, nor dock; through XWayland it can. So when the user has not
// chosen, the program runs on X11 wherever an X server is reachable, and on Wayland only
// where there is none.
namespace PlatformChoice {

struct Session
{
    QString platformVariable; // QT_QPA_PLATFORM; empty when unset
    bool platformArgument = false; // -platform given on the command line
    bool waylandDisplay = false; // WAYLAND_DISPLAY set
    bool xServerReachable = false;
};

// The platform to request, or an empty string to leave Qt's own choice alone.
QString choose(const Session &session);

// The session as the environment describes it; the X server is probed only when the
// answer depends on it.
Session current(bool platformArgument);

// Whether an X server accepts a connection on the display (empty: none named).
bool xServerReachable(const QByteArray &display);

// Where the windowing platforms could find their servers.
struct Displays
{
    QByteArray x; // -display, else DISPLAY
    QByteArray wayland; // WAYLAND_DISPLAY
    bool waylandSocketGiven = false; // WAYLAND_SOCKET: the compositor handed over a connection
    bool waylandSession = false; // XDG_SESSION_TYPE=wayland: Qt then tries Wayland's default socket
    QString runtimeDir; // XDG_RUNTIME_DIR, where Wayland's sockets are
};

// The displays as the environment names them; displayArgument: the value of -display.
Displays currentDisplays(const QByteArray &displayArgument);

// Why no window can be opened, in the program's own words, or an empty string when one of
// the platforms Qt will try may work. platforms: what Qt is asked for, as in QT_QPA_PLATFORM
// ("wayland;xcb", "offscreen"); empty for Qt's own default. Platforms other than X11 and
// Wayland need no server of ours and always pass; Qt reports their faults itself.
QString missingDisplay(const QString &platforms, const Displays &displays);

} // namespace PlatformChoice
