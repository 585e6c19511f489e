#include "skin/MenuOpacity.h"

#include "platform/WindowPlatform.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>

MenuOpacity::MenuOpacity(WindowPlatform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("MenuOpacity"));
    qApp->installEventFilter(this);
}

MenuOpacity::~MenuOpacity()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void MenuOpacity::SetAlphaBlendValue(int value)
{
    m_alphaBlendValue = qBound(0, value, 255);
}

bool MenuOpacity::eventFilter(QObject *watched, QEvent *event)
{
    if (m_alphaBlend && event->type() == QEvent::Show) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            menu->setWindowOpacity(m_alphaBlendValue / 255.0);
            // On X11 the new opacity would otherwise wait for the next event to reach the server.
            m_platform.flush();
        }
    }
    return QObject::eventFilter(watched, event);
}
