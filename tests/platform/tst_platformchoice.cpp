#include "platform/PlainWindowPlatform.h"
#include "platform/PlatformChoice.h"

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
        for (const char *name : { "wayland", "wayland-egl" }) {
            const auto wayland = makeWindowPlatform(QString::fromLatin1(name));
            QCOMPARE(typeid(*wayland), typeid(PlainWindowPlatform));
            QVERIFY(!wayland->canPlaceWindows());
        }
        QVERIFY(typeid(*makeWindowPlatform(QStringLiteral("xcb"))) != typeid(PlainWindowPlatform));
    }

    void probeFindsNoServerWhereNoneListens()
    {
        QVERIFY(!PlatformChoice::xServerReachable(QByteArray()));
        QVERIFY(!PlatformChoice::xServerReachable(QByteArrayLiteral(":4711")));
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
