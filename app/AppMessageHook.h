#pragma once

#include <QObject>

class QWidget;
class TbsSkinMessage;

// The application-wide message hook: sees every event before it is delivered and serves
// the taskbar menu's help and about commands.
class AppMessageHook : public QObject
{
    Q_OBJECT
public:
    AppMessageHook(QWidget *form, TbsSkinMessage *messages);

    // Returns true (handled) when the event was one of the two commands.
    bool AppMessage(QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_form;
    TbsSkinMessage *m_messages;
};
