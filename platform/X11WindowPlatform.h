#pragma once

#include "platform/PlainWindowPlatform.h"

// The X11 (xcb) shell: taskbar entry and window type through the EWMH properties the
// window manager reads, and a flush of the X connection.
class X11WindowPlatform : public PlainWindowPlatform
{
public:
    X11WindowPlatform();

    bool canPlaceWindows() const override;
    void setSkipTaskbar(QWindow *window, bool on) override;
    void setFreePlacement(QWindow *window, bool on) override;
    void clearIconicStart(QWindow *window) override;
    void flush() override;
};
