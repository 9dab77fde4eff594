#include "FakeToyWindow.h"
#include "toy/Toy.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using zorrel::test::FakeToyWindow;
using zorrel::toy::FrameSet;
using zorrel::toy::Toy;

namespace {

bool within(int value, int low, int high) { return value >= low && value <= high; }

// Random presses, releases, moves, right clicks, menu winds and ticks, in
// any order, keep every counter and frame index in its range.
TEST(ClockworkProperty, RandomGesturesKeepEveryRange)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> coordinate(-3000, 3000);
    const std::int16_t buttons[] = {1, 2, 3, 4, 5, 6, 7};
    std::uniform_int_distribution<std::size_t> button(0, std::size(buttons) - 1);

    for (int run = 0; run < 3000; ++run) {
        FakeToyWindow window;
        Toy toy(window);
        toy.load();
        window.onMenu = [&] {
            if (action(random) < 5)
                toy.windItUp();
        };
        // The gestures, with ticks four times as likely as any one of them.
        const std::function<void(float, float)> gestures[] = {
            [&](float x, float y) { toy.pointerPressed(1, x, y); },
            [&](float x, float y) { toy.pointerReleased(1, x, y); },
            [&](float x, float y) { toy.pointerPressed(2, x, y); },
            [&](float x, float y) { toy.pointerMoved(buttons[button(random)], x, y); },
            [&](float, float) { toy.windItUp(); },
            [&](float x, float y) { toy.pointerReleased(buttons[button(random)], x, y); },
        };
        for (int step = 0; step < 200; ++step) {
            const auto x = static_cast<float>(coordinate(random));
            const auto y = static_cast<float>(coordinate(random));
            const auto chosen = static_cast<std::size_t>(action(random));
            if (chosen < std::size(gestures))
                gestures[chosen](x, y);
            else
                toy.tick();
            const auto &s = toy.state();
            ASSERT_TRUE(within(s.windLevel, 0, 400) && within(s.windTicks, 0, 9) &&
                        within(s.headSeqPos, 0, 29) && within(s.headFrame, 0, 4) &&
                        within(s.legFrame, 0, 10) && within(s.keyFrame, 0, 6))
                << "run " << run << " step " << step;
        }
        for (const auto &f : window.frames) {
            const int last = f.set == FrameSet::Head ? 4 : f.set == FrameSet::Legs ? 10 : 6;
            ASSERT_TRUE(within(f.index, 0, last));
        }
    }
}

} // namespace
