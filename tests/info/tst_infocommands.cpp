#include "app/Fader.h"
#include "app/TForm1.h"
#include "browse/PageTabs.h"
#include "info/InfoTexts.h"
#include "info/Maker.h"
#include "support/Recorders.h"
#include "support/ScratchForm.h"
#include "window/MessageDialog.h"
#include "window/TimerDlg.h"
#include "window/TrayIcon.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Window : ScratchForm
{

    // Triggers a menu item of the window or of the tray menu, or clicks a button.
    void run(const QString &name)
    {
        if (auto *a = form.findChild<QAction *>(name))
            return a->trigger();
        if (auto *a = form.bsTrayIcon1->popupMenu()->findChild<QAction *>(name))
            return a->trigger();
        auto *b = form.findChild<QAbstractButton *>(name);
        QVERIFY2(b, qPrintable(name));
        b->click();
    }
    QWidget *currentPage() const { return form.bsSkinPageControl1->currentWidget(); }
    QWidget *aboutPage() const { return form.pages()->page("bsSkinTabSheet1"); }
};

// What a notice looked like when it was asked for, answered by script.
struct Seen
{
    bool shown = false;
    QString title;
    QString text;
    int timeoutMs = 0;
    QWidget *pageInFront = nullptr;
    QStringList openedWhileShown;
};

// Answers the next notice with OK, recording it and what the window showed at that moment.
std::shared_ptr<Seen> watchNotice(Window &w)
{
    auto seen = std::make_shared<Seen>();
    TbsSkinMessage *messages = w.form.bsSkinMessage1;
    messages->setNextAnswer(mrOk, [seen, &w, messages] {
        const TbsSkinMessage::Shown &shown = messages->scriptedDialogs().last();
        seen->shown = true;
        seen->text = shown.text;
        seen->title = TbsSkinMessage::titleOf(shown.kind);
        seen->timeoutMs = shown.timeoutMs;
        seen->pageInFront = w.currentPage();
        seen->openedWhileShown = w.opener.addresses;
    });
    return seen;
}

const QString HelpText
    = QStringLiteral("Zelto签名字符\r\r欢迎您使用Zelto软件，该软件的内容收集了\r\r大量的信息."
                     "\r\r感谢您支持Zelto软件！\r\r访问Zelto设计室网：\r\r"
                     "http://www.zelto.example.com/blog/\r\r制作人：阿泽\r\rE-mail:zelto.studio@example.com");
const QString AboutText = QStringLiteral("欢迎您使用Zelto软件！\r\r制作人：阿泽\r\rE-mail:zelto.studio@example.com");

} // namespace

