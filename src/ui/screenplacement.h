#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window whose frame (title bar and borders included) is `frame` goes so that it lies wholly inside
// the screen's available area: moved up and left just as far as it runs over the right and bottom edges, and
// down and right where it starts before the area. A frame larger than the area keeps its top-left corner on
// the area's top-left corner.
QPoint onScreenPosition(const QRect& frame, const QRect& area);

// Where a window of `size` goes to be centred on the screen's available area; on an area too small for it,
// at the area's top or left edge.
QPoint centredPosition(const QSize& size, const QRect& area);
