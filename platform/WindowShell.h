#pragma once

class QWindow;

// What the desktop shell does with a top-level window beyond Qt's own flags. Everything
// here is a no-op where the platform has no such notion (offscreen, Wayland, Windows).
namespace WindowShell {

// Whether a window may place itself, stay on top and dock; Wayland allows none of these,
// nor does weston's X window manager.
bool canPlaceWindows();

// Removes the window's taskbar entry (true) or brings it back (false).
void setSkipTaskbar(QWindow *window, bool on);
// Whether the window asked the shell to leave it out of the taskbar.
bool skipsTaskbar(QWindow *window);

// Lets the window manager leave the window exactly where the program puts it, even
// mostly off the screen (true); false gives the window back to the normal placement rules.
// Window managers keep part of an ordinary window on screen (openbox about a tenth of it).
void setFreePlacement(QWindow *window, bool on);
bool hasFreePlacement(QWindow *window);

// Makes the next showing of a hidden window come up normal. X keeps the "start
// iconified" hint of a minimize even after the window manager restored the window, and
// would map it minimized again.
void clearIconicStart(QWindow *window);

// Sends every request made so far to the window system, without handling any event.
void flush();

} // namespace WindowShell
