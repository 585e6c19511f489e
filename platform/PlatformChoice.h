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

} // namespace PlatformChoice
