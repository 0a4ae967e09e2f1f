#include "platform/PointerPosition.h"

#include <QCursor>
#include <QWidget>

namespace Tools {

namespace {

QPoint pointerIn(const QWidget* window)
{
    const QPoint screen = QCursor::pos();
    return window ? window->mapFromGlobal(screen) : screen;
}

} // namespace

int GetCursorX(const QWidget* window)
{
    return pointerIn(window).x();
}

int GetCursorY(const QWidget* window)
{
    return pointerIn(window).y();
}

} // namespace Tools
