#pragma once

#include "window/MessageTypes.h"

#include <QObject>
#include <QPointer>

class QWidget;

// The main window's message-dialog component: every notice and question of the program
// goes through ShowMessageDialog. Its opacity settings apply to each dialog shown after
// they are changed.
class TbsSkinMessage : public QObject
{
    Q_OBJECT
public:
    explicit TbsSkinMessage(QWidget *owner);

    int ShowMessageDialog(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext);

    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool on) { m_alphaBlend = on; }
    int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value) { m_alphaBlendValue = qBound(0, value, 255); }
    bool AlphaBlendAnimation() const { return false; }

    static QString titleOf(TMsgDlgType kind);

private:
    QPointer<QWidget> m_owner;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 200;
};
