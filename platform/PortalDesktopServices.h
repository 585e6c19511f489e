#pragma once

#include "platform/DesktopServices.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QVariantMap>

// Wayland desktops let a program have a desktop-wide shortcut only through the desktop
// portal's GlobalShortcuts interface: the program proposes a key, the desktop asks the user
// (and may let him pick another) and reports each press. Nothing else desktop-wide is
// offered there: no other program's window, no paste.
//
// Every portal call answers through a Request object whose path follows from the handle
// token we choose, so the answer is subscribed to before the call is made.
class PortalDesktopServices : public DesktopServices
{
    Q_OBJECT
public:
    static inline const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString Interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
    // The one shortcut the program binds.
    static inline const QString ShortcutId = QStringLiteral("find");

    // One shortcut as BindShortcuts takes it and answers it: (sa{sv}).
    struct Shortcut
    {
        QString id;
        QVariantMap properties; // description, preferred_trigger; trigger_description in answers
    };

    explicit PortalDesktopServices(const QDBusConnection &bus, QObject *parent = nullptr);
    ~PortalDesktopServices() override;

    // Whether the desktop behind the bus offers the interface (asks it, briefly).
    static bool offered(const QDBusConnection &bus);
    // The portal's spelling of a key combination: Ctrl+Alt+Z is "CTRL+ALT+z". Empty for a
    // combination it cannot express.
    static QString trigger(const QKeySequence &keys);

    Session session() const override;
    Capabilities capabilities() const override;
    // Proposes the key to the desktop; Grabbed means proposed, the desktop decides (and
    // asks the user) later.
    Grab grabShortcut(const QKeySequence &keys) override;
    void releaseShortcut() override;
    WindowId activeWindow() const override;
    bool activateWindow(WindowId window, quint32 timestamp) override;
    bool sendPasteKey(WindowId window, PasteKey key) override;

    // The session handle once the portal made one; empty before.
    QString sessionHandle() const { return m_session; }

private slots:
    // Called by QtDBus, which connects by signature.
    void sessionCreated(uint response, const QVariantMap &results);
    void shortcutsBound(uint response, const QVariantMap &results);
    void portalActivated(const QDBusMessage &message);

private:
    QString nextToken();
    QString requestPath(const QString &token) const;
    void createSession();
    void bind();
    void forgetRequest(QString &path, const char *slot);

    QDBusConnection m_bus;
    QString m_session;
    QString m_trigger;
    QString m_createRequest; // paths of the requests awaiting an answer
    QString m_bindRequest;
    quint32 m_tokens = 0;
};

QDBusArgument &operator<<(QDBusArgument &argument, const PortalDesktopServices::Shortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalDesktopServices::Shortcut &shortcut);
Q_DECLARE_METATYPE(PortalDesktopServices::Shortcut)
