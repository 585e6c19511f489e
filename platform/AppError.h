#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the program: handlers throw it, the guard reports it.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};
