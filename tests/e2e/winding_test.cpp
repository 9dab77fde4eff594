// The clockwork driven by the pointer: winding and walking, over-winding and
// the head shake, dragging.

#include "e2e/support/ToyFixture.h"

#include <chrono>

namespace zorrel::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// The head's part of the window; the key and the legs lie below it.
const QRect kHeadArea(0, 0, 69, 55);

class Winding : public ToyFixture {};

struct Sample {
    Clock::time_point at;       // first seen there
    Clock::time_point lastPoll; // the poll before, which still saw the old place
    QPoint pos;
};

// Samples the window position as fast as the server answers until it has
// kept still for `still`; gives up after `timeout`.
std::vector<Sample> followUntilStill(WindowId window, Millis still, Millis timeout)
{
    std::vector<Sample> samples;
    const auto deadline = Clock::now() + timeout;
    auto lastPoll = Clock::now();
    while (Clock::now() < deadline) {
        const std::optional<QPoint> p = windowPosition(window);
        if (!p)
            break;
        const auto now = Clock::now();
        if (samples.empty() || samples.back().pos != *p)
            samples.push_back({now, lastPoll, *p});
        else if (now - samples.back().at >= still)
            break;
        lastPoll = now;
        pause(1ms);
    }
    return samples;
}

// When the walk first reached `x` (it only moves left).
Clock::time_point reached(const std::vector<Sample> &samples, int x)
{
    for (const Sample &s : samples)
        if (s.pos.x() <= x)
            return s.at;
    return samples.back().at;
}

TEST_F(Winding, ThreeWindStepsWalkOneHundredTwentyPixelsLeftThenStop)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = position();

    ASSERT_TRUE(holdAndWind(3));
    pause(200ms);
    EXPECT_EQ(position(), start) << "it walked while held";
    ASSERT_TRUE(mouseUp(1));
    const std::vector<Sample> samples = followUntilStill(window_, 600ms, 20s);
    ASSERT_FALSE(samples.empty());

    EXPECT_EQ(samples.back().pos, start - QPoint(120, 0));
    // The last 70 ticks come 50 and 120 ms apart. A move seen within 40 ms
    // of the poll before it is one tick: it must be one pixel.
    int ticksSeen = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const QPoint move = samples[i].pos - samples[i - 1].pos;
        EXPECT_EQ(move.y(), 0) << "vertical move at sample " << i;
        EXPECT_LT(move.x(), 0) << "step right at sample " << i;
        if (samples[i - 1].pos.x() <= start.x() - 50 &&
            samples[i].at - samples[i].lastPoll < 40ms) {
            EXPECT_EQ(move.x(), -1) << "jump at x " << samples[i].pos.x();
            ++ticksSeen;
        }
    }
    EXPECT_GE(ticksSeen, 60) << "the walk was not followed closely enough";

    // Pace: 40 ticks of about 50 ms, then 30 of about 120 ms.
    using std::chrono::duration_cast;
    const auto steady =
        duration_cast<Millis>(reached(samples, start.x() - 90) - reached(samples, start.x() - 50));
    const auto slow =
        duration_cast<Millis>(reached(samples, start.x() - 120) - reached(samples, start.x() - 90));
    EXPECT_GE(steady.count(), 40 * 50 * 9 / 10);
    EXPECT_LE(steady.count(), 40 * 50 * 2);
    EXPECT_GE(slow.count(), 30 * 120 * 9 / 10);
    EXPECT_LE(slow.count(), 30 * 120 * 2);

    pause(300ms);
    EXPECT_EQ(position(), start - QPoint(120, 0)) << "it went on after stopping";
}

TEST_F(Winding, OverWindingShakesTheHeadAndLosesTheWind)
{
    const QRegion restHead = composedShape() & kHeadArea;
    for (int frame = 1; frame <= 4; ++frame)
        ASSERT_NE(composedShape(frame) & kHeadArea, restHead) << "head frame " << frame;

    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = position();
    ASSERT_TRUE(holdAndWind(11));
    const auto overWound = Clock::now();
    ASSERT_TRUE(mouseUp(1));

    EXPECT_TRUE(
        waitUntil([&] { return (boundingShape(window_) & kHeadArea) != restHead; }, 500ms, 5ms))
        << "the head does not shake";

    // About 29 ticks of 120 ms, then still, with the head at rest.
    QRegion shape;
    const bool calm = waitUntil(
        [&] {
            shape = boundingShape(window_);
            return (shape & kHeadArea) == restHead;
        },
        6s, 10ms);
    const auto shaken = std::chrono::duration_cast<Millis>(Clock::now() - overWound);
    ASSERT_TRUE(calm) << "the head still shakes after 6 s";
    EXPECT_GE(shaken.count(), 2500);

    // The key may stop at any frame of its turn; the rest is the rest pose.
    int keyFrame = -1;
    for (int k = 0; k <= 6 && keyFrame < 0; ++k)
        if (shape == composedShape(0, 0, k))
            keyFrame = k;
    EXPECT_GE(keyFrame, 0) << testing::PrintToString(shape);

    pause(700ms);
    EXPECT_EQ(boundingShape(window_), shape) << "still moving after the shake";
    EXPECT_EQ(position(), start) << "an over-wound toy walked";
}

TEST_F(Winding, DraggingMovesTheWindowWithThePointer)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = position();
    const QPoint grab = at(kBodyPoint);
    ASSERT_TRUE(mouseMove(grab));
    ASSERT_TRUE(mouseDown(1));
    for (const QPoint step : {QPoint(9, 6), QPoint(19, 12), QPoint(28, 17), QPoint(37, 23)})
        ASSERT_TRUE(mouseMove(grab + step));
    ASSERT_TRUE(waitUntil([&] { return position() == start + QPoint(37, 23); }, 2s))
        << "held at " << testing::PrintToString(position());
    ASSERT_TRUE(mouseUp(1));
    pause(700ms);
    EXPECT_EQ(position(), start + QPoint(37, 23)) << "it moved after the release";
}

} // namespace
} // namespace zorrel::e2e
