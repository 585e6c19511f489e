#include "app/ZeltoApplication.h"

#include "platform/AppError.h"
#include "window/ErrorBox.h"

ZeltoApplication::ZeltoApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The main window may be hidden in the tray while notices come and go.
    setQuitOnLastWindowClosed(false);
}

bool ZeltoApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &e) {
        ErrorBox::show(activeWindow(), e.message());
    } catch (const std::exception &e) {
        ErrorBox::show(activeWindow(), QString::fromUtf8(e.what()));
    }
    return false;
}
