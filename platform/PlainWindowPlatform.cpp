#include "platform/PlainWindowPlatform.h"

PlainWindowPlatform::PlainWindowPlatform(const QString &platformName)
    : m_wayland(platformName.startsWith(QLatin1String("wayland")))
{
}

bool PlainWindowPlatform::canPlaceWindows() const
{
    return !m_wayland;
}

bool PlainWindowPlatform::canSetOpacity() const
{
    return !m_wayland;
}

void PlainWindowPlatform::setSkipTaskbar(QWindow *, bool)
{
}

void PlainWindowPlatform::setFreePlacement(QWindow *, bool)
{
}

void PlainWindowPlatform::clearIconicStart(QWindow *)
{
}

void PlainWindowPlatform::flush()
{
}
