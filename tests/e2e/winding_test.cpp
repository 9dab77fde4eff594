// The clockwork driven by the pointer: winding and walking, over-winding and
// the head shake, dragging.

#include "e2e/support/ToyFixture.h"

#include <map>

namespace zorrel::e2e {
namespace {

class Winding : public ToyFixture {};

TEST_F(Winding, ThreeWindStepsWalkOneHundredTwentyPixelsLeftThenStop)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = where();
    ASSERT_TRUE(holdAndWind(3));
    sleep_for(200ms);
    EXPECT_EQ(where(), start) << "it walked while held";
    ASSERT_TRUE(xdo("mouseup 1"));

    // Follow the walk as fast as the server answers until it keeps still for
    // 0.6 s. The last 70 ticks come 50 and 120 ms apart: a move seen within
    // 40 ms of the poll before it is one tick and must be one pixel.
    std::map<int, Clock::time_point> reached; // when the walk first got to x
    const auto deadline = Clock::now() + 20s;
    auto lastPoll = Clock::now(), lastMove = lastPoll;
    QPoint last = start;
    int ticksSeen = 0;
    while (Clock::now() - lastMove < 600ms && Clock::now() < deadline) {
        const QPoint p = where();
        const auto now = Clock::now();
        if (p != last) {
            EXPECT_EQ(p.y(), start.y()) << "vertical move at x " << p.x();
            EXPECT_LT(p.x(), last.x()) << "step right at x " << p.x();
            if (last.x() <= start.x() - 50 && now - lastPoll < 40ms) {
                EXPECT_EQ(p.x(), last.x() - 1) << "jump at x " << p.x();
                ++ticksSeen;
            }
            reached.emplace(p.x(), now);
            last = p;
            lastMove = now;
        }
        lastPoll = now;
        sleep_for(1ms);
    }
    EXPECT_EQ(last, start - QPoint(120, 0));
    EXPECT_GE(ticksSeen, 60) << "the walk was not followed closely enough";
    // Pace: 40 ticks of about 50 ms, then 30 of about 120 ms.
    const auto span = [&](int from, int to) {
        return (reached[start.x() - to] - reached[start.x() - from]) / 1ms;
    };
    EXPECT_GE(span(50, 90), 40 * 45);
    EXPECT_LE(span(50, 90), 40 * 100);
    EXPECT_GE(span(90, 120), 30 * 108);
    EXPECT_LE(span(90, 120), 30 * 240);
    sleep_for(300ms);
    EXPECT_EQ(where(), last) << "it went on after stopping";
}

TEST_F(Winding, OverWindingShakesTheHeadAndLosesTheWind)
{
    const QRect head(0, 0, 69, 55);
    const QRegion restHead = restShape() & head;
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = where();
    ASSERT_TRUE(holdAndWind(11));
    const auto overWound = Clock::now();
    ASSERT_TRUE(xdo("mouseup 1"));
    EXPECT_TRUE(waitUntil([&] { return (shape(window_) & head) != restHead; }, 500ms))
        << "the head does not shake";

    // About 29 ticks of 120 ms, then still, at rest but for the key's turn.
    QRegion now;
    ASSERT_TRUE(waitUntil([&] { return ((now = shape(window_)) & head) == restHead; }, 6s))
        << "the head still shakes after 6 s";
    EXPECT_GE((Clock::now() - overWound) / 1ms, 2500);
    bool atRest = false;
    for (int key = 0; key <= 6; ++key)
        atRest = atRest || now == restShape(key);
    EXPECT_TRUE(atRest) << testing::PrintToString(now);
    sleep_for(700ms);
    EXPECT_EQ(shape(window_), now) << "still moving after the shake";
    EXPECT_EQ(where(), start) << "an over-wound toy walked";
}

// The hand follows the hold: open whenever the toy is free (from the start,
// after a release, and once an over-wind ends the hold), grabbing while the
// left button holds it.
TEST_F(Winding, TheCursorIsTheGrabbingHandOnlyWhileTheToyIsHeld)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QImage desktop = cursorImage();
    ASSERT_FALSE(desktop.isNull()) << "no XFixes cursor image";
    ASSERT_TRUE(move(at(kBody)));
    QImage free;
    ASSERT_TRUE(waitUntil([&] { return (free = cursorImage()) != desktop; }, 2s))
        << "the toy shows the desktop's cursor";
    ASSERT_TRUE(xdo("mousedown 1"));
    QImage held;
    EXPECT_TRUE(waitUntil([&] { return (held = cursorImage()) != free; }, 2s))
        << "the same hand at start as while held";
    EXPECT_NE(held, desktop);
    ASSERT_TRUE(xdo("mouseup 1"));
    EXPECT_TRUE(waitUntil([&] { return cursorImage() == free; }, 2s)) << "not open after release";

    ASSERT_TRUE(xdo("mousedown 1"));
    ASSERT_TRUE(waitUntil([&] { return cursorImage() == held; }, 2s));
    std::string steps;
    for (int i = 0; i < 11; ++i)
        steps += " click 3";
    ASSERT_TRUE(xdo(steps));
    EXPECT_TRUE(waitUntil([&] { return cursorImage() == free; }, 2s))
        << "still grabbing after the over-wind ended the hold";
    ASSERT_TRUE(xdo("mouseup 1"));
}

TEST_F(Winding, DraggingMovesTheWindowWithThePointer)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = where(), grab = at(kBody);
    ASSERT_TRUE(move(grab) && xdo("mousedown 1"));
    for (const QPoint step : {QPoint(9, 6), QPoint(19, 12), QPoint(28, 17), QPoint(37, 23)})
        ASSERT_TRUE(move(grab + step));
    EXPECT_TRUE(waitUntil([&] { return where() == start + QPoint(37, 23); }, 2s))
        << "held at " << testing::PrintToString(where());
    ASSERT_TRUE(xdo("mouseup 1"));
    sleep_for(700ms);
    EXPECT_EQ(where(), start + QPoint(37, 23)) << "it moved after the release";
}

} // namespace
} // namespace zorrel::e2e
