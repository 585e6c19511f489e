#pragma once

#include "platform/WindowPlatform.h"

// Platforms whose shell the program cannot talk to (offscreen, Wayland, Windows): every
// request is left to Qt, and the answers say what Wayland forbids.
class PlainWindowPlatform : public WindowPlatform
{
public:
    explicit PlainWindowPlatform(const QString &platformName = QString());

    bool canPlaceWindows() const override;
    bool canSetOpacity() const override;
    void setSkipTaskbar(QWindow *window, bool on) override;
    void setFreePlacement(QWindow *window, bool on) override;
    void clearIconicStart(QWindow *window) override;
    void flush() override;

private:
    bool m_wayland;
};
