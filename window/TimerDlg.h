#pragma once

#include <QString>

class QWidget;

// Makes the next modal dialog close by itself. Arm it right before showing the dialog:
// at the first tick the new active window becomes the target, its title counts down the
// remaining seconds, and at the time-out Enter is pressed in it (or it is asked to close).
// There is one auto-close per process; arming again cancels the previous one.
namespace TimerDlg {

void ArmAutoClose(int timeoutMs, bool showCountdown, bool pressEnter);
void ResetAutoClose();
void AutoCloseTick();

// For tests and diagnostics.
bool isArmed();
QWidget *target();
QString savedTitle();

// Counts down in front of the saved title: "(30)  信息".
QString countdownTitle(int seconds, const QString &savedTitle);

// The title is kept to this many bytes of code page 936, as a 500-byte buffer holds.
inline constexpr int SavedTitleMaxBytes = 499;
inline constexpr int TickIntervalMs = 100;

} // namespace TimerDlg
