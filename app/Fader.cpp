#include "app/Fader.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "platform/WindowPlatform.h"
#include "window/Guard.h"

#include <QShowEvent>
#include <QTimer>
#include <QWidget>

Fader::Fader(QWidget *form, QTimer *timer, SettingsStore *store, WindowPlatform &platform)
    : QObject(form)
    , m_form(form)
    , m_timer(timer)
    , m_store(store)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Fader"));
    connect(m_timer, &QTimer::timeout, this, guardedSlot(m_form, [this] { Timer1Timer(); }));
}

int Fader::target() const
{
    return m_store->isSet(Settings::Opaque) ? Opaque : SemiTransparent;
}

void Fader::setOpacity(int value)
{
    m_opacity = qBound(0, value, 255);
    emit opacitySet(m_opacity);
    if (!m_platform.canSetOpacity())
        return;
    m_form->setWindowOpacity(m_opacity / 255.0);
    // On X11 the change reaches the server only with the next request: flush it now, but
    // handle no events, or a timer could run half-way through a fade.
    m_platform.flush();
}

void Fader::formShowEvent(QShowEvent *event)
{
    // Coming back from the minimized state is not a showing of the window.
    if (!event->spontaneous())
        guarded(m_form, [this] { FormShow(); });
}

void Fader::FormShow()
{
    setOpacity(0);
    if (!m_timer->isActive())
        m_timer->start();
}

void Fader::Timer1Timer()
{
    m_timer->stop();
    int to = Opaque;
    try {
        to = target();
    } catch (...) {
        // A store that cannot be read must not leave the window invisible.
        setOpacity(Opaque);
        throw;
    }
    // No waiting between the steps: the fade is as fast as the window system.
    int value = 0;
    while (value < to) {
        value += Step;
        setOpacity(value);
    }
    setOpacity(to);
}

void Fader::fadeOut()
{
    int value = target();
    while (value > 0) {
        value -= Step;
        setOpacity(value);
    }
    setOpacity(0);
}
