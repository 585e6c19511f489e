#pragma once

#include <QApplication>

// The application object. Its notify() is the last line of defence: an exception that
// escaped a handler's guard is reported here instead of unwinding through Qt.
class ZeltoApplication : public QApplication
{
    Q_OBJECT
public:
    ZeltoApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
