#include "skin/SkinTitleBar.h"

#include "platform/WindowPlatform.h"
#include "skin/MovingEvent.h"
#include "skin/Skin.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QWindow>

SkinTitleBar::SkinTitleBar(QWidget *window, Buttons buttons, const WindowPlatform *platform)
    : QWidget(window)
    , m_window(window)
    , m_platform(platform)
    , m_buttons(buttons)
{
    setObjectName(QStringLiteral("skinTitleBar"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(Skin::TitleBarHeight);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(2);

    m_systemMenu = new QMenu(this);
    m_systemMenu->setObjectName(QStringLiteral("skinSystemMenu"));

    if (buttons & SystemMenu) {
        m_menuButton = new QToolButton(this);
        m_menuButton->setObjectName(QStringLiteral("skinSystemMenuButton"));
        m_menuButton->setAccessibleName(QStringLiteral("系统菜单"));
        m_menuButton->setAutoRaise(true);
        m_menuButton->setFocusPolicy(Qt::NoFocus);
        m_menuButton->setIconSize(QSize(18, 18));
        m_menuButton->setIcon(window->windowIcon());
        connect(m_menuButton, &QToolButton::pressed, this, &SkinTitleBar::showSystemMenu);
        layout->addWidget(m_menuButton);
    }

    m_title = new QLabel(window->windowTitle(), this);
    m_title->setObjectName(QStringLiteral("skinTitle"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A long title must never widen a fixed-size window.
    m_title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_title, 1);

    if (buttons & Minimize) {
        QAction *a = m_systemMenu->addAction(QStringLiteral("最小化(&N)"));
        a->setObjectName(QStringLiteral("skinMinimizeAction"));
        connect(a, &QAction::triggered, this, &SkinTitleBar::minimizeRequested);
        connect(addButton(QStringLiteral("skinMinimizeButton"), QStringLiteral("最小化"), QStringLiteral("最小化")),
            &QToolButton::clicked, this, &SkinTitleBar::minimizeRequested);
    }
    if (buttons & MinimizeToTray) {
        QAction *a = m_systemMenu->addAction(QStringLiteral("最小化到系统托盘区(&T)"));
        a->setObjectName(QStringLiteral("skinMinimizeToTrayAction"));
        connect(a, &QAction::triggered, this, &SkinTitleBar::minimizeToTrayRequested);
        connect(addButton(QStringLiteral("skinTrayButton"), QStringLiteral("最小化到系统托盘区"),
                    QStringLiteral("最小化到托盘")),
            &QToolButton::clicked, this, &SkinTitleBar::minimizeToTrayRequested);
    }
    if (buttons & Close) {
        if (!m_systemMenu->isEmpty())
            m_systemMenu->addSeparator();
        QAction *a = m_systemMenu->addAction(QStringLiteral("关闭(&C)\tAlt+F4"));
        a->setObjectName(QStringLiteral("skinCloseAction"));
        connect(a, &QAction::triggered, m_window, &QWidget::close);
        connect(addButton(QStringLiteral("skinCloseButton"), QStringLiteral("关闭"), QStringLiteral("关闭")),
            &QToolButton::clicked, m_window, &QWidget::close);
    }

    window->installEventFilter(this);
}

void SkinTitleBar::setIcon(const QIcon &icon)
{
    if (m_menuButton)
        m_menuButton->setIcon(icon);
}

QToolButton *SkinTitleBar::addButton(const QString &objectName, const QString &toolTip, const QString &name)
{
    auto *b = new QToolButton(this);
    b->setObjectName(objectName);
    b->setAccessibleName(name);
    b->setToolTip(toolTip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    b->setFixedSize(30, 22);
    layout()->addWidget(b);
    return b;
}

void SkinTitleBar::showSystemMenu()
{
    const QPoint at = m_menuButton ? m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height()))
                                   : mapToGlobal(QPoint(0, height()));
    m_systemMenu->exec(at);
    if (m_menuButton)
        m_menuButton->setDown(false);
}

bool SkinTitleBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::WindowTitleChange)
            m_title->setText(m_window->windowTitle());
        else if (event->type() == QEvent::WindowIconChange && m_menuButton)
            m_menuButton->setIcon(m_window->windowIcon());
    }
    return QWidget::eventFilter(watched, event);
}

// Dialogs move the way the window they belong to does.
const WindowPlatform *SkinTitleBar::platform() const
{
    if (m_platform)
        return m_platform;
    for (QWidget *owner = m_window->parentWidget(); owner; owner = owner->window()->parentWidget()) {
        const auto *bar = owner->window()->findChild<SkinTitleBar *>(QString(), Qt::FindDirectChildrenOnly);
        if (bar && bar != this)
            return bar->platform();
    }
    return nullptr;
}

void SkinTitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        // Where a window cannot place itself (Wayland), the compositor moves it.
        const WindowPlatform *shell = platform();
        if (shell && !shell->canPlaceWindows() && m_window->windowHandle()
            && m_window->windowHandle()->startSystemMove()) {
            event->accept();
            return;
        }
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SkinTitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    MovingEvent moving(QRect(event->globalPosition().toPoint() - m_dragOffset, m_window->frameGeometry().size()));
    QApplication::sendEvent(m_window, &moving);
    m_window->move(moving.rect().topLeft());
    event->accept();
}

void SkinTitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void SkinTitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Fixed-size windows: a double click on the title does nothing.
    event->accept();
}
