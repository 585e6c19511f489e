#include "platform/PortalDesktopServices.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QKeySequence>

namespace {

const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");
constexpr int OfferedTimeoutMs = 2000;

// Keys the portal names by their XKB names; letters and digits are themselves.
QString keyName(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(QLatin1Char(char('a' + (key - Qt::Key_A))));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QChar(QLatin1Char(char('0' + (key - Qt::Key_0))));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    static constexpr struct
    {
        int key;
        const char *name;
    } named[] = {
        { Qt::Key_Space, "space" },
        { Qt::Key_Return, "Return" },
        { Qt::Key_Enter, "KP_Enter" },
        { Qt::Key_Tab, "Tab" },
        { Qt::Key_Escape, "Escape" },
        { Qt::Key_Backspace, "BackSpace" },
        { Qt::Key_Insert, "Insert" },
        { Qt::Key_Delete, "Delete" },
        { Qt::Key_Home, "Home" },
        { Qt::Key_End, "End" },
        { Qt::Key_PageUp, "Page_Up" },
        { Qt::Key_PageDown, "Page_Down" },
        { Qt::Key_Left, "Left" },
        { Qt::Key_Up, "Up" },
        { Qt::Key_Right, "Right" },
        { Qt::Key_Down, "Down" },
        { Qt::Key_Comma, "comma" },
        { Qt::Key_Period, "period" },
        { Qt::Key_Slash, "slash" },
        { Qt::Key_Semicolon, "semicolon" },
        { Qt::Key_Apostrophe, "apostrophe" },
        { Qt::Key_QuoteLeft, "grave" },
        { Qt::Key_Minus, "minus" },
        { Qt::Key_Equal, "equal" },
        { Qt::Key_BracketLeft, "bracketleft" },
        { Qt::Key_BracketRight, "bracketright" },
        { Qt::Key_Backslash, "backslash" },
    };
    for (const auto &n : named) {
        if (n.key == key)
            return QString::fromLatin1(n.name);
    }
    return {};
}

QString pathOf(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path()
                                                                      : value.toString();
}

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const PortalDesktopServices::Shortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalDesktopServices::Shortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

PortalDesktopServices::PortalDesktopServices(const QDBusConnection &bus, QObject *parent)
    : DesktopServices(parent)
    , m_bus(bus)
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<QList<Shortcut>>();
    m_bus.connect(Service, Path, Interface, QStringLiteral("Activated"), this, SLOT(portalActivated(QDBusMessage)));
}

PortalDesktopServices::~PortalDesktopServices()
{
    releaseShortcut();
    m_bus.disconnect(Service, Path, Interface, QStringLiteral("Activated"), this, SLOT(portalActivated(QDBusMessage)));
}

