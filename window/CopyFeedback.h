#pragma once

#include <QString>

#include <functional>

// What else happens when the user copies: the main window owns one, a later subsystem
// (the find window's) sets its handler. Copy commands ask it before their notice.
class CopyFeedback
{
public:
    // entry: the copied entry, empty for text that is no entry (the conversion page).
    // Returns true when the copy has been acknowledged and the notice is not wanted.
    using Handler = std::function<bool(const QString &entry)>;

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    bool copied(const QString &entry) const { return m_handler && m_handler(entry); }

private:
    Handler m_handler;
};
