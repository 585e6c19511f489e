#include "platform/DesktopServices.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

const QKeySequence Shortcut(QStringLiteral("Ctrl+Alt+Z"));

void press(const QString &keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }), 0);
}

// Another program on its own connection, grabbing keys on the root window.
class OtherClient
{
public:
    OtherClient()
        : m_c(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root)
    {
    }
    ~OtherClient() { xcb_disconnect(m_c); }

    // The key that types the keysym without Shift.
    xcb_keycode_t keycodeOf(xcb_keysym_t sym) const
    {
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *r = xcb_get_keyboard_mapping_reply(
            m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, quint8(count)), nullptr);
        xcb_keycode_t found = 0;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(r);
        for (int i = 0; i < count && !found; ++i) {
            if (syms[i * r->keysyms_per_keycode] == sym)
                found = xcb_keycode_t(setup->min_keycode + i);
        }
        std::free(r);
        return found;
    }

    // Whether the grab was granted.
    bool grab(xcb_keycode_t key, quint16 modifiers)
    {
        xcb_generic_error_t *error = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, m_root, modifiers, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return !error;
    }
    // Returns once the server has let the key go.
    void ungrab(xcb_keycode_t key, quint16 modifiers)
    {
        std::free(xcb_request_check(m_c, xcb_ungrab_key_checked(m_c, key, m_root, modifiers)));
    }

private:
    xcb_connection_t *m_c;
    xcb_window_t m_root;
};

} // namespace

class TestX11DesktopServices : public QObject
{
    Q_OBJECT
    std::unique_ptr<DesktopServices> services;

private slots:
    void init()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run through x11-session.sh)");
        services = makeDesktopServices(QGuiApplication::platformName());
    }
    void cleanup() { services.reset(); }

    void sessionSaysWhatItCanDo()
    {
        QCOMPARE(services->session(), DesktopServices::Session::X11);
        QCOMPARE(services->capabilities(),
            DesktopServices::Capability::GlobalShortcut | DesktopServices::Capability::ActiveWindow
                | DesktopServices::Capability::PasteKey);
    }

    // The key works whether Num Lock is on or off.
    void grabbedKeyActivatesWithNumLockOnAndOff()
    {
        QCOMPARE(services->grabShortcut(Shortcut), DesktopServices::Grab::Grabbed);
        QSignalSpy activated(services.get(), &DesktopServices::shortcutActivated);
        press(QStringLiteral("ctrl+alt+z"));
        QTRY_COMPARE(activated.size(), 1);
        QVERIFY(activated.first().first().toUInt() != 0);
        press(QStringLiteral("Num_Lock"));
        press(QStringLiteral("ctrl+alt+z"));
        press(QStringLiteral("Num_Lock"));
        QTRY_COMPARE(activated.size(), 2);
    }

    // A key another program holds is reported and the key held so far stays; a released
    // key is free for others in every lock state.
    void keyTakenByAnotherProgramIsReported()
    {
        OtherClient other;
        const xcb_keycode_t z = other.keycodeOf('z');
        QVERIFY(z);
        const quint16 ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        QVERIFY(other.grab(z, ctrlAlt));
        QCOMPARE(
            services->grabShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F12"))), DesktopServices::Grab::Grabbed);
        QCOMPARE(services->grabShortcut(Shortcut), DesktopServices::Grab::Taken);
        QSignalSpy activated(services.get(), &DesktopServices::shortcutActivated);
        press(QStringLiteral("ctrl+shift+F12"));
        QTRY_COMPARE(activated.size(), 1);

        other.ungrab(z, ctrlAlt);
        QCOMPARE(services->grabShortcut(Shortcut), DesktopServices::Grab::Grabbed);
        QVERIFY(!other.grab(z, XCB_MOD_MASK_ANY));
        services->releaseShortcut();
        QVERIFY(other.grab(z, XCB_MOD_MASK_ANY));
    }

    void unknownKeyIsUnusable()
    {
        QCOMPARE(services->grabShortcut(QKeySequence()), DesktopServices::Grab::Unusable);
        QCOMPARE(services->grabShortcut(QKeySequence(Qt::CTRL | Qt::Key_LaunchMail)), DesktopServices::Grab::Unusable);
    }

    // What the paste of a picked entry does: activate the window the user was typing in,
    // then type the paste key into it.
    void pastesIntoTheActivatedWindowOnly()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("(^o^)"));
        QLineEdit target;
        QLineEdit other;
        target.setWindowTitle(QStringLiteral("target"));
        other.setWindowTitle(QStringLiteral("other"));
        target.show();
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        const auto targetId = DesktopServices::WindowId(target.winId());
        // openbox gives the keyboard to the window mapped last, in its own time.
        QTRY_COMPARE(services->activeWindow(), DesktopServices::WindowId(other.winId()));

        QVERIFY(services->activateWindow(targetId, 0));
        QTRY_COMPARE(services->activeWindow(), targetId);
        QVERIFY(!services->sendPasteKey(DesktopServices::WindowId(other.winId()), DesktopServices::PasteKey::CtrlV));
        QVERIFY(services->sendPasteKey(targetId, DesktopServices::PasteKey::ShiftInsert));
        QTRY_COMPARE(target.text(), QStringLiteral("(^o^)"));
        QVERIFY(services->sendPasteKey(targetId, DesktopServices::PasteKey::CtrlV));
        QTRY_COMPARE(target.text(), QStringLiteral("(^o^)(^o^)"));
        QCOMPARE(other.text(), QString());
    }
};

QTEST_MAIN(TestX11DesktopServices)
#include "tst_x11desktopservices.moc"
