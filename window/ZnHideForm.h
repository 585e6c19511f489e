#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QtGlobal>

#include <functional>

class QTimer;
class QWidget;
class WindowPlatform;

enum TDockPos : quint8 { dpNone = 0, dpTop = 1, dpLeft = 2, dpRight = 3 };

using TDockEvent = std::function<void(TDockPos nDockPos)>;

// Edge docking with auto-hide, and always-on-top, for the form that owns it.
// With AutoDock on, the component watches the form's events: a drag that brings the
// window near the top, left or right screen edge snaps it there; once docked, the window
// slides out of sight when the pointer leaves it, leaving EdgeSpace pixels on screen, and
// comes back when the pointer touches that strip. A move by the window manager (Alt+drag,
// a keyboard move) counts as a drag that ends where the window manager put the window.
class TZnHideForm : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TDockPos DockPos READ DockPos)
    Q_PROPERTY(bool AutoDock READ AutoDock WRITE SetAutoDock)
    Q_PROPERTY(bool AlwaysTop READ AlwaysTop WRITE SetAlwaysTop)
    Q_PROPERTY(int EdgeSpace READ EdgeSpace WRITE SetEdgeSpace)
    Q_PROPERTY(int ValidSpace READ ValidSpace WRITE SetValidSpace)

public:
    static constexpr int UtilityTimerInterval = 558;

    // The form is the first top-level widget among the owner and its parents.
    // Throws AppError "未找到主窗体" when there is none.
    TZnHideForm(QObject *owner, WindowPlatform &platform);
    ~TZnHideForm() override;

    TDockPos DockPos() const { return m_dockPos; }

    bool AutoDock() const { return m_autoDock; }
    void SetAutoDock(bool on);

    bool AlwaysTop() const { return m_alwaysTop; }
    void SetAlwaysTop(bool on);

    int EdgeSpace() const { return m_edgeSpace; }
    void SetEdgeSpace(int value); // 1 to 50, or AppError "请填写1-50以内的数字"

    int ValidSpace() const { return m_validSpace; }
    void SetValidSpace(int value); // 5 to 50, or AppError "请填写5-50以内的数字"

    const TDockEvent &DockEvent() const { return m_dockEvent; }
    void SetDockEvent(TDockEvent handler) { m_dockEvent = std::move(handler); }
    const TDockEvent &OnHideForm() const { return m_onHideForm; }
    void SetOnHideForm(TDockEvent handler) { m_onHideForm = std::move(handler); }
    const TDockEvent &OnShowForm() const { return m_onShowForm; }
    void SetOnShowForm(TDockEvent handler) { m_onShowForm = std::move(handler); }

    QWidget *form() const { return m_form; }
    bool isHidden() const { return m_hidden; }
    bool isHooked() const { return m_hooked; }
    // Left, top, width and height of the form as of the last move (or docking on).
    QRect lastRect() const { return m_last; }
    const QTimer *utilityTimer() const { return m_utilityTimer; }

    // The snapping of one proposed frame rectangle during a drag, as the moving event does.
    void snap(QRect &proposed);

    static int screenWidth();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hookForm();
    void unhookForm();
    void hideForm();
    void showForm();
    void moveForm(QPoint topLeft);
    void rememberOwnMove(const QRect &r);
    void settle(const QRect &r);
    void formMoved(bool reported);
    void checkPointerAfterDialog();
    void keepOffTaskbar(bool on);

    WindowPlatform &m_platform;
    QPointer<QWidget> m_form;
    TDockPos m_dockPos = dpNone;
    bool m_autoDock = false;
    bool m_alwaysTop = false;
    int m_edgeSpace = 3;
    int m_validSpace = 10;
    TDockEvent m_dockEvent;
    TDockEvent m_onHideForm;
    TDockEvent m_onShowForm;

    QRect m_last;
    bool m_hidden = false;
    bool m_hooked = false;
    QTimer *m_utilityTimer = nullptr;
    // Places this component gave the window, oldest first, until the window system has
    // reported them back; any other move is someone else's.
    QList<QRect> m_ownMoves;
    // A dialog closed: no Leave came while it blocked the window.
    bool m_pointerUnchecked = false;
    QPointer<QObject> m_taskbarKeeper;
};
