#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

// Tells screen readers that a short message shown without focus (a status line, a note)
// has changed, as a live region would: its new text as the object's value, then an alert
// from it. Qt's labels already report a changed name; readers that ignore that hear this.
namespace Announcement {

inline void announce(QObject *source, const QString &text)
{
    if (!QAccessible::isActive() || !source)
        return;
    QAccessibleValueChangeEvent value(source, text);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent alert(source, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace Announcement
