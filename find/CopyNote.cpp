#include "find/CopyNote.h"

#include "widgets/Announcement.h"

#include <QGuiApplication>
#include <QScreen>

CopyNote::CopyNote(QWidget *parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("copyNote"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    setFocusPolicy(Qt::NoFocus);
    setMargin(4);
    m_timer.setSingleShot(true);
    m_timer.setInterval(ShownMs);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::hide);
}

void CopyNote::showNear(const QPoint &globalPos, const QString &text)
{
    setText(text);
    adjustSize();
    QPoint at = globalPos + QPoint(12, 16);
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        at.setX(std::min(at.x(), area.right() - width()));
        at.setY(std::min(at.y(), area.bottom() - height()));
    }
    move(at);
    show();
    raise();
    Announcement::announce(this, text);
    m_timer.start();
}