bool PortalDesktopServices::offered(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << Interface << QStringLiteral("version");
    return bus.call(get, QDBus::Block, OfferedTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

QString PortalDesktopServices::trigger(const QKeySequence &keys)
{
    if (keys.isEmpty())
        return {};
    const QKeyCombination combination = keys[0];
    const QString key = keyName(combination.key());
    if (key.isEmpty())
        return {};
    QStringList parts;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        parts << QStringLiteral("CTRL");
    if (modifiers & Qt::AltModifier)
        parts << QStringLiteral("ALT");
    if (modifiers & Qt::ShiftModifier)
        parts << QStringLiteral("SHIFT");
    if (modifiers & Qt::MetaModifier)
        parts << QStringLiteral("LOGO");
    parts << key;
    return parts.join(QLatin1Char('+'));
}

DesktopServices::Session PortalDesktopServices::session() const
{
    return Session::WaylandPortal;
}

DesktopServices::Capabilities PortalDesktopServices::capabilities() const
{
    return Capability::GlobalShortcut;
}

DesktopServices::Grab PortalDesktopServices::grabShortcut(const QKeySequence &keys)
{
    const QString proposed = trigger(keys);
    if (proposed.isEmpty())
        return Grab::Unusable;
    // A session binds its shortcuts once: another key takes a new session.
    releaseShortcut();
    m_trigger = proposed;
    createSession();
    return Grab::Grabbed;
}

void PortalDesktopServices::releaseShortcut()
{
    forgetRequest(m_createRequest, SLOT(sessionCreated(uint, QVariantMap)));
    forgetRequest(m_bindRequest, SLOT(shortcutsBound(uint, QVariantMap)));
    if (!m_session.isEmpty())
        m_bus.asyncCall(QDBusMessage::createMethodCall(Service, m_session, SessionInterface, QStringLiteral("Close")));
    m_session.clear();
    m_trigger.clear();
}

DesktopServices::WindowId PortalDesktopServices::activeWindow() const
{
    return 0;
}

bool PortalDesktopServices::activateWindow(WindowId, quint32)
{
    return false;
}

bool PortalDesktopServices::sendPasteKey(WindowId, PasteKey)
{
    return false;
}

QString PortalDesktopServices::nextToken()
{
    return QStringLiteral("zelto_%1_%2").arg(QCoreApplication::applicationPid()).arg(++m_tokens);
}

QString PortalDesktopServices::requestPath(const QString &token) const
{
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender + QLatin1Char('/') + token;
}

void PortalDesktopServices::forgetRequest(QString &path, const char *slot)
{
    if (path.isEmpty())
        return;
    m_bus.disconnect(Service, path, RequestInterface, QStringLiteral("Response"), this, slot);
    path.clear();
}

void PortalDesktopServices::createSession()
{
    const QString token = nextToken();
    m_createRequest = requestPath(token);
    m_bus.connect(Service, m_createRequest, RequestInterface, QStringLiteral("Response"), this,
        SLOT(sessionCreated(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CreateSession"));
    call << QVariantMap { { QStringLiteral("handle_token"), token },
        { QStringLiteral("session_handle_token"), nextToken() } };
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, request = m_createRequest](QDBusPendingCallWatcher *w) {
            if (w->isError() && request == m_createRequest)
                forgetRequest(m_createRequest, SLOT(sessionCreated(uint, QVariantMap)));
            w->deleteLater();
        });
}

void PortalDesktopServices::sessionCreated(uint response, const QVariantMap &results)
{
    forgetRequest(m_createRequest, SLOT(sessionCreated(uint, QVariantMap)));
    if (response != 0)
        return;
    m_session = pathOf(results.value(QStringLiteral("session_handle")));
    if (!m_session.isEmpty() && !m_trigger.isEmpty())
        bind();
}

void PortalDesktopServices::bind()
{
    const QString token = nextToken();
    m_bindRequest = requestPath(token);
    m_bus.connect(Service, m_bindRequest, RequestInterface, QStringLiteral("Response"), this,
        SLOT(shortcutsBound(uint, QVariantMap)));
    const QList<Shortcut> shortcuts { { ShortcutId,
        { { QStringLiteral("description"), QStringLiteral("打开“查找与收藏”") },
            { QStringLiteral("preferred_trigger"), m_trigger } } } };
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts) << QString()
         << QVariantMap { { QStringLiteral("handle_token"), token } };
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this, request = m_bindRequest](QDBusPendingCallWatcher *w) {
            if (w->isError() && request == m_bindRequest)
                forgetRequest(m_bindRequest, SLOT(shortcutsBound(uint, QVariantMap)));
            w->deleteLater();
        });
}

void PortalDesktopServices::shortcutsBound(uint, const QVariantMap &)
{
    // The user may have declined or chosen another key: the portal's own dialog has told
    // him, and presses arrive as Activated either way.
    forgetRequest(m_bindRequest, SLOT(shortcutsBound(uint, QVariantMap)));
}

void PortalDesktopServices::portalActivated(const QDBusMessage &message)
{
    // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QVariantList arguments = message.arguments();
    if (message.signature() != QLatin1String("osta{sv}") || m_session.isEmpty())
        return;
    if (pathOf(arguments.at(0)) == m_session && arguments.at(1).toString() == ShortcutId)
        emit shortcutActivated(quint32(arguments.at(2).toULongLong()));
}
