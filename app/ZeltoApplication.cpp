#include "app/ZeltoApplication.h"

#include "window/Guard.h"

ZeltoApplication::ZeltoApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The main window may be hidden in the tray while notices come and go.
    setQuitOnLastWindowClosed(false);
}

bool ZeltoApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    runReportingErrors([this] { return activeWindow(); }, [&] { result = QApplication::notify(receiver, event); });
    return result;
}
