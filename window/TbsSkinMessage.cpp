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

TbsSkinMessage::TbsSkinMessage(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
    , m_autoClose(this)
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
    return show(text, kind, buttons, 0);
}

int TbsSkinMessage::showTimedNotice(const QString &text, TMsgDlgType kind, int timeoutMs, TMsgDlgButtons buttons)
{
    return show(text, kind, buttons, timeoutMs);
}

int TbsSkinMessage::show(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, int timeoutMs)
{
    if (!m_nextAnswers.isEmpty()) {
        m_scripted.append(Shown { text, kind, buttons, timeoutMs });
        const auto [answer, whenAsked] = m_nextAnswers.takeFirst();
        if (whenAsked)
            whenAsked();
        return answer;
    }
    if (timeoutMs > 0)
        m_autoClose.ArmAutoClose(timeoutMs);
    // A dialog opened while another is up belongs to that one, so the earlier one is
    // blocked until the new one closes.
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = m_owner;
    MessageDialog dialog(parent, titleOf(kind), iconOf(kind), text, buttons);
    if (m_alphaBlend)
        dialog.setWindowOpacity(m_alphaBlendValue / 255.0);
    return dialog.exec();
}
