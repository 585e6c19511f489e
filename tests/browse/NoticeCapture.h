#pragma once

// Catches the next modal notice: its title once the auto-close counts down (the countdown),
// its text, then answers it with Enter.

#include "support/TestSupport.h"
#include "window/TimerDlg.h"

#include <QLabel>
#include <memory>

struct CapturedNotice {
    bool seen = false;
    QString title;
    QString text;
};

inline std::shared_ptr<CapturedNotice> captureNextNotice()
{
    auto notice = std::make_shared<CapturedNotice>();
    onNextModal([notice](QWidget *w) {
        autoClose().AutoCloseTick(); // finds the dialog
        autoClose().AutoCloseTick();
        notice->seen = true;
        notice->title = w->windowTitle();
        if (auto *label = w->findChild<QLabel *>(QStringLiteral("Message")))
            notice->text = label->text();
        postKey(w, Qt::Key_Return);
    });
    return notice;
}

// Lets a dialog that was wrongly opened show up (and be answered) before checking that none came.
inline void settle(int ms = 150) { QTest::qWait(ms); }

