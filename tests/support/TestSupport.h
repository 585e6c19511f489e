#pragma once

// Helpers shared by the widget tests: answering modal dialogs, recording addresses,
// driving the tick counter.

#include "platform/AddressOpener.h"
#include "platform/Ticks.h"
#include "window/TbsSkinMessage.h"
#include "window/TimerDlg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

class RecordingOpener final : public AddressOpener
{
public:
    void open(const QString &address) override { addresses.append(address); }
    QStringList addresses;
};

// Upper bounds for conditions a test waits on (a dialog or a fade coming, a child process
// answering, background work finishing), and how long it watches for what must not happen.
inline constexpr int DialogWaitMs = 5000;
inline constexpr int ProcessWaitMs = 10000;
inline constexpr int SlowWorkWaitMs = 30000;
inline constexpr int QuietWaitMs = 400;

// Answers the next dialog of `messages` with `answer` without showing it; afterwards tells
// whether a dialog was asked for and what it would have shown.
class ScriptedDialog
{
public:
    explicit ScriptedDialog(TbsSkinMessage &messages, int answer = mrOk, std::function<void()> whenAsked = {})
        : m_messages(messages)
        , m_before(messages.scriptedDialogs().size())
    {
        messages.setNextAnswer(answer, std::move(whenAsked));
    }
    bool seen() const { return m_messages.scriptedDialogs().size() > m_before; }
    const TbsSkinMessage::Shown &shown() const { return m_messages.scriptedDialogs().at(m_before); }
    QString text() const { return seen() ? shown().text : QString(); }

private:
    TbsSkinMessage &m_messages;
    qsizetype m_before;
};

// A tick counter the test moves by hand.
struct FakeTicks
{
    static inline quint32 value = 1000;
    static quint32 now() { return value; }
    FakeTicks(quint32 start = 1000)
    {
        value = start;
        Ticks::setSource(&FakeTicks::now);
    }
    ~FakeTicks() { Ticks::setSource(nullptr); }
    static void advance(quint32 ms) { value += ms; }
};

// Waits (processing events) until a modal widget other than `except` is active, then
// runs `action` on it. Call before the code that opens the dialog; it runs from the loop.
inline void onNextModal(std::function<void(QWidget *)> action, QWidget *except = nullptr, int timeoutMs = DialogWaitMs)
{
    auto *timer = new QTimer(qApp);
    timer->setObjectName(QStringLiteral("pendingModalAnswer"));
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QPointer<QWidget> skip = except;
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, action, skip, started, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != skip && modal->isVisible() && QApplication::activeWindow() == modal) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (started->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// The auto-close of the window under test: the armed one, else the first that exists.
inline TimerDlg &autoClose()
{
    TimerDlg *first = nullptr;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget *top : tops) {
        for (TimerDlg *t : top->findChildren<TimerDlg *>()) {
            if (t->isArmed())
                return *t;
            if (!first)
                first = t;
        }
    }
    static TimerDlg none; // no window: nothing to tick
    return first ? *first : none;
}

// Drops every answer still waiting for a dialog (call from a test's cleanup()).
inline void cancelPendingAnswers()
{
    const auto timers = qApp->findChildren<QTimer *>(QStringLiteral("pendingModalAnswer"), Qt::FindDirectChildrenOnly);
    for (QTimer *t : timers) {
        t->stop();
        t->deleteLater();
    }
}

// The offscreen platform warns on every opacity change; tests read the values the
// program records instead.
inline void quietOpacityWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &msg) {
        if (msg.contains(QLatin1String("opacity"), Qt::CaseInsensitive))
            return;
        if (previous)
            previous(type, context, msg);
    });
}

inline void postKey(QWidget *target, Qt::Key key)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// Answers the next modal dialog with a key, recording its title and text property.
struct DialogAnswer
{
    QString title;
    bool seen = false;
};
inline std::shared_ptr<DialogAnswer> answerNextWith(Qt::Key key, QWidget *except = nullptr)
{
    auto answer = std::make_shared<DialogAnswer>();
    onNextModal(
        [answer, key](QWidget *w) {
            answer->seen = true;
            answer->title = w->windowTitle();
            postKey(w, key);
        },
        except);
    return answer;
}

// Runs the test in a fresh working directory with its own settings location.
struct ScratchDir
{
    QTemporaryDir dir;
    QString oldCwd = QDir::currentPath();
    ScratchDir()
    {
        QDir::setCurrent(dir.path());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/data")));
    }
    ~ScratchDir() { QDir::setCurrent(oldCwd); }
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};
