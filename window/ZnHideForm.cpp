#include "window/ZnHideForm.h"

#include "platform/AppError.h"
#include "platform/WindowPlatform.h"
#include "skin/MovingEvent.h"
#include "window/Guard.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

QWidget *findForm(QObject *owner)
{
    for (QObject *o = owner; o; o = o->parent()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && w->isWindow())
            return w;
    }
    return nullptr;
}

// Shells forget a withdrawn window's taskbar state: ask again each time it is shown.
class TaskbarKeeper : public QObject
{
public:
    TaskbarKeeper(QWidget *form, WindowPlatform &platform)
        : QObject(form)
        , m_form(form)
        , m_platform(platform)
    {
        form->installEventFilter(this);
    }
    ~TaskbarKeeper() override
    {
        if (m_form)
            m_form->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // After the show the native window may be a new one: Qt re-creates it when the
        // stays-on-top flag changed since it was last mapped.
        if (watched == m_form && (event->type() == QEvent::Show || event->type() == QEvent::ShowToParent))
            m_platform.setSkipTaskbar(m_form->windowHandle(), true);
        return false;
    }

private:
    QPointer<QWidget> m_form;
    WindowPlatform &m_platform;
};

} // namespace

TZnHideForm::TZnHideForm(QObject *owner, WindowPlatform &platform)
    : QObject(owner)
    , m_platform(platform)
    , m_form(findForm(owner))
{
    if (!m_form)
        throw AppError(QStringLiteral("未找到主窗体"));
}

TZnHideForm::~TZnHideForm()
{
    SetAutoDock(false);
    delete m_taskbarKeeper;
}

int TZnHideForm::screenWidth()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void TZnHideForm::SetEdgeSpace(int value)
{
    if (value < 1 || value > 50)
        throw AppError(QStringLiteral("请填写1-50以内的数字"));
    m_edgeSpace = value;
}

void TZnHideForm::SetValidSpace(int value)
{
    if (value < 5 || value > 50)
        throw AppError(QStringLiteral("请填写5-50以内的数字"));
    m_validSpace = value;
}

void TZnHideForm::SetAutoDock(bool on)
{
    if (on == m_autoDock)
        return;
    m_autoDock = on;
    if (on) {
        if (m_form)
            m_last = m_form->frameGeometry();
        hookForm();
        // Its ticks hide a docked window once a modal dialog has closed with the pointer away.
        m_utilityTimer = new QTimer(this);
        m_utilityTimer->setObjectName(QStringLiteral("ZnHideFormUtilityTimer"));
        m_utilityTimer->setInterval(UtilityTimerInterval);
        connect(m_utilityTimer, &QTimer::timeout, this, guardedSlot(m_form, [this] { checkPointerAfterDialog(); }));
        m_utilityTimer->start();
    } else {
        delete m_utilityTimer;
        m_utilityTimer = nullptr;
        unhookForm();
        m_dockPos = dpNone;
        m_ownMoves.clear();
        m_pointerUnchecked = false;
        // The window stays where it is, but is an ordinary window again.
        if (m_hidden && m_form)
            m_platform.setFreePlacement(m_form->windowHandle(), false);
        m_hidden = false;
    }
}

void TZnHideForm::hookForm()
{
    if (m_form && !m_hooked) {
        m_form->installEventFilter(this);
        m_hooked = true;
    }
}

void TZnHideForm::unhookForm()
{
    if (m_form && m_hooked)
        m_form->removeEventFilter(this);
    m_hooked = false;
}

void TZnHideForm::SetAlwaysTop(bool on)
{
    if (on == m_alwaysTop)
        return;
    m_alwaysTop = on;
    if (!m_form)
        return;
    // Switched on the native window: changing the widget's flags would re-create it.
    m_form->overrideWindowFlags(m_form->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on));
    if (QWindow *window = m_form->windowHandle())
        window->setFlag(Qt::WindowStaysOnTopHint, on);
    keepOffTaskbar(on);
}

void TZnHideForm::keepOffTaskbar(bool on)
{
    m_platform.setSkipTaskbar(m_form->windowHandle(), on);
    delete m_taskbarKeeper;
    m_taskbarKeeper = on ? new TaskbarKeeper(m_form, m_platform) : nullptr;
}

