#include "platform/DesktopServices.h"
#include "platform/NullDesktopServices.h"
#include "platform/PlainWindowPlatform.h"
#include "platform/PlatformChoice.h"

#include <QKeySequence>
#include <QTemporaryDir>
#include <QTest>

#include <typeinfo>

using PlatformChoice::Session;

class TestPlatformChoice : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<bool>("argument");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x");
        QTest::addColumn<QString>("expected");
        QTest::newRow("wayland desktop with XWayland") << QString() << false << true << true << QStringLiteral("xcb");
        QTest::newRow("wayland desktop without X") << QString() << false << true << false << QStringLiteral("wayland");
        QTest::newRow("X11 desktop: Qt decides") << QString() << false << false << true << QString();
        QTest::newRow("user's variable kept") << QStringLiteral("wayland") << false << true << true << QString();
        QTest::newRow("user's variable kept without X") << QStringLiteral("xcb") << false << true << false << QString();
        QTest::newRow("user's -platform kept") << QString() << true << true << true << QString();
    }
    void choice()
    {
        QFETCH(QString, variable);
        QFETCH(bool, argument);
        QFETCH(bool, wayland);
        QFETCH(bool, x);
        QFETCH(QString, expected);
        QCOMPARE(PlatformChoice::choose(Session { variable, argument, wayland, x }), expected);
    }

    // Only X11 gets the native shell; Wayland's windows cannot place themselves and are
    // moved by the compositor.
    void windowPlatformFollowsThePlugin()
    {
        const auto offscreen = makeWindowPlatform(QStringLiteral("offscreen"));
        QCOMPARE(typeid(*offscreen), typeid(PlainWindowPlatform));
        QVERIFY(offscreen->canPlaceWindows());
        QVERIFY(offscreen->canSetOpacity());
        for (const char *name : { "wayland", "wayland-egl" }) {
            const auto wayland = makeWindowPlatform(QString::fromLatin1(name));
            QCOMPARE(typeid(*wayland), typeid(PlainWindowPlatform));
            QVERIFY(!wayland->canPlaceWindows());
            QVERIFY(!wayland->canSetOpacity());
        }
        const auto x11 = makeWindowPlatform(QStringLiteral("xcb"));
        QVERIFY(typeid(*x11) != typeid(PlainWindowPlatform));
        QVERIFY(x11->canSetOpacity());
    }

    // Where the desktop cannot be reached, the services say so and every call is
    // harmless; the X11 ones too while Qt has no X connection.
    void desktopServicesWithoutADesktopDoNothing()
    {
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        QCOMPARE(typeid(*makeDesktopServices(QStringLiteral("wayland"))), typeid(NullDesktopServices));
        QVERIFY(typeid(*makeDesktopServices(QStringLiteral("xcb"))) != typeid(NullDesktopServices));
        for (const char *name : { "offscreen", "wayland", "xcb" }) {
            const auto services = makeDesktopServices(QString::fromLatin1(name));
            // A Wayland desktop without the shortcut portal says so: the user is told to bind a key.
            QCOMPARE(services->session(),
                qstrcmp(name, "wayland") == 0 ? DesktopServices::Session::Wayland : DesktopServices::Session::None);
            QCOMPARE(services->capabilities(), DesktopServices::Capabilities());
            QCOMPARE(
                services->grabShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+Z"))), DesktopServices::Grab::Unsupported);
            services->releaseShortcut();
            QCOMPARE(services->activeWindow(), DesktopServices::WindowId(0));
            QVERIFY(!services->activateWindow(1, 0));
            QVERIFY(!services->sendPasteKey(1, DesktopServices::PasteKey::ShiftInsert));
        }
    }

    // Shift+Insert unless the user made Ctrl+V the default or lists the window's class,
    // in any case and with any separators; a window without a class gets the default.
    void pasteKeyFollowsTheWindowClass()
    {
        using Key = DesktopServices::PasteKey;
        const QString listed = QStringLiteral(" firefox,Chromium ; code\tKate ");
        QCOMPARE(choosePasteKey(QStringLiteral("XTerm"), listed, false), Key::ShiftInsert);
        QCOMPARE(choosePasteKey(QStringLiteral("Firefox"), listed, false), Key::CtrlV);
        QCOMPARE(choosePasteKey(QStringLiteral("chromium"), listed, false), Key::CtrlV);
        QCOMPARE(choosePasteKey(QStringLiteral("kate"), listed, false), Key::CtrlV);
        QCOMPARE(choosePasteKey(QStringLiteral("Chrom"), listed, false), Key::ShiftInsert);
        QCOMPARE(choosePasteKey(QString(), listed, false), Key::ShiftInsert);
        QCOMPARE(choosePasteKey(QStringLiteral("XTerm"), QString(), true), Key::CtrlV);
    }

    void probeFindsNoServerWhereNoneListens()
    {
        QVERIFY(!PlatformChoice::xServerReachable(QByteArray()));
        QVERIFY(!PlatformChoice::xServerReachable(QByteArrayLiteral(":4711")));
    }

    void missingDisplayIsNamed_data()
    {
        QTest::addColumn<QString>("platforms");
        QTest::addColumn<QByteArray>("x");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<bool>("waylandSession");
        QTest::addColumn<QString>("socketMade");
        QTest::addColumn<QString>("fault");
        const QString none = QStringLiteral("没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置）");
        const QString noX = QStringLiteral("没有 X 显示（DISPLAY 未设置）");
        QTest::newRow("nothing at all") << QString() << QByteArray() << QByteArray() << false << QString() << none;
        QTest::newRow("needs no display")
            << QStringLiteral("offscreen") << QByteArray() << QByteArray() << false << QString() << QString();
        QTest::newRow("X11 with options")
            << QStringLiteral("xcb:foo") << QByteArray() << QByteArray() << false << QString() << noX;
        QTest::newRow("X server gone") << QString() << QByteArrayLiteral(":4711") << QByteArray() << false << QString()
                                       << QStringLiteral("连接不上 X 显示“:4711”");
        QTest::newRow("no compositor's socket, then no X")
            << QStringLiteral("wayland;xcb") << QByteArray() << QByteArrayLiteral("wayland-9") << false << QString()
            << QStringLiteral("找不到 Wayland 显示“wayland-9”；") + noX;
        QTest::newRow("falls back to one without a display")
            << QStringLiteral("wayland;offscreen") << QByteArray() << QByteArray() << false << QString() << QString();
        // Qt's default on a Wayland session; libwayland's default socket name.
        QTest::newRow("default socket of a Wayland session")
            << QString() << QByteArray() << QByteArray() << true << QStringLiteral("wayland-0") << QString();
        QTest::newRow("named socket") << QStringLiteral("wayland") << QByteArray() << QByteArrayLiteral("wayland-1")
                                      << false << QStringLiteral("wayland-1") << QString();
    }
    void missingDisplayIsNamed()
    {
        QFETCH(QString, platforms);
        QFETCH(QByteArray, x);
        QFETCH(QByteArray, wayland);
        QFETCH(bool, waylandSession);
        QFETCH(QString, socketMade);
        QFETCH(QString, fault);
        QTemporaryDir runtime;
        if (!socketMade.isEmpty()) {
            QFile socket(runtime.filePath(socketMade));
            QVERIFY(socket.open(QIODevice::WriteOnly));
        }
        PlatformChoice::Displays displays { x, wayland, false, waylandSession, runtime.path() };
        QCOMPARE(PlatformChoice::missingDisplay(platforms, displays),
            fault.isEmpty() ? QString() : QStringLiteral("无法打开窗口：") + fault);
        displays.waylandSocketGiven = true;
        if (platforms.startsWith(QLatin1String("wayland")))
            QCOMPARE(PlatformChoice::missingDisplay(platforms, displays), QString());
    }

    void environmentIsRead()
    {
        qputenv("QT_QPA_PLATFORM", "");
        qputenv("WAYLAND_DISPLAY", "wayland-1");
        qputenv("DISPLAY", ":4711");
        const Session s = PlatformChoice::current(false);
        QVERIFY(s.platformVariable.isEmpty());
        QVERIFY(s.waylandDisplay);
        QVERIFY(!s.xServerReachable);
        QCOMPARE(PlatformChoice::choose(s), QStringLiteral("wayland"));
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
