#include "widget/ScreenPlacement.h"

#include <algorithm>
#include <limits>

namespace zorrel::widget {
namespace {

qint64 area(const QRect &r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); }

// Squared distance between the centres: how far a screen is from the toy.
qint64 distance(const QRect &a, const QRect &b)
{
    const QPoint d = a.center() - b.center();
    return qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
}

int clampInto(int start, int length, int from, int to)
{
    return std::max(from, std::min(start, to - length + 1));
}

} // namespace

QPoint placeOnScreens(const QRect &toy, const QList<QRect> &screens)
{
    if (screens.isEmpty() || std::any_of(screens.cbegin(), screens.cend(),
                                         [&](const QRect &s) { return s.contains(toy); }))
        return toy.topLeft();
    const QRect *best = &screens.front();
    qint64 bestOverlap = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 overlap = area(screen & toy);
        const qint64 away = distance(screen, toy);
        if (overlap > bestOverlap || (overlap == bestOverlap && away < bestDistance)) {
            best = &screen;
            bestOverlap = overlap;
            bestDistance = away;
        }
    }
    return {clampInto(toy.x(), toy.width(), best->left(), best->right()),
            clampInto(toy.y(), toy.height(), best->top(), best->bottom())};
}

} // namespace zorrel::widget
