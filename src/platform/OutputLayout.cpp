#include "platform/OutputLayout.h"

#include <algorithm>
#include <limits>

namespace zorrel::platform {
namespace {

// Pixels between two rectangles along the axes; 0 when they meet.
long long gap(const QRect &a, const QRect &b)
{
    const long long dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const long long dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

int ownOutput(const QRect &toy, std::span<const QRect> outputs)
{
    int own = -1;
    long long most = 0;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const QRect common = outputs[i] & toy;
        const long long area = static_cast<long long>(common.width()) * common.height();
        if (area > most) {
            most = area;
            own = static_cast<int>(i);
        }
    }
    if (own >= 0)
        return own;
    long long nearest = std::numeric_limits<long long>::max();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (const long long distance = gap(toy, outputs[i]); distance < nearest) {
            nearest = distance;
            own = static_cast<int>(i);
        }
    }
    return own;
}

int walkLeftLimit(const QRect &toy, std::span<const QRect> outputs)
{
    if (outputs.empty())
        return toy.left();
    bool onSome = false;
    int leftmost = outputs.front().left();
    for (const QRect &output : outputs) {
        onSome = onSome || output.intersects(toy);
        leftmost = std::min(leftmost, output.left());
    }
    if (!onSome)
        return leftmost;
    int left = outputs[static_cast<std::size_t>(ownOutput(toy, outputs))].left();
    for (bool extended = true; extended;) {
        extended = false;
        for (const QRect &output : outputs) {
            if (output.right() + 1 == left && output.top() <= toy.top() &&
                output.bottom() >= toy.bottom()) {
                left = output.left();
                extended = true;
            }
        }
    }
    return left;
}

OutputPlace placeOnOutput(const QRect &toy, std::span<const QRect> outputs)
{
    const int own = ownOutput(toy, outputs);
    if (own < 0)
        return {};
    return {own, toy.topLeft() - outputs[static_cast<std::size_t>(own)].topLeft()};
}

} // namespace zorrel::platform
