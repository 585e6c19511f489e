#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;
class WindowPlatform;

// The notification-area icon of the main window and the frame's tray behaviour: sending
// the window to the tray, bringing it back by a double-click, and the tray menu with
// "显示主界面", "关于" and "退出". The icon is shown only while the program uses the tray.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    enum class State { Normal, InTray, ShownFromTray };

    // Tells whether the desktop has a notification area right now.
    using Availability = std::function<bool()>;

    static const QString Hint;
    // The notification area takes at most this many bytes of tooltip.
    static constexpr int HintMaxBytes = 127;

    // Without an availability probe the platform is asked each time.
    TrayIcon(QWidget *form, WindowPlatform &platform, Availability available = {});
    ~TrayIcon() override;

    static QString hintText(const QString &hint = Hint);

    // While the tray flag is true, every minimizing sends the window to the tray.
    bool MinimizeToTray() const { return m_minimizeToTray; }
    bool IconVisible() const;
    State state() const;

    QSystemTrayIcon *icon() const { return m_icon; }
    // bsSkinPopupMenu3. It belongs to the icon, not to the window, which is hidden while
    // the menu is most used.
    QMenu *popupMenu() const { return m_menu.get(); }
    // "关于" of that menu; its handler belongs to the information commands.
    QAction *aboutItem() const { return m_about; }

    // The main window's fade-in from transparent; "显示主界面" runs it again when the window
    // is already shown (showing a hidden window starts it by itself).
    void setRestartFadeIn(std::function<void()> fadeIn) { m_restartFadeIn = std::move(fadeIn); }

    // Frame commands.
    void minimizeToTrayCommand();
    void minimizeCommand();
    void restoreFromTray();

    // Tray menu handlers.
    void N8Click();
    void N10Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    bool trayAvailable() const;
    void sendToTray();
    void showForm();
    void buildMenu();

    QPointer<QWidget> m_form;
    WindowPlatform &m_platform;
    Availability m_available;
    QSystemTrayIcon *m_icon;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_about = nullptr;
    std::function<void()> m_restartFadeIn;
    bool m_minimizeToTray = false;
};
