#pragma once

#include "platform/AppError.h"
#include "window/ErrorBox.h"

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// The one place where errors are caught: an error that `work` raises ends it at the failing
// step and is reported in the error box. `owner` is asked for the box's owner only then, so
// the application's backstop gets the window active at that moment. True when `work` ran to
// its end. No exception may cross a Qt frame.
template <typename Owner, typename F> bool runReportingErrors(Owner &&owner, F &&work)
{
    try {
        std::forward<F>(work)();
        return true;
    } catch (const AppError &e) {
        ErrorBox::show(owner(), e.message());
    } catch (const std::exception &e) {
        ErrorBox::show(owner(), QString::fromUtf8(e.what()));
    }
    return false;
}

// Every handler that a signal, event or timer calls runs through guarded(); the program
// goes on after an error.
template <typename F> bool guarded(QWidget *owner, F &&handler)
{
    return runReportingErrors([owner] { return owner; }, std::forward<F>(handler));
}

// A slot body wrapped in guarded(), for connect().
template <typename F> auto guardedSlot(QWidget *owner, F handler)
{
    return [owner, handler = std::move(handler)](auto &&...) { guarded(owner, handler); };
}
