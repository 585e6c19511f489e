#include "window/TimerDlg.h"

#include "platform/Gbk.h"
#include "platform/Ticks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// A new window may be shown but not yet active: the window system activates it a little
// later than Windows would deliver the first, low-priority tick. Wait that long at most.
constexpr int MaxActivationWaitTicks = 10;

// A window is "disabled" here when a modal window above it blocks its input.
bool isBlocked(const QWidget *w)
{
    if (!w->isEnabled())
        return true;
    const auto tops = QApplication::topLevelWidgets();
    for (const QWidget *other : tops) {
        if (other == w || !other->isVisible() || !other->isModal())
            continue;
        if (other->windowModality() == Qt::ApplicationModal)
            return true;
        for (const QWidget *p = other->parentWidget(); p; p = p->parentWidget()) {
            if (p->window() == w)
                return true;
        }
    }
    return false;
}

void collect(bool all, QList<QPointer<QWidget>> &into)
{
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *w : tops) {
        if (all || (w->isVisible() && !isBlocked(w)))
            into.append(w);
    }
}

} // namespace

TimerDlg::TimerDlg(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("TimerDlg"));
}

TimerDlg::~TimerDlg()
{
    ResetAutoClose();
}

QString TimerDlg::countdownTitle(int seconds, const QString &savedTitle)
{
    // "(%d)%2s%s" with a one-blank string: the blank padded to two.
    return QStringLiteral("(%1)  %2").arg(seconds).arg(savedTitle);
}

void TimerDlg::ResetAutoClose()
{
    if (m_hasTarget && m_target)
        m_target->setWindowTitle(m_savedTitle);
    if (m_timer) {
        m_timer->stop();
        m_timer->deleteLater(); // a tick may be what resets
        m_timer = nullptr;
    }
    m_target = nullptr;
    m_hasTarget = false;
    m_snapshot.clear();
    m_candidates.clear();
    m_hasSnapshot = false;
    m_timeout = 0;
    m_searchTicks = 0;
}

void TimerDlg::ArmAutoClose(int timeoutMs, bool showCountdown, bool pressEnter)
{
    ResetAutoClose();
    collect(true, m_snapshot);
    m_hasSnapshot = true;
    m_candidates.clear();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("AutoCloseTimer"));
    m_timer->setInterval(TickIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &TimerDlg::AutoCloseTick);
    m_timer->start();
    m_startTick = Ticks::now();
    m_showCountdown = showCountdown;
    m_timeout = timeoutMs;
    m_pressEnter = pressEnter;
}

// The first tick after arming: the new active window becomes the target, or the search
// goes on for a few ticks, or the arming is abandoned.
void TimerDlg::findTarget()
{
    collect(false, m_candidates);
    const auto inSnapshot = [this](const QWidget *w) {
        return std::any_of(m_snapshot.cbegin(), m_snapshot.cend(), [w](const QPointer<QWidget> &p) { return p == w; });
    };
    QWidget *active = QApplication::activeWindow();
    for (const QPointer<QWidget> &c : std::as_const(m_candidates)) {
        if (c && c == active && !inSnapshot(c)) {
            m_target = c;
            m_hasTarget = true;
        }
    }
    if (!m_hasTarget) {
        const bool newWindowAwaitsActivation = std::any_of(m_candidates.cbegin(), m_candidates.cend(),
            [&](const QPointer<QWidget> &c) { return c && !inSnapshot(c); });
        if (newWindowAwaitsActivation && ++m_searchTicks < MaxActivationWaitTicks) {
            m_candidates.clear();
            return;
        }
        ResetAutoClose();
        return;
    }
    m_startTick = Ticks::now();
    m_savedTitle = Gbk::truncateToBytes(m_target->windowTitle(), SavedTitleMaxBytes);
    m_shownSeconds = 0;
}

void TimerDlg::AutoCloseTick()
{
    if (!m_hasTarget && m_candidates.isEmpty() && m_hasSnapshot) {
        findTarget();
        return; // the countdown starts with the next tick
    }
    if (!m_hasTarget)
        return;

    if (!m_target || !m_target->isVisible() || isBlocked(m_target)) {
        ResetAutoClose();
        return;
    }
    const qint64 elapsed = qint64(quint32(Ticks::now() - m_startTick));
    const qint64 remaining = qint64(m_timeout) - elapsed - 1;
    if (remaining <= 0) {
        QWidget *t = m_target;
        if (m_pressEnter) {
            QCoreApplication::postEvent(
                t, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
            QCoreApplication::postEvent(
                t, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
        } else {
            QMetaObject::invokeMethod(t, &QWidget::close, Qt::QueuedConnection);
        }
        ResetAutoClose();
        return;
    }
    if (m_showCountdown) {
        const int seconds = int((remaining + 1000) / 1000);
        if (seconds != m_shownSeconds) {
            m_target->setWindowTitle(countdownTitle(seconds, m_savedTitle));
            m_shownSeconds = seconds;
        }
    }
}
