#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>

// Where everything of a message dialog goes, in client coordinates. Kept apart from the
// widgets so that the arithmetic can be checked on its own.
struct MessageLayout
{
    QSize clientSize;
    QPoint labelPos;
    QRect iconRect;
    QVector<QRect> buttonRects;
    int buttonRowWidth = 0;
    int uncheckedClientWidth = 0; // before the window width is held between its limits

    static constexpr int ButtonWidth = 60;
    static constexpr int ButtonGap = 10;
    static constexpr int LabelLeft = 50;
    static constexpr int LabelTop = 15;

    // textSize: the label's size for its text; frameExtraWidth: window width minus client width.
    static MessageLayout compute(
        QSize textSize, int buttonCount, int buttonHeight, int minWindowWidth, int maxWindowWidth, int frameExtraWidth);
};
