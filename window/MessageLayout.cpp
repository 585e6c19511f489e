#include "window/MessageLayout.h"

#include <algorithm>

MessageLayout MessageLayout::compute(
    QSize textSize, int buttonCount, int buttonHeight, int minWindowWidth, int maxWindowWidth, int frameExtraWidth)
{
    MessageLayout l;
    l.buttonRowWidth = buttonCount > 0 ? (ButtonWidth + ButtonGap) * buttonCount - ButtonGap : 0;
    l.labelPos = QPoint(LabelLeft, LabelTop);
    const int textRight = LabelLeft + textSize.width();
    const int clientHeight = buttonHeight + textSize.height() + 50;
    l.uncheckedClientWidth = std::max(textRight, l.buttonRowWidth) + 40;

    int windowWidth = l.uncheckedClientWidth + frameExtraWidth;
    windowWidth = std::max(windowWidth, minWindowWidth);
    if (maxWindowWidth > 0)
        windowWidth = std::min(windowWidth, maxWindowWidth);
    const int clientWidth = windowWidth - frameExtraWidth;
    l.clientSize = QSize(clientWidth, clientHeight);

    const int iconTop = std::max(LabelTop + textSize.height() / 2 - 16, 10);
    l.iconRect = QRect(5, iconTop, 32, 32);

    const int top = clientHeight - buttonHeight - 10;
    int x = (clientWidth - l.buttonRowWidth) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        l.buttonRects.append(QRect(x, top, ButtonWidth, buttonHeight));
        x += ButtonWidth + ButtonGap;
    }
    return l;
}
