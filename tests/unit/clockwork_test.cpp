#include "FakeToyWindow.h"
#include "toy/Toy.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>

using namespace zorrel::toy;
using zorrel::test::FakeToyWindow;

namespace {

enum : std::int16_t { kLeft = 1, kRight = 2, kMiddle = 4 };

// The walking pace for the wind left after a step.
int pace(int level) { return level > 70 ? 1 : level > 30 ? 50 : level > 0 ? 120 : 0; }

class ClockworkTest : public ::testing::Test {
  protected:
    ClockworkTest() { toy.load(); }

    // Winds `steps` steps, then ticks `ticks` times.
    void wind(int steps, int ticks = 0)
    {
        for (int i = 0; i < steps; ++i)
            toy.windStep();
        tick(ticks);
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            toy.tick();
    }
    // Ticks while the timer runs; returns the interval left after each tick.
    std::vector<int> runUntilStopped()
    {
        std::vector<int> after;
        while (window.interval != 0 && after.size() < 5000) {
            toy.tick();
            after.push_back(window.interval);
        }
        return after;
    }
    // The frames of `set` shown so far, a character each from '0' on.
    [[nodiscard]] std::string shown(FrameSet set) const
    {
        std::string indexes;
        for (const auto &f : window.frames)
            if (f.set == set)
                indexes += static_cast<char>('0' + f.index);
        return indexes;
    }
    // The wind, the timer, the flags that are set, the grabbing hand, the
    // window's left edge in twips and the sounds played: c a click, s a step.
    [[nodiscard]] std::string status() const
    {
        const auto flag = [](std::int16_t f, const std::string &name) {
            return f == kFalse ? "" : f == kTrue ? " " + name : " bad " + name;
        };
        const auto &s = toy.state();
        std::ostringstream out;
        out << "wind " << s.windLevel << " timer " << window.interval << flag(s.dragging, "held")
            << flag(s.justWound, "wound") << flag(s.headShaking, "shaking")
            << (window.cursor == HandCursor::Grabbing ? " grabbing" : "") << " at "
            << window.leftTwips << (window.effects.empty() ? "" : " sounds ");
        for (const std::string &e : window.effects)
            out << (e == "Korrin0.wav" ? 'c' : e == "Korrin1.wav" ? 's' : '?');
        return out.str();
    }

