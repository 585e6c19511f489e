#pragma once

#include <QString>

#include <memory>

class QWindow;

// What the desktop shell does with a top-level window beyond Qt's own flags. One
// implementation per kind of window system; main() makes the one the running platform
// needs and passes it to whoever handles windows.
class WindowPlatform
{
public:
    virtual ~WindowPlatform() = default;

    // Whether a window may place itself, stay on top and dock; Wayland allows none of
    // these, nor does weston's X window manager.
    virtual bool canPlaceWindows() const = 0;

    // Whether a window's opacity can be changed; Wayland has no request for it, and Qt
    // answers every attempt with a warning.
    virtual bool canSetOpacity() const = 0;

    // Removes the window's taskbar entry (true) or brings it back (false).
    virtual void setSkipTaskbar(QWindow *window, bool on) = 0;

    // Lets the window manager leave the window exactly where the program puts it, even
    // mostly off the screen (true); false gives the window back to the normal placement
    // rules. Window managers keep part of an ordinary window on screen (openbox about a
    // tenth of it).
    virtual void setFreePlacement(QWindow *window, bool on) = 0;

    // Makes the next showing of a hidden window come up normal.
    virtual void clearIconicStart(QWindow *window) = 0;

    // Sends every request made so far to the window system, without handling any event.
    virtual void flush() = 0;
};

// The implementation for a Qt platform plugin name (QGuiApplication::platformName()).
std::unique_ptr<WindowPlatform> makeWindowPlatform(const QString &platformName);
