#pragma once

#include "platform/WindowPlatform.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The X11 (xcb) shell: taskbar entry and window type through the EWMH properties the
// window manager reads, and a flush of the X connection.
class X11WindowPlatform : public WindowPlatform
{
public:
    bool canPlaceWindows() const override;
    bool canSetOpacity() const override;
    void setSkipTaskbar(QWindow *window, bool on) override;
    void setFreePlacement(QWindow *window, bool on) override;
    void clearIconicStart(QWindow *window) override;
    void flush() override;

private:
    // Interned once per name for the life of the connection.
    std::uint32_t atom(const char *name) const;

    mutable std::map<std::string, std::uint32_t> m_atoms;
    mutable std::optional<bool> m_canPlaceWindows;
};
