#pragma once

#include "skin/SkinTitleBar.h"

#include <QSize>

class QWidget;

// Dresses a top-level widget in the skin: no system frame, a one-pixel border, the
// skinned title bar on top and a client area below it. Places given in client
// coordinates are relative to client().
class SkinFrame
{
public:
    // Without a window platform the title bar uses the one of the window its window
    // belongs to.
    SkinFrame(QWidget *window, SkinTitleBar::Buttons buttons, const WindowPlatform *platform = nullptr);

    QWidget *client() const { return m_client; }
    SkinTitleBar *titleBar() const { return m_titleBar; }

    // Fixes the window so that its client area has exactly this size.
    void setFixedClientSize(const QSize &size);
    static QSize frameSizeFor(const QSize &clientSize);

private:
    QWidget *m_window;
    SkinTitleBar *m_titleBar;
    QWidget *m_client;
};
