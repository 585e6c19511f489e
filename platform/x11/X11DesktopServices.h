#pragma once

#include "platform/DesktopServices.h"

#include <QAbstractNativeEventFilter>

#include <optional>

// The X11 (xcb) desktop: a passive grab on the root window for the shortcut, the EWMH
// _NET_ACTIVE_WINDOW for the active window, and the XTest extension for the paste key.
// Everything goes through Qt's own connection, whose events reach this as a native filter.
class X11DesktopServices : public DesktopServices, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit X11DesktopServices(QObject *parent = nullptr);
    ~X11DesktopServices() override;

    Session session() const override;
    Capabilities capabilities() const override;
    Grab grabShortcut(const QKeySequence &keys) override;
    void releaseShortcut() override;
    WindowId activeWindow() const override;
    bool activateWindow(WindowId window, quint32 timestamp) override;
    bool sendPasteKey(WindowId window, PasteKey key) override;
    QString windowClass(WindowId window) const override;
    bool modifiersHeld() const override;

private:
    // A key on the keyboard with the modifier state it is grabbed with.
    struct Combination
    {
        quint8 keycode = 0;
        quint16 modifiers = 0;
        bool operator==(const Combination &) const = default;
    };

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    std::optional<Combination> m_grabbed;
    // The lock modifiers (Caps Lock, Num Lock) the grab is repeated with, as they were then.
    quint16 m_lockMask = 0;
};
