#include "platform/Gbk.h"
#include "platform/PlainWindowPlatform.h"
#include "support/TestSupport.h"
#include "window/MessageDialog.h"
#include "window/TbsSkinMessage.h"
#include "window/TrayIcon.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace {

// A main window whose close asks first, as the program's close sequence does when the
// exit confirmation is on.
class AskingForm : public QWidget
{
public:
    AskingForm()
        : messages(this)
    {
    }
    TbsSkinMessage messages;
    int questions = 0;
    bool questionWhileHidden = false;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++questions;
        questionWhileHidden = !isVisible();
        if (messages.ShowMessageDialog(QStringLiteral("您真的要退出?"), mtInformation, mbYesNoSet, 0) == mrNo)
            event->ignore();
        else
            event->accept();
    }
};

struct Tray
{
    bool available = true;
    PlainWindowPlatform platform;
    AskingForm form;
    TrayIcon icon { &form, platform, [this] { return available; } };
    int fades = 0;
    Tray()
    {
        icon.setRestartFadeIn([this] { ++fades; });
        form.resize(300, 200);
        form.show();
    }
    QAction *item(const char *name) const { return icon.popupMenu()->findChild<QAction *>(QLatin1String(name)); }
    void activate(QSystemTrayIcon::ActivationReason reason) { emit icon.icon()->activated(reason); }
};

} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT
private slots:
    void startsWithoutIconAndWithItsMenu()
    {
        Tray t;
        QCOMPARE(t.icon.state(), TrayIcon::State::Normal);
        QVERIFY(!t.icon.IconVisible());
        QVERIFY(!t.icon.MinimizeToTray());
        QCOMPARE(t.icon.objectName(), QStringLiteral("bsTrayIcon1"));
        QCOMPARE(t.icon.icon()->toolTip(), QStringLiteral("Zelto签名字符2008 V2.0.8"));
        QVERIFY(!t.icon.icon()->icon().isNull());

        QMenu *menu = t.icon.popupMenu();
        QCOMPARE(menu->objectName(), QStringLiteral("bsSkinPopupMenu3"));
        QStringList shape;
        for (QAction *a : menu->actions())
            shape << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(shape,
            (QStringList { QStringLiteral("N8=显示主界面"), QStringLiteral("N9=-"), QStringLiteral("N11=关于"),
                QStringLiteral("N12=-"), QStringLiteral("N10=退出") }));
        QCOMPARE(t.item("N10")->shortcut().toString(), QStringLiteral("Alt+F4"));
        QVERIFY(t.item("N8")->shortcut().isEmpty());
        QVERIFY(!menu->defaultAction());
    }

    void longHintIsCutToWholeCharactersWithin127Bytes()
    {
        const QString hint = QStringLiteral("签名") + QString(200, QChar(u'字'));
        const QString cut = TrayIcon::hintText(hint);
        QCOMPARE(Gbk::encode(cut).size(), 126); // 63 two-byte characters; a 64th would not fit
        QVERIFY(hint.startsWith(cut));
        QCOMPARE(TrayIcon::hintText(QString(130, QLatin1Char('a'))).size(), 127);
    }

    void stateTableAndItsTransitions()
    {
        Tray t;
        // before any use of the tray the ordinary minimize goes to the taskbar
        t.icon.minimizeCommand();
        QVERIFY(t.form.isMinimized());
        QVERIFY(!t.icon.IconVisible());

        // normal → in tray, by the title-bar button or the system-menu item
        t.icon.minimizeToTrayCommand();
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray);
        QVERIFY(!t.form.isVisible());
        QVERIFY(t.icon.IconVisible());

        // in tray → shown from tray, by "显示主界面": icon and flag stay
        t.item("N8")->trigger();
        QCOMPARE(t.icon.state(), TrayIcon::State::ShownFromTray);
        QVERIFY(t.form.isVisible());
        QVERIFY(t.icon.IconVisible());
        QVERIFY(t.icon.MinimizeToTray());

        // shown from tray → in tray, by the ordinary minimize
        t.icon.minimizeCommand();
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray);
        QVERIFY(!t.form.isVisible());
        QVERIFY(!t.form.isMinimized());

        // in tray → normal, by a double-click; a window minimized before comes back normal
        t.activate(QSystemTrayIcon::DoubleClick);
        QCOMPARE(t.icon.state(), TrayIcon::State::Normal);
        QVERIFY(t.form.isVisible());
        QVERIFY(!t.form.isMinimized());
        QVERIFY(!t.icon.IconVisible());

        // shown from tray → normal by a double-click; the window stays shown
        t.icon.minimizeToTrayCommand();
        t.item("N8")->trigger();
        t.activate(QSystemTrayIcon::DoubleClick);
        QCOMPARE(t.icon.state(), TrayIcon::State::Normal);
        QVERIFY(t.form.isVisible());
        QVERIFY(!t.icon.IconVisible());

        // back in normal the ordinary minimize goes to the taskbar again
        t.icon.minimizeCommand();
        QVERIFY(t.form.isMinimized());
        QVERIFY(t.form.isVisible());
        QVERIFY(!t.icon.IconVisible());
        QCOMPARE(t.icon.state(), TrayIcon::State::Normal);
    }

    void aMinimizeFromOutsideAlsoGoesToTheTrayWhileFlagged()
    {
        Tray t;
        t.icon.minimizeToTrayCommand();
        t.item("N8")->trigger();
        t.form.setWindowState(t.form.windowState() | Qt::WindowMinimized); // e.g. the window manager
        QTRY_VERIFY(!t.form.isVisible());
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray);
        t.item("N8")->trigger();
        QVERIFY(t.form.isVisible());
        QVERIFY(!t.form.isMinimized());
    }

    void singleAndMiddleClicksDoNothingRightButtonOpensTheMenu()
    {
        Tray t;
        t.icon.minimizeToTrayCommand();
        t.activate(QSystemTrayIcon::Trigger);
        t.activate(QSystemTrayIcon::MiddleClick);
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray);
        QVERIFY(!t.icon.popupMenu()->isVisible());

        t.activate(QSystemTrayIcon::Context);
        QVERIFY(t.icon.popupMenu()->isVisible());
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray);
        t.icon.popupMenu()->hide();
    }

    void showMainFadesInAgainOnlyWhereTheShowItselfDoesNot()
    {
        Tray t;
        t.icon.minimizeToTrayCommand();
        t.item("N8")->trigger(); // hidden → shown: the show starts the fade
        QCOMPARE(t.fades, 0);
        t.item("N8")->trigger(); // already shown: fade in again from transparent
        QCOMPARE(t.fades, 1);
        t.item("N8")->trigger();
        QCOMPARE(t.fades, 2);
        QVERIFY(t.icon.IconVisible());
    }

    void withoutNotificationAreaTheWindowIsNeverLost()
    {
        Tray t;
        t.available = false;
        t.icon.minimizeToTrayCommand();
        QVERIFY(t.form.isVisible());
        QVERIFY(!t.form.isMinimized());
        QVERIFY(!t.icon.IconVisible());
        QCOMPARE(t.icon.state(), TrayIcon::State::Normal);

        // The notification area goes away while the flag is set: minimize goes to the taskbar.
        t.available = true;
        t.icon.minimizeToTrayCommand();
        t.item("N8")->trigger();
        t.available = false;
        t.icon.minimizeCommand();
        QVERIFY(t.form.isVisible());
        QVERIFY(t.form.isMinimized());
    }

    void exitFromTheTrayAsksWhileTheWindowIsHidden()
    {
        Tray t;
        t.icon.minimizeToTrayCommand();
        ScriptedDialog refused(t.form.messages, mrNo);
        t.item("N10")->trigger();
        QVERIFY(refused.seen());
        QCOMPARE(t.form.questions, 1);
        QVERIFY(t.form.questionWhileHidden);
        QCOMPARE(t.icon.state(), TrayIcon::State::InTray); // a refused close changes nothing
        QVERIFY(t.icon.IconVisible());

        ScriptedDialog accepted(t.form.messages, mrYes);
        t.item("N10")->trigger();
        QVERIFY(accepted.seen());
        QCOMPARE(t.form.questions, 2);
    }

    void trayMenuAnswersWhileADialogIsUp()
    {
        Tray t;
        t.icon.minimizeToTrayCommand();
        bool shownDuringDialog = false;
        bool menuOpened = false;
        onNextModal([&](QWidget *dialog) {
            t.activate(QSystemTrayIcon::Context);
            QMenu *menu = t.icon.popupMenu();
            menuOpened = QTest::qWaitForWindowExposed(menu);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(t.item("N8")).center());
            shownDuringDialog = t.form.isVisible();
            postKey(dialog, Qt::Key_Return);
        });
        QCOMPARE(
            t.form.messages.ShowMessageDialog(QStringLiteral("已经成功复制"), mtInformation, mbOKSet, 0), int(mrOk));
        QVERIFY(menuOpened);
        QVERIFY(shownDuringDialog);
        QCOMPARE(t.icon.state(), TrayIcon::State::ShownFromTray);
    }
};

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