class TestInfoCommands : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { cancelPendingAnswers(); }

    void noticesHaveTheirTextKindAndCountdown_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds"); // 0: stays until closed

        const QString info = QStringLiteral("信息");
        for (const char *item : { "N1", "N35", "N44" })
            QTest::newRow(item) << item << info << HelpText << 30;
        for (const char *item : { "N2", "N36", "N45", "N11" })
            QTest::newRow(item) << item << info << AboutText << 10;
        QTest::newRow("N51") << "N51" << info << InfoTexts::advertising() << 0;
        QTest::newRow("N57") << "N57" << info << InfoTexts::donation() << 0;
        QTest::newRow("N58") << "N58" << QStringLiteral("错误") << QStringLiteral("对不起，暂时不支持该功能！") << 0;
    }
    void noticesHaveTheirTextKindAndCountdown()
    {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, seconds);
        FakeTicks ticks;
        Window w;
        auto seen = watchNotice(w);
        w.run(item);
        QVERIFY(seen->shown);
        QCOMPARE(seen->text, text);
        QCOMPARE(seen->title, title);
        QCOMPARE(seen->timeoutMs, seconds * 1000);
        QVERIFY(!autoClose().isArmed());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void advertisingAndDonationCarryTheMakersDetails()
    {
        const QString ad = InfoTexts::advertising();
        QVERIFY(ad.startsWith(QStringLiteral("广告招租说明以及收费：\r\r类型有以下4种：\r\r1、打开软件弹出主页广告")));
        QVERIFY(ad.contains(QStringLiteral(
            "\r\r联系方式\r\rE-mail:zelto.studio@example.com\r\rQQ：80000001\r\r（建议联系我的E-mail，QQ请留言）")));
        QVERIFY(ad.endsWith(QStringLiteral("\r\r感谢您使用Zelto软件！")));

        const QString gift = InfoTexts::donation();
        QVERIFY(gift.startsWith(QStringLiteral("〖捐助说明〗\r\r本软件为免费软件，无需注册")));
        QVERIFY(gift.contains(QStringLiteral("\r\r银行卡信息\r\r发卡银行：") + Maker::BankName
            + QStringLiteral("\r\r卡号：") + Maker::BankCardNumber + QStringLiteral("\r\r户名：")
            + Maker::BankCardHolder + QStringLiteral("\r\r感谢您支持Zelto软件（Zelto设计室）！")));
        QVERIFY(gift.endsWith(QStringLiteral("（注：具体捐助详情请查看主页“捐助中心”）")));
        QVERIFY(!gift.contains(QLatin1Char('\n')));
    }

    void aboutCommandsBringTheAboutPageFirstTheTraysDoesNot_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("bringsAboutPage");
        QTest::newRow("N2 page menu") << "N2" << true;
        QTest::newRow("N36 system menu") << "N36" << true;
        QTest::newRow("N45 menu bar") << "N45" << true;
        QTest::newRow("N11 tray") << "N11" << false;
    }
    void aboutCommandsBringTheAboutPageFirstTheTraysDoesNot()
    {
        QFETCH(QString, item);
        QFETCH(bool, bringsAboutPage);
        FakeTicks ticks;
        Window w;
        QWidget *catalogue = w.form.pages()->page("bsSkinTabSheet14");
        w.form.pages()->showPage(catalogue);
        auto seen = watchNotice(w);
        w.run(item);
        QVERIFY(seen->shown);
        QWidget *expected = bringsAboutPage ? w.aboutPage() : catalogue;
        QCOMPARE(seen->pageInFront, expected); // already while the notice is up
        QCOMPARE(w.currentPage(), expected);
    }

    void trayAboutLeavesTheHiddenWindowHidden()
    {
        FakeTicks ticks;
        Window w;
        w.form.show();
        w.form.hide(); // as in the tray
        auto seen = watchNotice(w);
        w.run(QStringLiteral("N11"));
        QVERIFY(seen->shown);
        QVERIFY(!w.form.isVisible());
    }

    void donationOpensTheHomePageAfterTheNoticeHoweverClosed_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("OK button") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("Escape") << 2;
        QTest::newRow("closed without a button") << 3;
    }
    void donationOpensTheHomePageAfterTheNoticeHoweverClosed()
    {
        QFETCH(int, how);
        Window w;
        QStringList openedWhileShown { QStringLiteral("not seen") };
        onNextModal([&](QWidget *dialog) {
            openedWhileShown = w.opener.addresses;
            switch (how) {
            case 0:
                qobject_cast<MessageDialog *>(dialog)->button(mbOK)->click();
                break;
            case 1:
                postKey(dialog, Qt::Key_Return);
                break;
            case 2:
                postKey(dialog, Qt::Key_Escape);
                break;
            default:
                QMetaObject::invokeMethod(dialog, &QWidget::close, Qt::QueuedConnection);
            }
        });
        w.run(QStringLiteral("N57"));
        QCOMPARE(openedWhileShown, QStringList());
        QCOMPARE(w.opener.addresses, QStringList { Maker::HomePage });
    }

    void linkCommandsOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        const QString upgrade = QStringLiteral("http://www.zelto.example.com/blog/article/zelto-2008-upgrade.html");
        const QString space = QStringLiteral("http://space.example.net/zelto/");
        const QString mail = QStringLiteral("mailto:zelto.studio@example.com");
        QTest::newRow("N56") << "N56" << upgrade;
        QTest::newRow("bsSkinButton3") << "bsSkinButton3" << upgrade;
        QTest::newRow("N38") << "N38" << QStringLiteral("http://www.zelto.example.com/blog/");
        QTest::newRow("bsSkinButton1") << "bsSkinButton1" << space;
        QTest::newRow("MyQzone1") << "MyQzone1" << space;
        QTest::newRow("bsSkinButton2") << "bsSkinButton2" << mail;
        QTest::newRow("Email1") << "Email1" << mail;
        // 设计室 in code page 936 is C9E8 BCC6 CAD2.
        QTest::newRow("QQ1") << "QQ1"
                             << QStringLiteral(
                                    "http://chat.example.net/msgrd?V=1&Uin=80000001&Site=Zelto%C9%E8%BC%C6%CA%D2");
        QTest::newRow("N7") << "N7" << QStringLiteral("http://www.huajun-soft.example.com/");
        QTest::newRow("N49") << "N49" << QStringLiteral("http://www.sky-download.example.org/");
        QTest::newRow("N55") << "N55" << QStringLiteral("http://www.duote-soft.example.net/");
        QTest::newRow("N59") << "N59" << QStringLiteral("http://www.qidian-download.example.com/");
    }
    void linkCommandsOpenTheirAddresses()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        Window w;
        QWidget *page = w.currentPage();
        w.run(item);
        QCOMPARE(w.opener.addresses, QStringList { address });
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w.currentPage(), page);
    }

    void f1ShowsTheHelpNotice()
    {
        FakeTicks ticks;
        Window w;
        w.form.show();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        auto seen = watchNotice(w);
        QTest::keyClick(&w.form, Qt::Key_F1);
        QTRY_VERIFY(seen->shown);
        QCOMPARE(seen->text, HelpText);
        QCOMPARE(seen->timeoutMs, 30000);
    }

    // The tray's "显示主界面" as the window has it wired: each choice starts the fade-in
    // from transparent once, whether the window was hidden or already shown.
    void trayShowMainFadesInFromTransparentEachTime()
    {
        Window w;
        QList<int> opacities;
        recordOpacities(w.form.fader(), opacities);
        w.form.hide();
        w.run(QStringLiteral("N8"));
        QVERIFY(w.form.isVisible());
        QCOMPARE(opacities, QList<int> { 0 });
        w.form.fader()->Timer1Timer();
        QCOMPARE(opacities.last(), Fader::SemiTransparent);
        opacities.clear();
        w.run(QStringLiteral("N8"));
        QCOMPARE(opacities, QList<int> { 0 });
        QVERIFY(w.form.Timer1->isActive());
    }

    void trayAboutOpensAboveANoticeAlreadyUp()
    {
        FakeTicks ticks;
        Window w;
        QStringList order;
        onNextModal([&](QWidget *help) {
            order << QStringLiteral("help shown");
            onNextModal(
                [&](QWidget *about) {
                    order << QStringLiteral("about shown");
                    QCOMPARE(qobject_cast<MessageDialog *>(about)->text(), AboutText);
                    QVERIFY(autoClose().isArmed());
                    postKey(about, Qt::Key_Return);
                },
                help);
            w.run(QStringLiteral("N11")); // runs inside the help notice
            order << QStringLiteral("about closed");
            QVERIFY(help->isVisible());
            postKey(help, Qt::Key_Return);
        });
        w.run(QStringLiteral("N44"));
        order << QStringLiteral("help closed");
        QCOMPARE(order,
            (QStringList { QStringLiteral("help shown"), QStringLiteral("about shown"), QStringLiteral("about closed"),
                QStringLiteral("help closed") }));
    }
};

QTEST_MAIN(TestInfoCommands)
#include "tst_infocommands.moc"
