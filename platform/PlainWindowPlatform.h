#pragma once

#include "platform/WindowPlatform.h"

#include <QtGlobal>

#include <optional>

// Platforms whose shell the program cannot talk to (offscreen, Wayland, Windows): the
// requests are remembered on the window and otherwise left to Qt.
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

    // What was last asked for the window.
    bool skipsTaskbar(QWindow *window) const;
    bool hasFreePlacement(QWindow *window) const;

protected:
    // Records the request; returns the window's type before it (on) or the one to go back
    // to (off), or nothing when the request changes nothing.
    std::optional<Qt::WindowFlags> recordFreePlacement(QWindow *window, bool on);

private:
    bool m_wayland;
};
