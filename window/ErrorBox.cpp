#include "window/ErrorBox.h"

#include "platform/ApplicationTitle.h"
#include "window/MessageDialog.h"

#include <QApplication>
#include <QStyle>

namespace ErrorBox {

QString messageText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

int show(QWidget *owner, const QString &message)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = owner;
    MessageDialog dialog(parent, ApplicationTitle, QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical),
        messageText(message), mbOKSet);
    return dialog.exec();
}

} // namespace ErrorBox
