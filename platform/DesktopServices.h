#pragma once

#include <QFlags>
#include <QObject>
#include <QString>

#include <memory>

class QKeySequence;

// What the program asks of the whole desktop rather than of one of its windows: a
// shortcut that works in every program, the window the user was typing in, and a paste
// into it. One implementation per kind of session; main() makes the one the running
// platform needs.
class DesktopServices : public QObject
{
    Q_OBJECT
public:
    // The window system's id of a top-level window; 0 is none.
    using WindowId = quint64;

    enum class Session {
        None, // nothing desktop-wide can be done
        X11,
        WaylandPortal, // only what the desktop portal offers
        Wayland, // a Wayland desktop that offers programs no shortcut: the user binds one himself
    };

    enum class Capability {
        GlobalShortcut = 0x1,
        ActiveWindow = 0x2, // activeWindow() and activateWindow()
        PasteKey = 0x4, // sendPasteKey()
    };
    Q_DECLARE_FLAGS(Capabilities, Capability)

    enum class Grab {
        Grabbed,
        Taken, // another program holds the key
        Unusable, // a key this session cannot grab, or an empty sequence
        Unsupported, // the session grabs no keys at all
    };

    enum class PasteKey { CtrlV, ShiftInsert };

    using QObject::QObject;

    virtual Session session() const = 0;
    virtual Capabilities capabilities() const = 0;

    // Grabs the first key combination of the sequence for the whole desktop, in place of
    // the one held so far. When it fails, the one held so far stays.
    virtual Grab grabShortcut(const QKeySequence &keys) = 0;
    // Lets the held key go back to the other programs; harmless when none is held.
    virtual void releaseShortcut() = 0;

    // The window that has the keyboard now, whichever program it belongs to; 0 when the
    // session does not say.
    virtual WindowId activeWindow() const = 0;
    // Asks the window manager to raise and focus the window, for a user's action at the
    // given time (the window system's clock; 0: now). False when the request could not be
    // made; the window manager may still refuse it.
    virtual bool activateWindow(WindowId window, quint32 timestamp) = 0;
    // Presses and releases the paste key as if on the keyboard, for the window that has the
    // keyboard; false (nothing sent) when that is not the given window or no key can be sent.
    virtual bool sendPasteKey(WindowId window, PasteKey key) = 0;

    // The class name the window gives itself (the second part of X's WM_CLASS); empty when
    // the session does not say.
    virtual QString windowClass(WindowId) const { return {}; }
    // Whether a modifier key (Shift, Ctrl, Alt, Super) is held down now: a paste key sent
    // meanwhile would arrive with it.
    virtual bool modifiersHeld() const { return false; }

signals:
    // The grabbed key was pressed, at the window system's time given.
    void shortcutActivated(quint32 timestamp);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DesktopServices::Capabilities)

// The paste key for a window of the given class: Ctrl+V when the class is one of
// `ctrlVClasses` (separated by commas or white space, any case), else the default.
DesktopServices::PasteKey choosePasteKey(const QString &windowClass, const QString &ctrlVClasses, bool ctrlVByDefault);

// The implementation for a Qt platform plugin name (QGuiApplication::platformName()). On a
// Wayland desktop (also under XWayland, where an X11 grab would see only X11 windows) the
// shortcut portal is used where the desktop offers it.
std::unique_ptr<DesktopServices> makeDesktopServices(const QString &platformName);
