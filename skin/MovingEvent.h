#pragma once

#include <QEvent>
#include <QRect>

// Sent to a skinned window while the user drags it, before it moves. Carries the
// proposed frame rectangle in screen coordinates; receivers (event filters) may change it.
class MovingEvent : public QEvent
{
public:
    static QEvent::Type eventType()
    {
        static const int type = QEvent::registerEventType();
        return QEvent::Type(type);
    }
    explicit MovingEvent(const QRect &proposed)
        : QEvent(eventType())
        , m_rect(proposed)
    {
    }
    QRect &rect() { return m_rect; }

private:
    QRect m_rect;
};
