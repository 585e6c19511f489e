#include "support/TestSupport.h"
#include "window/MessageDialog.h"
#include "window/MessageLayout.h"
#include "window/TbsSkinMessage.h"

#include <QLabel>
#include <QPushButton>

class TestMessageDialog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { cancelPendingAnswers(); }

    void layoutArithmetic()
    {
        // Empty text with {OK}: the row of one button plus 40, before the frame's minimum.
        MessageLayout l = MessageLayout::compute(QSize(4, 16), 1, 22, 180, 1280, 2);
        QCOMPARE(l.uncheckedClientWidth, 100);
        QCOMPARE(l.clientSize, QSize(178, 22 + 16 + 50));
        QCOMPARE(l.buttonRects.at(0), QRect((178 - 60) / 2, 88 - 22 - 10, 60, 22));
        QCOMPARE(l.labelPos, QPoint(50, 15));
        QCOMPARE(l.iconRect, QRect(5, 10, 32, 32)); // 15 + 8 - 16 is below the floor of 10

        // A wide text widens the dialog; the buttons stay centred.
        l = MessageLayout::compute(QSize(500, 80), 2, 22, 180, 1280, 2);
        QCOMPARE(l.clientSize.width(), 50 + 500 + 40);
        QCOMPARE(l.buttonRowWidth, 130);
        QCOMPARE(l.buttonRects.at(0).left(), (590 - 130) / 2);
        QCOMPARE(l.buttonRects.at(1).left(), (590 - 130) / 2 + 70);
        QCOMPARE(l.iconRect.top(), 15 + 40 - 16);

        // Held to the work area.
        l = MessageLayout::compute(QSize(3000, 16), 1, 25, 180, 800, 2);
        QCOMPARE(l.clientSize.width(), 798);
        QCOMPARE(l.buttonRects.at(0).height(), 25);

        l = MessageLayout::compute(QSize(10, 16), 0, 22, 0, 0, 0);
        QCOMPARE(l.buttonRowWidth, 0);
        QVERIFY(l.buttonRects.isEmpty());
    }

    void buttonsNamesCaptionsAndOrder()
    {
        MessageDialog d(nullptr, QStringLiteral("t"), QIcon(), QStringLiteral("x"),
            buttonBit(mbHelp) | buttonBit(mbNo) | buttonBit(mbYes) | buttonBit(mbCancel));
        QPushButton *yes = d.button(mbYes);
        QPushButton *no = d.button(mbNo);
        QPushButton *cancel = d.button(mbCancel);
        QPushButton *help = d.button(mbHelp);
        QVERIFY(yes && no && cancel && help && !d.button(mbOK));
        QCOMPARE(yes->text(), QStringLiteral("是(&Y)"));
        QCOMPARE(no->text(), QStringLiteral("否(&N)"));
        QCOMPARE(cancel->text(), QStringLiteral("取消"));
        QCOMPARE(help->objectName(), QStringLiteral("Help"));
        QVERIFY(yes->x() < no->x() && no->x() < cancel->x() && cancel->x() < help->x());
        QVERIFY(yes->isDefault());
        QCOMPARE(MessageDialog::cancelButtonOf(buttonBit(mbYes) | buttonBit(mbNo) | buttonBit(mbCancel)), mbCancel);
        QCOMPARE(MessageDialog::defaultButtonOf(buttonBit(mbAbort) | buttonBit(mbRetry)), mbRetry);
        QCOMPARE(MessageDialog::cancelButtonOf(buttonBit(mbAbort)), mbOK);
        QCOMPARE(d.findChild<QLabel *>(QStringLiteral("Message"))->text(), QStringLiteral("x"));
        QVERIFY(d.findChild<QLabel *>(QStringLiteral("Image")));
    }

    void carriageReturnsBreakLines()
    {
        MessageDialog d(nullptr, QString(), QIcon(), QStringLiteral("a\r\rb"), mbOKSet);
        QCOMPARE(d.findChild<QLabel *>(QStringLiteral("Message"))->text(), QStringLiteral("a\n\nb"));
        QCOMPARE(d.text(), QStringLiteral("a\r\rb"));
    }

    void keyboardResults_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("yes-no enter") << int(mbYesNoSet) << int(Qt::Key_Return) << int(mrYes);
        QTest::newRow("yes-no escape") << int(mbYesNoSet) << int(Qt::Key_Escape) << int(mrNo);
        QTest::newRow("ok enter") << int(mbOKSet) << int(Qt::Key_Return) << int(mrOk);
        QTest::newRow("ok escape") << int(mbOKSet) << int(Qt::Key_Escape) << int(mrOk);
    }
    void keyboardResults()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, result);
        QWidget owner;
        TbsSkinMessage messages(&owner);
        auto answer = answerNextWith(Qt::Key(key));
        QCOMPARE(
            messages.ShowMessageDialog(QStringLiteral("问题"), mtConfirmation, TMsgDlgButtons(buttons), 0), result);
        QVERIFY(answer->seen);
        QCOMPARE(answer->title, QStringLiteral("确认"));
    }

    void closedWithoutAButtonGivesTwo()
    {
        QWidget owner;
        TbsSkinMessage messages(&owner);
        onNextModal([](QWidget *w) { QMetaObject::invokeMethod(w, &QWidget::close, Qt::QueuedConnection); });
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbYesNoSet, 0), int(mrCancel));
    }

    void enterPressesTheFocusedButton()
    {
        QWidget owner;
        TbsSkinMessage messages(&owner);
        onNextModal([](QWidget *w) {
            auto *d = static_cast<MessageDialog *>(w);
            d->button(mbNo)->setFocus();
            postKey(w, Qt::Key_Return);
        });
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbYesNoSet, 0), int(mrNo));
    }

    void helpButtonDoesNotClose()
    {
        QWidget owner;
        TbsSkinMessage messages(&owner);
        onNextModal([](QWidget *w) {
            auto *d = static_cast<MessageDialog *>(w);
            d->button(mbHelp)->click();
            QVERIFY(d->isVisible());
            d->button(mbOK)->click();
        });
        QCOMPARE(messages.ShowMessageDialog(QStringLiteral("x"), mtWarning, mbOKSet | buttonBit(mbHelp), 0), int(mrOk));
    }

    void kindsGiveTitles()
    {
        QCOMPARE(TbsSkinMessage::titleOf(mtWarning), QStringLiteral("警告"));
        QCOMPARE(TbsSkinMessage::titleOf(mtError), QStringLiteral("错误"));
        QCOMPARE(TbsSkinMessage::titleOf(mtInformation), QStringLiteral("信息"));
        QCOMPARE(TbsSkinMessage::titleOf(mtConfirmation), QStringLiteral("确认"));
        QCOMPARE(TbsSkinMessage::titleOf(mtCustom), QStringLiteral("Zelto签名字符2008 V4.0.3"));
    }

    void opacityAppliesToTheNextDialog()
    {
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QCOMPARE(messages.AlphaBlendValue(), 200);
        messages.SetAlphaBlend(true);
        messages.SetAlphaBlendValue(220);
        double seen = 0;
        onNextModal([&seen](QWidget *w) {
            seen = w->windowOpacity();
            postKey(w, Qt::Key_Return);
        });
        messages.ShowMessageDialog(QStringLiteral("x"), mtInformation, mbOKSet, 0);
        QCOMPARE(qRound(seen * 255), 220);
    }

    void dialogIsCentredOnTheScreen()
    {
        QWidget owner;
        TbsSkinMessage messages(&owner);
        QRect geometry;
        onNextModal([&geometry](QWidget *w) {
            geometry = w->frameGeometry();
            postKey(w, Qt::Key_Return);
        });
        messages.ShowMessageDialog(QStringLiteral("居中"), mtInformation, mbOKSet, 0);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(geometry.left(), (screen.width() - geometry.width()) / 2);
        QCOMPARE(geometry.top(), (screen.height() - geometry.height()) / 2);
    }
};

QTEST_MAIN(TestMessageDialog)
#include "tst_messagedialog.moc"
