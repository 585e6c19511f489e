#pragma once

#include "window/MessageLayout.h"
#include "window/MessageTypes.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class QPushButton;
class SkinFrame;

// One modal message: an icon, the text and a row of buttons inside the skinned frame.
// Built anew for every message; the result is the pressed button's number, or mrCancel (2)
// when it is closed without a button.
class MessageDialog : public QDialog
{
    Q_OBJECT
public:
    MessageDialog(
        QWidget *parent, const QString &title, const QIcon &icon, const QString &text, TMsgDlgButtons buttons);
    ~MessageDialog() override;

    static QString caption(TMsgDlgBtn button);
    static QString buttonName(TMsgDlgBtn button);
    static int resultOf(TMsgDlgBtn button);
    static TMsgDlgBtn defaultButtonOf(TMsgDlgButtons buttons);
    static TMsgDlgBtn cancelButtonOf(TMsgDlgButtons buttons);
    // Line breaks of the program's texts are carriage returns.
    static QString displayText(const QString &text);

    const MessageLayout &layoutInfo() const { return m_layout; }
    const QString &text() const { return m_text; }
    QPushButton *button(TMsgDlgBtn b) const;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    SkinFrame *m_frame;
    QString m_text;
    TMsgDlgButtons m_buttons;
    MessageLayout m_layout;
    QPushButton *m_buttonWidgets[mbButtonCount] = {};
};