void TZnHideForm::snap(QRect &r)
{
    const int sw = screenWidth();
    const int width = r.width();
    const int height = r.height();
    if (r.top() < m_validSpace && r.top() <= m_last.top())
        r = QRect(r.left(), 0, width, height);
    else if (r.left() < m_validSpace && r.left() <= m_last.left())
        r = QRect(0, r.top(), width, height);
    else if (sw - (r.left() + width) < m_validSpace && r.left() >= m_last.left())
        r = QRect(sw - width, r.top(), width, height);

    rememberOwnMove(r); // the caller moves the window there
    settle(r);
}

void TZnHideForm::settle(const QRect &r)
{
    const int sw = screenWidth();
    if (r.top() == 0)
        m_dockPos = dpTop;
    else if (r.left() == 0)
        m_dockPos = dpLeft;
    else if (r.left() + r.width() == sw)
        m_dockPos = dpRight;
    else
        m_dockPos = dpNone;
    m_last = r;
    if (m_dockPos != dpNone && m_dockEvent)
        m_dockEvent(m_dockPos);
}

void TZnHideForm::moveForm(QPoint topLeft)
{
    rememberOwnMove(QRect(topLeft, m_form->frameGeometry().size()));
    m_form->move(topLeft);
}

void TZnHideForm::rememberOwnMove(const QRect &r)
{
    // Where the window system reports nothing back (no window manager, offscreen), the
    // oldest go.
    if (m_ownMoves.size() >= 64)
        m_ownMoves.removeFirst();
    m_ownMoves.append(r);
}

// Each move of the program's own is seen twice: at once, and when the window system
// reports it back, in the order of the requests. A report that is none of ours comes from
// the window manager, and a window it moved is docked only where it now touches an edge.
void TZnHideForm::formMoved(bool reported)
{
    const QRect r = m_form->frameGeometry();
    const qsizetype own = m_ownMoves.indexOf(r);
    if (own >= 0) {
        if (reported)
            m_ownMoves.remove(0, own);
        return;
    }
    if (!m_hidden)
        settle(r);
}

void TZnHideForm::checkPointerAfterDialog()
{
    if (!m_pointerUnchecked)
        return;
    m_pointerUnchecked = false;
    if (m_dockPos != dpNone && !m_hidden && !QApplication::activePopupWidget())
        hideForm();
}

bool TZnHideForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form || !m_autoDock)
        return false;
    if (event->type() == MovingEvent::eventType()) {
        guarded(m_form, [&] { snap(static_cast<MovingEvent *>(event)->rect()); });
    } else if (event->type() == QEvent::Move) {
        guarded(m_form, [&] { formMoved(event->spontaneous()); });
    } else if (event->type() == QEvent::WindowBlocked) {
        m_pointerUnchecked = false;
    } else if (event->type() == QEvent::WindowUnblocked) {
        m_pointerUnchecked = true;
    } else if (event->type() == QEvent::Enter) {
        if (m_hidden)
            guarded(m_form, [&] { showForm(); });
    } else if (event->type() == QEvent::Leave) {
        if (m_dockPos != dpNone)
            guarded(m_form, [&] { hideForm(); });
    }
    return false;
}

void TZnHideForm::hideForm()
{
    // Still inside: the pointer went from one control of the window onto another.
    if (m_last.contains(QCursor::pos()))
        return;
    m_hidden = true;
    if (m_onHideForm) {
        m_onHideForm(m_dockPos);
        return;
    }
    const QRect f = m_form->frameGeometry();
    m_platform.setFreePlacement(m_form->windowHandle(), true);
    switch (m_dockPos) {
    case dpTop:
        moveForm({ f.left(), m_edgeSpace - f.height() });
        break;
    case dpLeft:
        moveForm({ m_edgeSpace - f.width(), f.top() });
        break;
    case dpRight:
        moveForm({ screenWidth() - m_edgeSpace, f.top() });
        break;
    case dpNone:
        break;
    }
}

void TZnHideForm::showForm()
{
    m_hidden = false;
    if (m_onShowForm) {
        m_onShowForm(m_dockPos);
        return;
    }
    const QRect f = m_form->frameGeometry();
    switch (m_dockPos) {
    case dpTop:
        moveForm({ f.left(), 0 });
        break;
    case dpLeft:
        moveForm({ 0, f.top() });
        break;
    case dpRight:
        moveForm({ screenWidth() - f.width(), f.top() });
        break;
    case dpNone:
        break;
    }
    m_platform.setFreePlacement(m_form->windowHandle(), false);
}
