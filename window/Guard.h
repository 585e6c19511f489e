#pragma once

#include "platform/AppError.h"
#include "window/ErrorBox.h"

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// Every handler that a signal, event or timer calls runs through guarded(): an error ends
// the handler at the failing step and is reported in the error box; the program goes on.
// No exception may cross a Qt frame.
template <typename F> void guarded(QWidget *owner, F &&handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const AppError &e) {
        ErrorBox::show(owner, e.message());
    } catch (const std::exception &e) {
        ErrorBox::show(owner, QString::fromUtf8(e.what()));
    }
}

// A slot body wrapped in guarded(), for connect().
template <typename F> auto guardedSlot(QWidget *owner, F handler)
{
    return [owner, handler = std::move(handler)](auto &&...) { guarded(owner, handler); };
}
