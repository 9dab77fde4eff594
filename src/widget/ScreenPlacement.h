#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zorrel::widget {

// Where a window of `toy`'s size must go so that all of it is on a screen:
// unchanged if a screen already shows it whole; else moved as little as
// possible onto the screen that shows most of it (the nearest one if none
// does), so that its height stays where that screen allows. A toy larger
// than the screen keeps its top-left corner on it.
QPoint placeOnScreens(const QRect &toy, const QList<QRect> &screens);

// Where a window of `size` (a menu, a dialog) opens beside the toy at
// `toy`, with its top at `top` where the screen allows: wholly on the screen
// that shows most of the toy, and clear of the toy. To the toy's right where
// it fits, else to its left, moved up or down to stay on the screen; where
// neither side has room, below the toy, else above it. Only a screen too
// small for all of these leaves it over the toy, at the right side's height.
QPoint placeBesideToy(const QRect &toy, QSize size, int top, const QList<QRect> &screens);

} // namespace zorrel::widget