    FakeToyWindow window;
    Toy toy{window};
};

TEST_F(ClockworkTest, StartUpPreparesTheStateAndShowsTheStoredSoundOption)
{
    zorrel::toy::ToyState expected;
    expected.headSequence = "12314131413141314131413141210";
    EXPECT_TRUE(toy.state() == expected) << "all else is as created";
    EXPECT_TRUE(window.intervals.empty()) << "start-up leaves the timer stopped";
    EXPECT_EQ(window.leftTwips, 7500) << "start-up does not move the window";
    EXPECT_TRUE(window.loadedWithDefault) << "the sound option loads last, default on";
    window.stored = false;
    toy.load();
    EXPECT_FALSE(window.soundMark);
}

TEST_F(ClockworkTest, WindStepsStoreWindUpToTheLimitThenOverWind)
{
    for (int i = 1; i <= 10; ++i) {
        toy.windStep();
        EXPECT_EQ(status(), "wind " + std::to_string(40 * i) + " timer 1 at 7500 sounds " +
                                std::string(i, 'c'));
    }
    tick(4);
    EXPECT_EQ(toy.state().windTicks, 5);
    window.effects.clear();
    toy.mutableState().windLevel = 360;
    toy.windStep();
    EXPECT_EQ(toy.state().windTicks, 9) << "a fresh count, not added";
    EXPECT_EQ(status(), "wind 400 timer 1 at 7500 sounds c") << "400 itself is allowed";
    toy.mutableState().windLevel = 361;
    toy.windStep();
    EXPECT_EQ(status(), "wind 0 timer 120 shaking at 7500 sounds c") << "over-winding is silent";
    EXPECT_EQ(toy.state().headSeqPos, 0);
}

// One step's wind, then a full wind: nine key turns at the fast pace, then
// a pixel a tick at the pace of the wind left, until it is spent.
TEST_F(ClockworkTest, WindIsWalkedOffAtAFallingPace)
{
    for (const int steps : {1, 10}) {
        SCOPED_TRACE(steps);
        const float startLeft = window.leftTwips;
        window.intervals.clear();
        wind(steps, 8);
        EXPECT_EQ(window.intervals, std::vector<int>(steps, 1)) << "the key turns fast";
        const std::vector<int> after = runUntilStopped(); // the last key turn, then the walk
        ASSERT_EQ(after.size(), 40U * steps + 1);
        for (std::size_t i = 0; i < after.size(); ++i)
            ASSERT_EQ(after[i], pace(40 * steps - static_cast<int>(i))) << "tick " << i;
        EXPECT_EQ(startLeft - window.leftTwips, 40 * steps * 15.0F) << "one pixel per tick";
    }
}

TEST_F(ClockworkTest, LegsAndKeyRhythm)
{
    wind(2, 9); // key 0 -> 2 (the second step restarted the count)
    EXPECT_EQ(toy.state().keyFrame, 2);
    window.frames.clear();
    window.effects.clear();
    tick(22);
    std::string legs, keys; // the key turns back and wraps
    for (int i = 0; i < 22; ++i) {
        legs += static_cast<char>('0' + (i + 1) % 11);
        keys += static_cast<char>('0' + (8 - i % 7) % 7);
    }
    EXPECT_EQ(shown(FrameSet::Legs), legs);
    EXPECT_EQ(shown(FrameSet::Key), keys);
    EXPECT_EQ(shown(FrameSet::Head), "");
    EXPECT_EQ(window.effects, std::vector<std::string>(2, "Korrin1.wav"))
        << "a footstep per stride";
    EXPECT_EQ(window.shapeUpdates, 1 + 9 + 22) << "every frame change recomposes the shape";
}

TEST_F(ClockworkTest, WindStepWhileWalkingTurnsTheKeyThenWalksOn)
{
    wind(1, 9 + 5); // five pixels walked
    const auto legFrame = toy.state().legFrame;
    wind(1, 9);
    EXPECT_EQ(toy.state().legFrame, legFrame);
    EXPECT_EQ(status(), "wind 75 timer 1 at 7425 sounds cc")
        << "key turns do not move the toy; the walk resumes at the new level's pace";
    tick();
    EXPECT_EQ(status(), "wind 74 timer 1 at 7410 sounds cc");
}

TEST_F(ClockworkTest, HeadSequenceAndItsSkip)
{
    wind(3, 9 + 10);
    const auto before = toy.state();
    wind(8); // 110 + 280 = 390; the eighth step over-winds
    window.frames.clear();
    toy.windStep(); // ignored while the head shakes
    EXPECT_EQ(status(), "wind 0 timer 120 shaking at 7350 sounds cccccccccc");
    EXPECT_EQ(runUntilStopped().size(), 29U);
    EXPECT_EQ(shown(FrameSet::Head), "12314131413141314131413141210");
    EXPECT_EQ(status(), "wind 0 timer 0 at 7350 sounds cccccccccc") << "the shake walks no step";
    const auto &s = toy.state();
    EXPECT_EQ(std::tuple(s.headFrame, s.keyFrame, s.legFrame),
              std::tuple(0, before.keyFrame, before.legFrame));

    for (int at = 0; at <= 28; ++at) {
        wind(11, at);
        window.frames.clear();
        toy.skipHeadSequence();
        EXPECT_EQ(runUntilStopped().size(), 3U) << "skipped after " << at << " ticks";
        EXPECT_EQ(shown(FrameSet::Head), "210");
    }
}

TEST_F(ClockworkTest, LeftLimitIsHeldAndTheToyWalksOnTheSpot)
{
    window.leftTwips = 0;
    wind(2, 9);
    runUntilStopped();
    EXPECT_EQ(status(), "wind 0 timer 0 at -75 sounds ccsssssss")
        << "five pixels past the edge, the wind is spent on the spot";

    window.leftTwips = -500; // left of the limit: back on the first step
    wind(1, 10);
    EXPECT_FLOAT_EQ(window.leftTwips, -75);

    // With a screen left of the primary one the limit moves with the desktop.
    window.desktopLeftTwips = -1024 * 15;
    window.leftTwips = -60;
    wind(1, 9 + 3);
    EXPECT_FLOAT_EQ(window.leftTwips, -105) << "walks on past the primary screen's edge";

    window.desktopLeftTwips = 0;
    window.snapping = false;
    window.leftTwips = -70;
    window.effects.clear();
    tick(20);
    EXPECT_EQ(status(), "wind 56 timer 50 at -70 sounds ss")
        << "exactly at the limit the toy does not move, but it keeps stepping";
}

TEST_F(ClockworkTest, WalkingTicksDoNothingWhileHeldOrJustWound)
{
    wind(1, 9);
    for (const bool dragging : {true, false}) {
        toy.mutableState().dragging = dragging ? kTrue : kFalse;
        toy.mutableState().justWound = dragging ? kFalse : kTrue;
        const auto before = toy.state();
        const int shapes = window.shapeUpdates;
        tick(5);
        EXPECT_TRUE(toy.state() == before);
        EXPECT_EQ(window.shapeUpdates, shapes);
        EXPECT_EQ(status(), std::string("wind 40 timer 50 ") + (dragging ? "held" : "wound") +
                                " at 7500 sounds c"); // the timer keeps its pace
    }
}

// Held, the wind waits for the release; over-winding ends the hold.
TEST_F(ClockworkTest, HoldWindAndReleaseToWalk)
{
    toy.pointerPressed(kLeft, 150, 120);
    EXPECT_EQ(status(), "wind 0 timer 0 held grabbing at 7500");
    EXPECT_EQ(toy.state().grabX, 150.0F);
    for (int i = 0; i < 5; ++i)
        toy.pointerPressed(kRight, 150, 120);
    EXPECT_EQ(status(), "wind 200 timer 1 held wound grabbing at 7500 sounds ccccc");
    tick(9);
    EXPECT_EQ(window.interval, 0) << "held: the walk waits for the release";
    toy.pointerReleased(kRight, 150, 120); // right release is ignored
    EXPECT_EQ(status(), "wind 200 timer 0 held wound grabbing at 7500 sounds ccccc");
    toy.pointerReleased(kLeft, 150, 120);
    EXPECT_EQ(status(), "wind 200 timer 1 at 7500 sounds cccccs");

    toy.pointerPressed(kLeft, 0, 0);
    for (int i = 0; i < 6; ++i) // 440: over-wound
        toy.pointerPressed(kRight, 0, 0);
    toy.pointerMoved(kLeft, 600, 0);
    EXPECT_EQ(status(), "wind 0 timer 120 wound shaking at 7500 sounds cccccsccccc")
        << "over-winding ends the hold: the window no longer follows";
    toy.pointerReleased(kLeft, 0, 0);
    EXPECT_EQ(window.interval, 120);
}

TEST_F(ClockworkTest, PressStopsAWalkAndReleaseResumesIt)
{
    toy.pointerPressed(kLeft, 0, 0);
    toy.pointerReleased(kLeft, 0, 0);
    EXPECT_TRUE(window.effects.empty()) << "a release with no wind plays nothing";
    EXPECT_EQ(window.intervals, std::vector<int>{0}) << "and leaves the timer alone";

    wind(3, 9 + 2);
    toy.pointerPressed(kLeft, 10, 10);
    EXPECT_EQ(window.interval, 0);
    toy.pointerReleased(kLeft, 10, 10);
    EXPECT_EQ(window.interval, 1);

    // Pressed during a key turn, released: the walk resumes at once.
    wind(1, 3);
    toy.pointerPressed(kLeft, 10, 10);
    toy.pointerReleased(kLeft, 10, 10);
    EXPECT_EQ(toy.state().windTicks, 0);
    tick();
    EXPECT_EQ(status(), "wind 157 timer 1 at 7455 sounds cccscs") << "it walks on at once";
}

TEST_F(ClockworkTest, DragFollowsThePointerWithLeftAlone)
{
    toy.pointerPressed(kLeft, 300, 150);
    toy.pointerMoved(kLeft, 450, 90); // +10 px, -4 px
    EXPECT_EQ(status(), "wind 0 timer 0 held grabbing at 7650");
    EXPECT_FLOAT_EQ(window.topTwips, 4500 - 60);
    EXPECT_EQ(window.eventRuns, 1);
    toy.pointerMoved(kLeft | kRight, 900, 900);
    toy.pointerMoved(kLeft, 300 - 7500 * 2, 150);
    EXPECT_FLOAT_EQ(window.leftTwips, -7350) << "no bounds";
    EXPECT_EQ(window.eventRuns, 2) << "both buttons down does not drag";
    toy.pointerReleased(kLeft, 0, 0);
    toy.pointerMoved(kLeft, 900, 900);
    toy.pointerPressed(kMiddle, 1, 1);
    toy.pointerReleased(kMiddle, 1, 1);
    EXPECT_EQ(status(), "wind 0 timer 0 at -7350")
        << "released, moves and the middle button do nothing";
    EXPECT_EQ(window.menusShown, 0);
}

TEST_F(ClockworkTest, GesturesDuringTheHeadShake)
{
    wind(11, 4);
    toy.pointerPressed(kLeft, 0, 0);
    EXPECT_EQ(toy.state().headSeqPos, 26) << "a press skips to the last frames";
    EXPECT_EQ(status(), "wind 0 timer 120 held shaking grabbing at 7500 sounds cccccccccc")
        << "and does not stop them";
    toy.pointerPressed(kRight, 0, 0);
    toy.pointerMoved(kLeft, 150, 0);
    EXPECT_EQ(status(), "wind 0 timer 120 held wound shaking grabbing at 7650 sounds cccccccccc")
        << "no winding, but the toy can be dragged meanwhile";
    toy.pointerReleased(kLeft, 0, 0);
    EXPECT_EQ(runUntilStopped().size(), 3U);

    wind(11, 2);
    toy.pointerPressed(kRight, 0, 0);
    EXPECT_EQ(toy.state().headSeqPos, 26);
    EXPECT_EQ(window.menusShown, 1);
}

TEST_F(ClockworkTest, MenuCommands)
{
    window.onMenu = [this] { toy.windItUp(); };
    toy.pointerPressed(kRight, 0, 0);
    tick(9);
    EXPECT_EQ(status(), "wind 40 timer 50 at 7500 sounds c")
        << "chosen from the menu the toy walks by itself";

    toy.toggleSound();
    toy.toggleSound();
    EXPECT_EQ(window.storedValues, (std::vector<bool>{false, true}));
    EXPECT_TRUE(window.soundMark);

    toy.showAbout();
    EXPECT_FALSE(window.enabled);
    EXPECT_EQ(window.aboutShown, 1);
    EXPECT_EQ(window.interval, 50) << "the about box leaves the walk alone";

    toy.exit();
    EXPECT_TRUE(window.unloaded);
}

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
