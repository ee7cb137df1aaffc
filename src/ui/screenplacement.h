#pragma once

#include <QPoint>
#include <QRect>

// Where a window whose frame (title bar and borders included) is `frame` goes so that it lies wholly inside
// the screen's available area: moved up and left just as far as it runs over the right and bottom edges, and
// down and right where it starts before the area. A frame larger than the area keeps its top-left corner on
// the area's top-left corner.
QPoint onScreenPosition(const QRect& frame, const QRect& area);
