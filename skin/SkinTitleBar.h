#pragma once

#include <QPoint>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;
class WindowPlatform;

// The title bar of a skinned window: system-menu button, the window's title, and the
// buttons the window asks for. Dragging it moves the window, passing every proposed
// rectangle to the window as a MovingEvent first.
class SkinTitleBar : public QWidget
{
    Q_OBJECT
public:
    enum Button { NoButtons = 0, SystemMenu = 1, Minimize = 2, MinimizeToTray = 4, Close = 8 };
    Q_DECLARE_FLAGS(Buttons, Button)

    SkinTitleBar(QWidget *window, Buttons buttons, const WindowPlatform *platform = nullptr);

    // The frame's own system menu; the program appends its items at the end.
    QMenu *systemMenu() const { return m_systemMenu; }
    Buttons buttons() const { return m_buttons; }
    void setIcon(const QIcon &icon);

signals:
    void minimizeRequested();
    void minimizeToTrayRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QToolButton *addButton(const QString &objectName, const QString &toolTip, const QString &name);
    void showSystemMenu();
    const WindowPlatform *platform() const;

    QWidget *m_window;
    const WindowPlatform *m_platform;
    Buttons m_buttons;
    QToolButton *m_menuButton = nullptr;
    QLabel *m_title = nullptr;
    QMenu *m_systemMenu = nullptr;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SkinTitleBar::Buttons)
