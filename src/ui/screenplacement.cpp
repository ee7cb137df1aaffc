#include "ui/screenplacement.h"

#include <algorithm>

QPoint onScreenPosition(const QRect& frame, const QRect& area) {
    const int left = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {left, top};
}

QPoint centredPosition(const QSize& size, const QRect& area) {
    return {area.left() + std::max(0, (area.width() - size.width()) / 2),
            area.top() + std::max(0, (area.height() - size.height()) / 2)};
}
