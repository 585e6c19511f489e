#include "skin/SkinFrame.h"

#include "skin/Skin.h"

#include <QVBoxLayout>
#include <QWidget>

SkinFrame::SkinFrame(QWidget *window, SkinTitleBar::Buttons buttons, const WindowPlatform *platform)
    : m_window(window)
{
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    window->setAttribute(Qt::WA_StyledBackground);
    window->setProperty("skinned", true);

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(Skin::BorderWidth, Skin::BorderWidth, Skin::BorderWidth, Skin::BorderWidth);
    layout->setSpacing(0);
    m_titleBar = new SkinTitleBar(window, buttons, platform);
    layout->addWidget(m_titleBar);
    m_client = new QWidget(window);
    m_client->setObjectName(QStringLiteral("skinClient"));
    m_client->setAttribute(Qt::WA_StyledBackground);
    layout->addWidget(m_client, 1);
}

QSize SkinFrame::frameSizeFor(const QSize &clientSize)
{
    return { clientSize.width() + 2 * Skin::BorderWidth,
        clientSize.height() + Skin::TitleBarHeight + 2 * Skin::BorderWidth };
}

void SkinFrame::setFixedClientSize(const QSize &size)
{
    m_client->setFixedSize(size);
    m_window->setFixedSize(frameSizeFor(size));
}
