#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QTimer;
class QWidget;

// Makes the next modal dialog close by itself. Arm it right before showing the dialog:
// at the first tick the new active window becomes the target, from the next tick on its
// title counts down the remaining seconds, and at the time-out Enter is pressed in it (or
// it is asked to close). Arming again cancels the previous arming.
class TimerDlg : public QObject
{
    Q_OBJECT
public:
    explicit TimerDlg(QObject *parent = nullptr);
    ~TimerDlg() override;

    void ArmAutoClose(int timeoutMs, bool showCountdown = true, bool pressEnter = true);
    void ResetAutoClose();
    void AutoCloseTick();

    bool isArmed() const { return m_hasSnapshot || m_hasTarget; }
    QWidget *target() const { return m_target; }
    QString savedTitle() const { return m_savedTitle; }

    // Counts down in front of the saved title: "(30)  信息".
    static QString countdownTitle(int seconds, const QString &savedTitle);

    // The title is kept to this many bytes of code page 936, as a 500-byte buffer holds.
    static constexpr int SavedTitleMaxBytes = 499;
    static constexpr int TickIntervalMs = 100;

private:
    void findTarget();

    QList<QPointer<QWidget>> m_snapshot;
    bool m_hasSnapshot = false;
    QList<QPointer<QWidget>> m_candidates;
    QPointer<QWidget> m_target;
    bool m_hasTarget = false;
    int m_timeout = 0;
    quint32 m_startTick = 0;
    bool m_showCountdown = false;
    bool m_pressEnter = false;
    int m_shownSeconds = 0;
    QString m_savedTitle;
    QTimer *m_timer = nullptr;
    int m_searchTicks = 0;
};
