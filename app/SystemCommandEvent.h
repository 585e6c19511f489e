#pragma once

#include <QEvent>

// A system command of the taskbar entry's menu, posted to the application; wParam is the
// command number.
class SystemCommandEvent : public QEvent
{
public:
    static constexpr quintptr HelpCommand = 1025;
    static constexpr quintptr AboutCommand = 1026;
    static QEvent::Type eventType()
    {
        static const int type = QEvent::registerEventType();
        return QEvent::Type(type);
    }
    explicit SystemCommandEvent(quintptr wParam)
        : QEvent(eventType())
        , m_wParam(wParam)
    {
    }
    quintptr wParam() const { return m_wParam; }

private:
    quintptr m_wParam;
};
