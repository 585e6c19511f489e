#include "window/TbsSkinMessage.h"

#include "platform/ApplicationTitle.h"
#include "window/MessageDialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyle>
#include <QWidget>

namespace {

QIcon iconOf(TMsgDlgType kind)
{
    QStyle *style = QApplication::style();
    switch (kind) {
    case mtWarning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case mtError:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case mtInformation:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case mtConfirmation:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case mtCustom:
        break;
    }
    return {};
}

} // namespace

TbsSkinMessage::TbsSkinMessage(QWidget *owner) : QObject(owner), m_owner(owner)
{
    setObjectName(QStringLiteral("bsSkinMessage1"));
}

QString TbsSkinMessage::titleOf(TMsgDlgType kind)
{
    switch (kind) {
    case mtWarning:
        return QStringLiteral("警告");
    case mtError:
        return QStringLiteral("错误");
    case mtInformation:
        return QStringLiteral("信息");
    case mtConfirmation:
        return QStringLiteral("确认");
    case mtCustom:
        break;
    }
    return ApplicationTitle;
}

int TbsSkinMessage::ShowMessageDialog(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext)
{
    Q_UNUSED(helpContext);
    // A dialog opened while another is up belongs to that one, so the earlier one is
    // blocked until the new one closes.
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_owner;
    MessageDialog dialog(parent, titleOf(kind), iconOf(kind), text, buttons);
    if (m_alphaBlend)
        dialog.setWindowOpacity(m_alphaBlendValue / 255.0);
    const int result = dialog.exec();
    return result;
}
