// The shortcut portal against a scripted desktop on a private session bus. The real portal
// (xdg-desktop-portal with a desktop's backend) needs a running Wayland desktop and a user
// to confirm the key, which cannot run headless here; the script answers as the portal's
// documentation says it does, checks what the program asks and presses the key.

#include "platform/PortalDesktopServices.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QKeySequence>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

const QString PeerName = QStringLiteral("peer");
const QString ProgramName = QStringLiteral("program");

// One call the desktop received.
struct Call
{
    QString method;
    QString sender;
    QVariantMap options;
    QString session;
    QList<PortalDesktopServices::Shortcut> shortcuts;
};

QString senderPart(const QString &sender)
{
    QString part = sender.mid(1);
    part.replace(QLatin1Char('.'), QLatin1Char('_'));
    return part;
}

} // namespace

Q_DECLARE_METATYPE(Call)

// The desktop's side of org.freedesktop.portal.GlobalShortcuts: every request is granted.
class ScriptedPortal : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    explicit ScriptedPortal(QObject *object)
        : QDBusAbstractAdaptor(object)
    {
    }
    uint version() const { return 1; }

public slots:
    QDBusObjectPath CreateSession(const QVariantMap &options, const QDBusMessage &message)
    {
        const QString sender = senderPart(message.service());
        const QString session = QStringLiteral("/org/freedesktop/portal/desktop/session/") + sender + QLatin1Char('/')
            + options.value(QStringLiteral("session_handle_token")).toString();
        record({ QStringLiteral("CreateSession"), message.service(), options, {}, {} });
        // The portal answers with the handle as a string.
        return respond(message, options, { { QStringLiteral("session_handle"), session } });
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath &session,
        const QList<PortalDesktopServices::Shortcut> &shortcuts, const QString &, const QVariantMap &options,
        const QDBusMessage &message)
    {
        record({ QStringLiteral("BindShortcuts"), message.service(), options, session.path(), shortcuts });
        QList<PortalDesktopServices::Shortcut> bound = shortcuts;
        for (auto &s : bound)
            s.properties.insert(QStringLiteral("trigger_description"), QStringLiteral("Ctrl+Alt+Z"));
        return respond(message, options, { { QStringLiteral("shortcuts"), QVariant::fromValue(bound) } });
    }

public:
    // Runs on the test's thread with each call, in order.
    QObject *recordOn = nullptr;
    std::function<void(const Call &)> recorded;

private:
    void record(const Call &call)
    {
        QMetaObject::invokeMethod(recordOn, [this, call] { recorded(call); });
    }

    QDBusObjectPath respond(const QDBusMessage &message, const QVariantMap &options, const QVariantMap &results)
    {
        const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/")
            + senderPart(message.service()) + QLatin1Char('/')
            + options.value(QStringLiteral("handle_token")).toString();
        QDBusMessage response = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << 0u << results;
        QDBusConnection(PeerName).send(response);
        return QDBusObjectPath(request);
    }
};

class TestPortalDesktopServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qRegisterMetaType<Call>();
        qDBusRegisterMetaType<PortalDesktopServices::Shortcut>();
        qDBusRegisterMetaType<QList<PortalDesktopServices::Shortcut>>();
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed (tools/deps.sh installs it)");
        m_bus.start(
            daemon, { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address") });
        QVERIFY(m_bus.waitForStarted());
        QTRY_VERIFY(m_bus.canReadLine());
        m_address = QString::fromUtf8(m_bus.readLine().trimmed());
        QVERIFY(QDBusConnection::connectToBus(m_address, ProgramName).isConnected());
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(ProgramName);
        QDBusConnection::disconnectFromBus(PeerName);
        if (m_peerThread.isRunning()) {
            m_peerThread.quit();
            m_peerThread.wait();
        }
        m_bus.kill();
        m_bus.waitForFinished();
    }

    void triggerIsSpelledAsThePortalWantsIt()
    {
        QCOMPARE(
            PortalDesktopServices::trigger(QKeySequence(QStringLiteral("Ctrl+Alt+Z"))), QStringLiteral("CTRL+ALT+z"));
        QCOMPARE(PortalDesktopServices::trigger(QKeySequence(QStringLiteral("Meta+Shift+F5"))),
            QStringLiteral("SHIFT+LOGO+F5"));
        QCOMPARE(
            PortalDesktopServices::trigger(QKeySequence(QStringLiteral("Ctrl+Space"))), QStringLiteral("CTRL+space"));
        QCOMPARE(PortalDesktopServices::trigger(QKeySequence()), QString());
        QCOMPARE(PortalDesktopServices::trigger(QKeySequence(Qt::CTRL | Qt::Key_LaunchMail)), QString());
    }

    // Before the desktop is there, nothing offers the interface.
    void offeredOnlyWhereTheDesktopIs()
    {
        QVERIFY(!PortalDesktopServices::offered(QDBusConnection(ProgramName)));
        startPeer();
        QVERIFY(PortalDesktopServices::offered(QDBusConnection(ProgramName)));
    }

    void bindsTheKeyAndHearsItPressed()
    {
        startPeer();
        QList<Call> calls;
        m_portal->recordOn = this;
        m_portal->recorded = [&](const Call &c) { calls.append(c); };
        const QDBusConnection program(ProgramName);
        PortalDesktopServices services(program);
        QCOMPARE(services.session(), DesktopServices::Session::WaylandPortal);
        QCOMPARE(services.capabilities(), DesktopServices::Capabilities(DesktopServices::Capability::GlobalShortcut));
        QCOMPARE(services.grabShortcut(QKeySequence(QStringLiteral("Launch Mail"))), DesktopServices::Grab::Unusable);

        QCOMPARE(services.grabShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+Z"))), DesktopServices::Grab::Grabbed);
        QTRY_COMPARE(calls.size(), 2);
        QCOMPARE(calls[0].method, QStringLiteral("CreateSession"));
        QCOMPARE(calls[0].sender, program.baseService());
        QVERIFY(!calls[0].options.value(QStringLiteral("handle_token")).toString().isEmpty());
        QVERIFY(!calls[0].options.value(QStringLiteral("session_handle_token")).toString().isEmpty());
        QCOMPARE(calls[1].method, QStringLiteral("BindShortcuts"));
        QVERIFY(!calls[1].options.value(QStringLiteral("handle_token")).toString().isEmpty());
        QVERIFY(calls[1].options.value(QStringLiteral("handle_token"))
            != calls[0].options.value(QStringLiteral("handle_token")));
        QCOMPARE(calls[1].session, services.sessionHandle());
        QVERIFY(calls[1].session.endsWith(calls[0].options.value(QStringLiteral("session_handle_token")).toString()));
        QCOMPARE(calls[1].shortcuts.size(), 1);
        QCOMPARE(calls[1].shortcuts[0].id, PortalDesktopServices::ShortcutId);
        QCOMPARE(calls[1].shortcuts[0].properties.value(QStringLiteral("preferred_trigger")).toString(),
            QStringLiteral("CTRL+ALT+z"));
        QVERIFY(!calls[1].shortcuts[0].properties.value(QStringLiteral("description")).toString().isEmpty());

        QSignalSpy pressed(&services, &DesktopServices::shortcutActivated);
        activate(
            QStringLiteral("/org/freedesktop/portal/desktop/session/other/x"), PortalDesktopServices::ShortcutId, 1);
        activate(services.sessionHandle(), QStringLiteral("another"), 2);
        activate(services.sessionHandle(), PortalDesktopServices::ShortcutId, 4711);
        QTRY_COMPARE(pressed.size(), 1);
        QCOMPARE(pressed.at(0).at(0).value<quint32>(), 4711u);

        // Released, its presses no longer count.
        services.releaseShortcut();
        activate(calls[1].session, PortalDesktopServices::ShortcutId, 5);
        // A round trip to the desktop: the press sent before its answer has arrived by then.
        QVERIFY(PortalDesktopServices::offered(program));
        QCoreApplication::processEvents();
        QCOMPARE(pressed.size(), 1);
    }

private:
    void startPeer()
    {
        if (m_portal)
            return;
        QDBusConnection peer = QDBusConnection::connectToBus(m_address, PeerName);
        QVERIFY(peer.isConnected());
        // Its own thread, so that it answers while the program waits on a call.
        m_peerObject = new QObject;
        m_portal = new ScriptedPortal(m_peerObject);
        m_peerObject->moveToThread(&m_peerThread);
        connect(&m_peerThread, &QThread::finished, m_peerObject, &QObject::deleteLater);
        m_peerThread.start();
        QVERIFY(peer.registerObject(PortalDesktopServices::Path, m_peerObject, QDBusConnection::ExportAdaptors));
        QVERIFY(peer.registerService(PortalDesktopServices::Service));
    }

    void activate(const QString &session, const QString &id, qulonglong timestamp)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            PortalDesktopServices::Path, PortalDesktopServices::Interface, QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << timestamp << QVariantMap();
        QVERIFY(QDBusConnection(PeerName).send(signal));
    }

    QProcess m_bus;
    QString m_address;
    QThread m_peerThread;
    QObject *m_peerObject = nullptr;
    ScriptedPortal *m_portal = nullptr;
};

QTEST_GUILESS_MAIN(TestPortalDesktopServices)
#include "tst_portaldesktopservices.moc"
