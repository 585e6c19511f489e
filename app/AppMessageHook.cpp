#include "app/AppMessageHook.h"

#include "app/SystemCommandEvent.h"
#include "app/Texts.h"
#include "info/InfoTexts.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QWidget>

AppMessageHook::AppMessageHook(QWidget *form, TbsSkinMessage *messages)
    : QObject(form)
    , m_form(form)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("AppMessage"));
}

bool AppMessageHook::AppMessage(QEvent *event)
{
    if (event->type() != SystemCommandEvent::eventType())
        return false;
    const quintptr command = static_cast<SystemCommandEvent *>(event)->wParam();
    bool handled = false;
    if (command == SystemCommandEvent::HelpCommand) {
        m_messages->showTimedNotice(InfoTexts::olderHelp(), mtInformation, 30000);
        handled = true;
    }
    if (command == SystemCommandEvent::AboutCommand) {
        m_messages->showTimedNotice(InfoTexts::olderAbout(), mtInformation, 10000);
        handled = true;
    }
    return handled;
}

bool AppMessageHook::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == SystemCommandEvent::eventType()) {
        bool handled = false;
        guarded(m_form, [&] { handled = AppMessage(event); });
        if (handled)
            return true;
    }
    return QObject::eventFilter(watched, event);
}
