#include "widget/ScreenPlacement.h"

#include "platform/OutputLayout.h"

#include <algorithm>
#include <limits>
#include <span>

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

QPoint placeBesideToy(const QRect &toy, QSize size, int top, const QList<QRect> &screens)
{
    const int own =
        platform::ownOutput(toy, std::span<const QRect>(screens.data(), screens.size()));
    if (own < 0)
        return {toy.right() + 1, top};
    const QRect &screen = screens[own];
    const int besideTop = clampInto(top, size.height(), screen.top(), screen.bottom());
    if (toy.right() + size.width() <= screen.right())
        return {toy.right() + 1, besideTop};
    if (toy.left() - size.width() >= screen.left())
        return {toy.left() - size.width(), besideTop};
    const int left = clampInto(toy.left(), size.width(), screen.left(), screen.right());
    if (toy.bottom() + size.height() <= screen.bottom())
        return {left, toy.bottom() + 1};
    if (toy.top() - size.height() >= screen.top())
        return {left, toy.top() - size.height()};
    return {clampInto(toy.right() + 1, size.width(), screen.left(), screen.right()), besideTop};
}

} // namespace zorrel::widget
