#include "platform/PlainWindowPlatform.h"

#include <QVariant>
#include <QWindow>

namespace {
constexpr char SkipTaskbarProperty[] = "zeltoSkipTaskbar";
constexpr char PlacedTypeProperty[] = "zeltoPlacedWindowType";
} // namespace

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

void PlainWindowPlatform::setSkipTaskbar(QWindow *window, bool on)
{
    if (window)
        window->setProperty(SkipTaskbarProperty, on);
}

bool PlainWindowPlatform::skipsTaskbar(QWindow *window) const
{
    return window && window->property(SkipTaskbarProperty).toBool();
}

void PlainWindowPlatform::setFreePlacement(QWindow *window, bool on)
{
    recordFreePlacement(window, on);
}

std::optional<Qt::WindowFlags> PlainWindowPlatform::recordFreePlacement(QWindow *window, bool on)
{
    if (!window || hasFreePlacement(window) == on)
        return std::nullopt;
    if (on) {
        const Qt::WindowFlags type = window->flags() & Qt::WindowType_Mask;
        window->setProperty(PlacedTypeProperty, int(type));
        return type;
    }
    const auto type = Qt::WindowFlags(window->property(PlacedTypeProperty).toInt());
    window->setProperty(PlacedTypeProperty, QVariant());
    return type;
}

bool PlainWindowPlatform::hasFreePlacement(QWindow *window) const
{
    return window && window->property(PlacedTypeProperty).isValid();
}

void PlainWindowPlatform::clearIconicStart(QWindow *)
{
}

void PlainWindowPlatform::flush()
{
}
