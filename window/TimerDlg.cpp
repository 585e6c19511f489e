#include "window/TimerDlg.h"

#include "platform/Gbk.h"
#include "platform/Ticks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// The auto-close's state lives here, once per process.
QList<QPointer<QWidget>> g_snapshot;
bool g_hasSnapshot = false;
QList<QPointer<QWidget>> g_candidates;
QPointer<QWidget> g_target;
bool g_hasTarget = false;
int g_timeout = 0;
quint32 g_startTick = 0;
bool g_showCountdown = false;
bool g_pressEnter = false;
int g_shownSeconds = 0;
QString g_savedTitle;
QPointer<QTimer> g_timer;
int g_searchTicks = 0;

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

bool inSnapshot(const QWidget *w)
{
    return std::any_of(g_snapshot.cbegin(), g_snapshot.cend(), [w](const QPointer<QWidget> &p) { return p == w; });
}

} // namespace

namespace TimerDlg {

QString countdownTitle(int seconds, const QString &savedTitle)
{
    // "(%d)%2s%s" with a one-blank string: the blank padded to two.
    return QStringLiteral("(%1)  %2").arg(seconds).arg(savedTitle);
}

void ResetAutoClose()
{
    if (g_hasTarget && g_target)
        g_target->setWindowTitle(g_savedTitle);
    if (g_timer) {
        g_timer->stop();
        g_timer->deleteLater();
    }
    g_timer = nullptr;
    g_target = nullptr;
    g_hasTarget = false;
    g_snapshot.clear();
    g_candidates.clear();
    g_hasSnapshot = false;
    g_timeout = 0;
    g_searchTicks = 0;
}

void ArmAutoClose(int timeoutMs, bool showCountdown, bool pressEnter)
{
    ResetAutoClose();
    collect(true, g_snapshot);
    g_hasSnapshot = true;
    g_candidates.clear();
    g_timer = new QTimer(qApp);
    g_timer->setInterval(TickIntervalMs);
    QObject::connect(g_timer.data(), &QTimer::timeout, qApp, &AutoCloseTick);
    g_timer->start();
    g_startTick = Ticks::now();
    g_showCountdown = showCountdown;
    g_timeout = timeoutMs;
    g_pressEnter = pressEnter;
}

void AutoCloseTick()
{
    if (!g_hasTarget && g_candidates.isEmpty() && g_hasSnapshot) {
        collect(false, g_candidates);
        QWidget *active = QApplication::activeWindow();
        for (const QPointer<QWidget> &c : std::as_const(g_candidates)) {
            if (c && c == active && !inSnapshot(c)) {
                g_target = c;
                g_hasTarget = true;
            }
        }
        if (!g_hasTarget) {
            const bool newWindowAwaitsActivation = std::any_of(
                g_candidates.cbegin(), g_candidates.cend(), [](const QPointer<QWidget> &c) { return c && !inSnapshot(c); });
            if (newWindowAwaitsActivation && ++g_searchTicks < MaxActivationWaitTicks) {
                g_candidates.clear();
                return;
            }
            ResetAutoClose();
            return;
        }
        g_startTick = Ticks::now();
        g_savedTitle = Gbk::truncateToBytes(g_target->windowTitle(), SavedTitleMaxBytes);
        g_shownSeconds = 0;
        return; // the countdown starts with the next tick
    }
    if (!g_hasTarget)
        return;

    if (!g_target || !g_target->isVisible() || isBlocked(g_target)) {
        ResetAutoClose();
        return;
    }
    const qint64 elapsed = qint64(quint32(Ticks::now() - g_startTick));
    const qint64 remaining = qint64(g_timeout) - elapsed - 1;
    if (remaining <= 0) {
        QWidget *t = g_target;
        if (g_pressEnter) {
            QCoreApplication::postEvent(t, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
            QCoreApplication::postEvent(t, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
        } else {
            QMetaObject::invokeMethod(t, &QWidget::close, Qt::QueuedConnection);
        }
        ResetAutoClose();
        return;
    }
    if (g_showCountdown) {
        const int seconds = int((remaining + 1000) / 1000);
        if (seconds != g_shownSeconds) {
            g_target->setWindowTitle(countdownTitle(seconds, g_savedTitle));
            g_shownSeconds = seconds;
        }
    }
}

bool isArmed() { return g_hasSnapshot || g_hasTarget; }
QWidget *target() { return g_target; }
QString savedTitle() { return g_savedTitle; }

} // namespace TimerDlg
