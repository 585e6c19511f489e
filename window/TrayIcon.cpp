#include "window/TrayIcon.h"

#include "platform/Gbk.h"
#include "platform/WindowPlatform.h"
#include "window/Guard.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <QWidget>

static void initTrayResource()
{
    Q_INIT_RESOURCE(tray);
}

const QString TrayIcon::Hint = QStringLiteral("Zelto签名字符2008 V2.0.8");

TrayIcon::TrayIcon(QWidget *form, WindowPlatform &platform, Availability available)
    : QObject(form)
    , m_form(form)
    , m_platform(platform)
    , m_available(std::move(available))
{
    initTrayResource();
    setObjectName(QStringLiteral("bsTrayIcon1"));
    m_icon = new QSystemTrayIcon(this);
    m_icon->setObjectName(QStringLiteral("bsTrayIcon1Icon"));
    m_icon->setIcon(QIcon(QStringLiteral(":/window/tray.svg")));
    m_icon->setToolTip(hintText());
    buildMenu();
    connect(m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) { guarded(m_form, [&] { iconActivated(reason); }); });
    connect(qApp, &QCoreApplication::aboutToQuit, m_icon, &QSystemTrayIcon::hide);
    form->installEventFilter(this);
}

TrayIcon::~TrayIcon()
{
    m_icon->hide();
    if (m_form)
        m_form->removeEventFilter(this);
}

QString TrayIcon::hintText(const QString &hint)
{
    return Gbk::truncateToBytes(hint, HintMaxBytes);
}

bool TrayIcon::IconVisible() const
{
    return m_icon->isVisible();
}

TrayIcon::State TrayIcon::state() const
{
    if (!m_minimizeToTray)
        return State::Normal;
    return m_form && m_form->isVisible() ? State::ShownFromTray : State::InTray;
}

bool TrayIcon::trayAvailable() const
{
    return m_available ? m_available() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::buildMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_menu->setObjectName(QStringLiteral("bsSkinPopupMenu3"));

    QAction *show = m_menu->addAction(QStringLiteral("显示主界面"));
    show->setObjectName(QStringLiteral("N8"));
    connect(show, &QAction::triggered, this, guardedSlot(m_form, [this] { N8Click(); }));
    m_menu->addSeparator()->setObjectName(QStringLiteral("N9"));
    m_about = m_menu->addAction(QStringLiteral("关于"));
    m_about->setObjectName(QStringLiteral("N11"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("N12"));
    QAction *exit = m_menu->addAction(QStringLiteral("退出"));
    exit->setObjectName(QStringLiteral("N10"));
    // Shown beside the caption; the main window's own Alt+F4 does the closing.
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    exit->setShortcutContext(Qt::WidgetShortcut);
    connect(exit, &QAction::triggered, this, guardedSlot(m_form, [this] { N10Click(); }));
}

void TrayIcon::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        m_menu->popup(QCursor::pos());
        break;
    case QSystemTrayIcon::DoubleClick:
        restoreFromTray();
        break;
    default:
        break; // a single click does nothing
    }
}

void TrayIcon::sendToTray()
{
    m_form->hide();
    m_icon->show();
}

void TrayIcon::showForm()
{
    if (m_form->isMinimized())
        m_form->setWindowState(m_form->windowState() & ~Qt::WindowMinimized);
    if (!m_form->isVisible())
        m_platform.clearIconicStart(m_form->windowHandle());
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
}

void TrayIcon::minimizeToTrayCommand()
{
    // Without a notification area the window would be hidden with nothing to bring it
    // back: it stays where it is.
    if (!m_form || !trayAvailable())
        return;
    m_minimizeToTray = true;
    sendToTray();
}

void TrayIcon::minimizeCommand()
{
    if (!m_form)
        return;
    if (m_minimizeToTray && trayAvailable())
        sendToTray();
    else
        m_form->showMinimized();
}

void TrayIcon::restoreFromTray()
{
    if (!m_form)
        return;
    m_minimizeToTray = false;
    showForm();
    m_icon->hide();
}

void TrayIcon::N8Click()
{
    if (!m_form)
        return;
    const bool wasShown = m_form->isVisible();
    showForm();
    if (wasShown && m_restartFadeIn)
        m_restartFadeIn();
}

void TrayIcon::N10Click()
{
    if (m_form)
        m_form->close();
}

bool TrayIcon::eventFilter(QObject *watched, QEvent *event)
{
    // A minimize that did not come through the title bar (the window manager, a taskbar)
    // also goes to the tray while the flag is set.
    if (watched == m_form && event->type() == QEvent::WindowStateChange && m_minimizeToTray && m_form->isMinimized()
        && m_form->isVisible()) {
        QTimer::singleShot(0, this, [this] {
            if (m_form && m_minimizeToTray && m_form->isMinimized() && m_form->isVisible() && trayAvailable())
                sendToTray();
        });
    }
    return QObject::eventFilter(watched, event);
}
