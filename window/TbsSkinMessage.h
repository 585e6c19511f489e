#pragma once

#include "window/MessageTypes.h"
#include "window/TimerDlg.h"

#include <QList>

#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>

class QWidget;

// The main window's message-dialog component: every notice and question of the program
// goes through ShowMessageDialog. Its opacity settings apply to each dialog shown after
// they are changed. It owns the window's auto-close: a timed notice arms it right before
// its dialog is shown.
class TbsSkinMessage : public QObject
{
    Q_OBJECT
public:
    explicit TbsSkinMessage(QWidget *owner);

    int ShowMessageDialog(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext);

    // Shows a dialog that closes by itself after timeoutMs, counting down in its title;
    // Enter at the time-out presses its default button.
    int showTimedNotice(const QString &text, TMsgDlgType kind, int timeoutMs, TMsgDlgButtons buttons = mbOKSet);

    TimerDlg &autoClose() { return m_autoClose; }

    // For tests: the next dialog is not shown but answered at once with `answer`; what
    // would have been shown is recorded.
    struct Shown
    {
        QString text;
        TMsgDlgType kind = mtCustom;
        TMsgDlgButtons buttons;
        int timeoutMs = 0; // 0: no auto-close
    };
    // whenAsked runs where the dialog would have been shown, to look at the program then.
    void setNextAnswer(int answer, std::function<void()> whenAsked = {})
    {
        m_nextAnswers.append({ answer, std::move(whenAsked) });
    }
    const QList<Shown> &scriptedDialogs() const { return m_scripted; }

    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool on) { m_alphaBlend = on; }
    int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value) { m_alphaBlendValue = qBound(0, value, 255); }
    bool AlphaBlendAnimation() const { return false; }

    static QString titleOf(TMsgDlgType kind);

private:
    int show(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, int timeoutMs);

    QPointer<QWidget> m_owner;
    TimerDlg m_autoClose;
    QList<std::pair<int, std::function<void()>>> m_nextAnswers;
    QList<Shown> m_scripted;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 200;
};
