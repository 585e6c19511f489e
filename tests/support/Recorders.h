#pragma once

// Recorders of what the main window asks of its platform, its desktop and its fade.

#include "app/Fader.h"
#include "platform/NullDesktopServices.h"
#include "platform/PlainWindowPlatform.h"

#include <QKeySequence>
#include <QList>
#include <QSet>

#include <utility>

class QWindow;

// The plain platform that remembers, per window, what was last asked of it.
class RecordingWindowPlatform : public PlainWindowPlatform
{
public:
    using PlainWindowPlatform::PlainWindowPlatform;

    void setSkipTaskbar(QWindow *window, bool on) override { remember(m_skipsTaskbar, window, on); }
    void setFreePlacement(QWindow *window, bool on) override { remember(m_freePlacement, window, on); }

    bool skipsTaskbar(QWindow *window) const { return m_skipsTaskbar.contains(window); }
    bool hasFreePlacement(QWindow *window) const { return m_freePlacement.contains(window); }

private:
    static void remember(QSet<QWindow *> &set, QWindow *window, bool on)
    {
        if (on)
            set.insert(window);
        else
            set.remove(window);
    }

    QSet<QWindow *> m_skipsTaskbar;
    QSet<QWindow *> m_freePlacement;
};

// Appends every opacity the fader sets from now on to the list.
inline void recordOpacities(Fader *fader, QList<int> &opacities)
{
    QObject::connect(fader, &Fader::opacitySet, fader, [&opacities](int value) { opacities.append(value); });
}

// A desktop whose answers the test sets, remembering what was asked. Untouched, it
// answers as the null desktop does.
class ScriptedDesktopServices : public NullDesktopServices
{
public:
    using NullDesktopServices::NullDesktopServices;

    Capabilities can {};
    Grab grabAnswer = Grab::Unsupported;
    WindowId active = 0;
    // Whether a window asked to be activated becomes the active one.
    bool activates = true;
    QString className;

    QList<QKeySequence> grabs;
    int releases = 0;
    QList<std::pair<WindowId, quint32>> activations;
    QList<std::pair<WindowId, PasteKey>> pastes;

    static constexpr Capabilities Everything
        = Capability::GlobalShortcut | Capability::ActiveWindow | Capability::PasteKey;

    Capabilities capabilities() const override { return can; }
    Grab grabShortcut(const QKeySequence &keys) override
    {
        grabs.append(keys);
        return grabAnswer;
    }
    void releaseShortcut() override { ++releases; }
    WindowId activeWindow() const override { return active; }
    bool activateWindow(WindowId window, quint32 timestamp) override
    {
        activations.append({ window, timestamp });
        if (activates)
            active = window;
        return true;
    }
    bool sendPasteKey(WindowId window, PasteKey key) override
    {
        if (window != active)
            return false;
        pastes.append({ window, key });
        return true;
    }
    QString windowClass(WindowId) const override { return className; }
};
