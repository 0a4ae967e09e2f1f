#include "window/ScreenFit.h"

QRect fitInside(const QRect& frame, const QRect& area)
{
    if (area.isEmpty())
        return frame;
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    if (fitted.right() > area.right())
        fitted.moveRight(area.right());
    if (fitted.bottom() > area.bottom())
        fitted.moveBottom(area.bottom());
    if (fitted.left() < area.left())
        fitted.moveLeft(area.left());
    if (fitted.top() < area.top())
        fitted.moveTop(area.top());
    return fitted;
}
