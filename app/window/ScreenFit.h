#pragma once

#include <QRect>

/// `frame` made to lie inside `area`, the part of the screen that windows may take: a side
/// longer than the area's is shrunk to the area's, then the frame moves the least distance
/// that puts it inside. A frame already inside, or an empty area, leaves it as it is.
QRect fitInside(const QRect& frame, const QRect& area);
