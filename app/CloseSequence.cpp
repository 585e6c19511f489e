#include "app/CloseSequence.h"

#include "app/Fader.h"
#include "info/Maker.h"
#include "platform/AddressOpener.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>

CloseSequence::CloseSequence(const Context &context, Fader *fader)
    : QObject(context.form)
    , m_context(context)
    , m_fader(fader)
{
    setObjectName(QStringLiteral("CloseSequence"));
    m_quit = [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); };
    connect(m_context.N4, &QAction::triggered, this, guardedSlot(m_context.form, [this] { N4Click(); }));
}

void CloseSequence::N4Click()
{
    m_context.form->close();
}

void CloseSequence::N10Click()
{
    m_context.form->close();
}

QString CloseSequence::confirmationText() const
{
    return QStringLiteral("您真的要退出") + m_context.form->windowTitle() + QStringLiteral("?");
}

void CloseSequence::closeEvent(QCloseEvent *event)
{
    // Once the fade-out has begun there is no way back.
    if (m_closing) {
        event->accept();
        return;
    }
    // A store that cannot be read must not keep the program from ending either: the error
    // is reported and the close goes on without the question.
    bool canClose = true;
    guarded(m_context.form, [&] { canClose = FormCloseQuery(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

bool CloseSequence::FormCloseQuery()
{
    if (!m_context.store->isSet(Settings::ExitConfirmation))
        return true;
    const int result
        = m_context.messages->showTimedNotice(confirmationText(), mtInformation, ConfirmationTimeoutMs, mbYesNoSet);
    return result != mrNo;
}

void CloseSequence::FormClose()
{
    m_closing = true;
    // A store that cannot be written must not keep the program from ending: the error is
    // reported and the close goes on.
    guarded(m_context.form, [this] {
        if (!m_context.store->isSet(Settings::CloseMarker)) {
            m_context.store->set(Settings::CloseMarker);
            m_context.opener->open(Maker::PersonalSpacePage);
        }
    });
    guarded(m_context.form, [this] { m_fader->fadeOut(); });
    if (m_quit)
        m_quit();
}
