#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace zorrel::widget {

// Where a window of `toy`'s size must go so that all of it is on a screen:
// unchanged if a screen already shows it whole; else moved as little as
// possible onto the screen that shows most of it (the nearest one if none
// does), so that its height stays where that screen allows. A toy larger
// than the screen keeps its top-left corner on it.
QPoint placeOnScreens(const QRect &toy, const QList<QRect> &screens);

} // namespace zorrel::widget
