#pragma once

// Recorders of what the main window asks of its platform and its fade.

#include "app/Fader.h"
#include "platform/PlainWindowPlatform.h"

#include <QList>
#include <QSet>

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
