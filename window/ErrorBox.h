#pragma once

#include <QString>

class QWidget;

// The default error box: the error's message, a full stop added when its last character
// sorts after ".", the application title as caption, the error icon and OK.
namespace ErrorBox {

QString messageText(const QString &message);
int show(QWidget *owner, const QString &message);

} // namespace ErrorBox
