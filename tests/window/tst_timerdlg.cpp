#include "support/TestSupport.h"
#include "window/MessageDialog.h"
#include "window/TbsSkinMessage.h"
#include "window/TimerDlg.h"

// The tests call AutoCloseTick() themselves with a fake clock, so a 30-second countdown
// takes milliseconds; the real 100 ms timer is stopped once the arming is made.
class TestTimerDlg : public QObject
{
    Q_OBJECT
private:
    // Steps the clock by `step` ms per tick until the dialog is no longer timed.
    static QStringList runCountdown(QWidget *dialog, quint32 step)
    {
        QStringList titles;
        // The test ticks by hand: the real timer must not find the dialog first.
        if (auto *timer = autoClose().findChild<QTimer *>(QStringLiteral("AutoCloseTimer")))
            timer->stop();
        autoClose().AutoCloseTick(); // finds the dialog
        titles << dialog->windowTitle();
        for (int i = 0; i < 1000 && autoClose().isArmed(); ++i) {
            FakeTicks::advance(step);
            autoClose().AutoCloseTick();
            if (titles.last() != dialog->windowTitle())
                titles << dialog->windowTitle();
        }
        return titles;
    }

private slots:
    void cleanup() { cancelPendingAnswers(); }

    void countsDownOncePerSecondThenPressesEnter()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QStringList titles;
        onNextModal([&](QWidget *w) { titles = runCountdown(w, 250); });
        autoClose().ArmAutoClose(30000, true, true);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("已复制"), mtInformation, mbOKSet, 0), int(mrOk));

        QStringList expected { QStringLiteral("信息") }; // the first tick only finds the dialog
        for (int s = 30; s >= 1; --s)
            expected << TimerDlg::countdownTitle(s, QStringLiteral("信息"));
        expected << QStringLiteral("信息"); // put back at the time-out
        QCOMPARE(titles, expected);
        QCOMPARE(titles.at(1), QStringLiteral("(30)  信息"));
        QVERIFY(!autoClose().isArmed());
    }

    void enterPressesTheDefaultButtonOfAQuestion()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        onNextModal([](QWidget *w) { runCountdown(w, 5000); });
        autoClose().ArmAutoClose(10000, true, true);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("退出?"), mtInformation, mbYesNoSet, 0), int(mrYes));
    }

    void closeRequestInsteadOfEnter()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        onNextModal([](QWidget *w) { runCountdown(w, 5000); });
        autoClose().ArmAutoClose(10000, true, false);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0), int(mrCancel));
    }

    void noCountdownLeavesTheTitleAlone()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QStringList titles;
        onNextModal([&](QWidget *w) { titles = runCountdown(w, 1000); });
        autoClose().ArmAutoClose(5000, false, true);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0), int(mrOk));
        QCOMPARE(titles, QStringList { QStringLiteral("信息") });
    }

    void closedEarlyPostsNothing()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QString titleAfter;
        onNextModal([&](QWidget *w) {
            autoClose().AutoCloseTick();
            QCOMPARE(autoClose().target(), w);
            autoClose().AutoCloseTick();
            QCOMPARE(w->windowTitle(), QStringLiteral("(20)  信息"));
            w->hide(); // as closing does, before the window goes
            autoClose().AutoCloseTick();
            titleAfter = w->windowTitle();
            QVERIFY(!autoClose().isArmed());
            static_cast<QDialog *>(w)->done(mrOk);
        });
        autoClose().ArmAutoClose(20000, true, true);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0), int(mrOk));
        QCOMPARE(titleAfter, QStringLiteral("信息"));
    }

    void armingTwiceCountsOnce()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QString firstTitle;
        onNextModal([&](QWidget *w) {
            autoClose().AutoCloseTick();
            autoClose().AutoCloseTick();
            firstTitle = w->windowTitle();
            runCountdown(w, 1000);
        });
        autoClose().ArmAutoClose(5000, true, true);
        autoClose().ArmAutoClose(30000, true, true);
        messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0);
        QCOMPARE(firstTitle, QStringLiteral("(30)  信息"));
    }

    void noNewDialogAbandonsTheArming()
    {
        FakeTicks ticks;
        QWidget window;
        window.setWindowTitle(QStringLiteral("主窗口"));
        window.show();
        QApplication::setActiveWindow(&window);
        autoClose().ArmAutoClose(30000, true, true);
        autoClose().AutoCloseTick();
        QVERIFY(!autoClose().isArmed());
        QCOMPARE(window.windowTitle(), QStringLiteral("主窗口"));
    }

    void longTitleIsSavedCutTo499Bytes()
    {
        FakeTicks ticks;
        const QString longTitle = QString(300, QChar(0x4E2D)); // 600 bytes in the code page
        // Armed before the dialog exists, as every caller does: a window that already
        // existed at arming is never the target.
        autoClose().ArmAutoClose(3000, true, true);
        QWidget owner;
        MessageDialog dialog(&owner, longTitle, QIcon(), QStringLiteral("x"), mbOKSet);
        QString restored;
        onNextModal([&](QWidget *w) {
            runCountdown(w, 1000);
            restored = w->windowTitle();
        });
        QCOMPARE(dialog.exec(), int(mrOk));
        QCOMPARE(restored, QString(249, QChar(0x4E2D)));
        QCOMPARE(autoClose().savedTitle().size(), 249);
    }

    void aDialogAboveTheTargetEndsTheTiming()
    {
        FakeTicks ticks;
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QString outerTitle;
        bool armedAfter = true;
        onNextModal([&](QWidget *outer) {
            autoClose().AutoCloseTick();
            autoClose().AutoCloseTick();
            QCOMPARE(outer->windowTitle(), QStringLiteral("(30)  信息"));
            onNextModal(
                [&, outer](QWidget *inner) {
                    autoClose().AutoCloseTick(); // the outer one is blocked now
                    armedAfter = autoClose().isArmed();
                    outerTitle = outer->windowTitle();
                    postKey(inner, Qt::Key_Return);
                },
                outer);
            messages.ShowMessageDialog(QStringLiteral("第二个"), mtWarning, mbOKSet, 0);
            postKey(outer, Qt::Key_Return);
        });
        autoClose().ArmAutoClose(30000, true, true);
        messages.ShowMessageDialog(QStringLiteral("第一个"), mtInformation, mbOKSet, 0);
        QVERIFY(!armedAfter);
        QCOMPARE(outerTitle, QStringLiteral("信息"));
    }

    void tickCounterWraps()
    {
        FakeTicks ticks(0xFFFFF000u); // wraps 4096 ms after arming
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QStringList titles;
        onNextModal([&](QWidget *w) { titles = runCountdown(w, 500); });
        autoClose().ArmAutoClose(10000, true, true);
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0), int(mrOk));
        QCOMPARE(titles.size(), 12); // its own, (10) … (1), its own again
    }
};

QTEST_MAIN(TestTimerDlg)
#include "tst_timerdlg.moc"
