#pragma once

#include "platform/DesktopServices.h"

// Sessions the program cannot reach beyond its own windows: says so, and does nothing.
class NullDesktopServices : public DesktopServices
{
    Q_OBJECT
public:
    explicit NullDesktopServices(Session session = Session::None, QObject *parent = nullptr);

    Session session() const override;
    Capabilities capabilities() const override;
    Grab grabShortcut(const QKeySequence &keys) override;
    void releaseShortcut() override;
    WindowId activeWindow() const override;
    bool activateWindow(WindowId window, quint32 timestamp) override;
    bool sendPasteKey(WindowId window, PasteKey key) override;

private:
    Session m_session;
};
