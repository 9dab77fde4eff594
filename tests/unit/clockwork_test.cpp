#include "FakeToyWindow.h"
#include "toy/Toy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>

using namespace zorrel::toy;
using zorrel::art::FrameSet;
using zorrel::test::FakeToyWindow;

namespace {

constexpr Button kLeft = Button::Left;
constexpr Button kRight = Button::Right;
constexpr Button kMiddle = Button::Middle;
constexpr HeldButtons kLeftHeld{.left = true};

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
        for (const auto &p : window.poses)
            indexes += static_cast<char>('0' + (set == FrameSet::Head   ? p.headFrame
                                                : set == FrameSet::Legs ? p.legFrame
                                                                        : p.keyFrame));
        return indexes;
    }
    // The wind, whether the timer ticks, the flags that are set, the grabbing
    // hand, the window's left edge in pixels and the sounds played: c a
    // click, s a step.
    [[nodiscard]] std::string status() const { return status(toy.state()); }
    [[nodiscard]] std::string status(const ToyState &s) const
    {
        const auto flag = [](bool f, const std::string &name) { return f ? " " + name : ""; };
        std::ostringstream out;
        out << "wind " << s.windLevel << (window.interval != 0 ? " ticking" : " still")
            << flag(s.dragging, "held") << flag(s.justWound, "wound")
            << flag(s.headShaking, "shaking")
            << (window.cursor == HandCursor::Grabbing ? " grabbing" : "") << " at " << window.at.x
            << (window.effects.empty() ? "" : " sounds ");
        for (const std::string &e : window.effects)
            out << (e == "Korrin0.wav" ? 'c' : e == "Korrin1.wav" ? 's' : '?');
        return out.str();
    }

    FakeToyWindow window;
    Toy toy{window, window};
};

TEST_F(ClockworkTest, StartUpPreparesTheStateAndShowsTheStoredSoundOption)
{
    zorrel::toy::ToyState expected;
    expected.headSequence = toy.state().headSequence; // shown by the over-wind
    expected.soundOn = true;                          // as stored
    EXPECT_TRUE(toy.state() == expected) << "all else is as created";
    EXPECT_TRUE(window.intervals.empty()) << "start-up leaves the timer stopped";
    EXPECT_EQ(window.moves, 0) << "start-up does not move the window";
    EXPECT_TRUE(window.loadedWithDefault) << "the sound option loads last, default on";
    window.stored = false;
    toy.load();
    EXPECT_FALSE(toy.state().soundOn);
}

TEST_F(ClockworkTest, WindStepsStoreWindUpToTheLimitThenOverWind)
{
    for (int i = 1; i <= 10; ++i) {
        toy.windStep();
        EXPECT_EQ(status(), "wind " + std::to_string(40 * i) + " ticking at 500 sounds " +
                                std::string(i, 'c'));
    }
    tick(4);
    EXPECT_EQ(toy.state().windTicks, 5);
    window.effects.clear();
    ToyState from = toy.state();
    from.windLevel = 360;
    Toy at360(window, window, from);
    at360.windStep();
    EXPECT_EQ(at360.state().windTicks, 9) << "a fresh count, not added";
    EXPECT_EQ(status(at360.state()), "wind 400 ticking at 500 sounds c") << "400 itself is allowed";
    from.windLevel = 361;
    Toy at361(window, window, from);
    at361.windStep();
    EXPECT_EQ(status(at361.state()), "wind 0 ticking shaking at 500 sounds c")
        << "over-winding is silent";
    EXPECT_EQ(at361.state().headSeqPos, 0);
}

// One step's wind, then a full wind: nine key turns at the fast pace, then
// a pixel a tick at the pace of the wind left, until it is spent.
TEST_F(ClockworkTest, WindIsWalkedOffAtAFallingPace)
{
    for (const int steps : {1, 10}) {
        SCOPED_TRACE(steps);
        const int startLeft = window.at.x;
        window.intervals.clear();
        wind(steps, 8);
        ASSERT_EQ(window.intervals.size(), std::size_t(steps)) << "a pace set by each step";
        const int keyTurn = window.intervals.front();
        const std::vector<int> after = runUntilStopped(); // the last key turn, then the walk
        ASSERT_EQ(after.size(), 40U * steps + 1);
        EXPECT_EQ(after.front() == keyTurn, steps == 10)
            << "only a full wind walks off as fast as the key turns";
        EXPECT_TRUE(std::is_sorted(after.begin(), after.end() - 1)) << "it never speeds up";
        EXPECT_EQ(after.back(), 0) << "then it stops";
        const std::set<int> paces(after.begin(), after.end() - 1);
        EXPECT_EQ(paces.size(), steps == 10 ? 3U : 2U) << "one step slows once, a full wind twice";
        EXPECT_EQ(startLeft - window.at.x, 40 * steps) << "one pixel per tick";
    }
}

TEST_F(ClockworkTest, LegsAndKeyRhythm)
{
    wind(2, 9); // key 0 -> 2 (the second step restarted the count)
    EXPECT_EQ(toy.state().keyFrame, 2);
    window.poses.clear();
    window.effects.clear();
    tick(22);
    std::string legs, keys; // the key turns back and wraps
    for (int i = 0; i < 22; ++i) {
        legs += static_cast<char>('0' + (i + 1) % 11);
        keys += static_cast<char>('0' + (8 - i % 7) % 7);
    }
    EXPECT_EQ(shown(FrameSet::Legs), legs);
    EXPECT_EQ(shown(FrameSet::Key), keys);
    EXPECT_EQ(shown(FrameSet::Head), std::string(22, '0')) << "the head stays";
    EXPECT_EQ(window.effects, std::vector<std::string>(2, "Korrin1.wav"))
        << "a footstep per stride";
    EXPECT_EQ(window.posesShown, 1 + 9 + 22) << "every frame change shows a new pose";
}

TEST_F(ClockworkTest, WindStepWhileWalkingTurnsTheKeyThenWalksOn)
{
    wind(1, 9 + 5); // five pixels walked
    const auto legFrame = toy.state().legFrame;
    wind(1, 9);
    EXPECT_EQ(toy.state().legFrame, legFrame);
    EXPECT_EQ(status(), "wind 75 ticking at 495 sounds cc")
        << "key turns do not move the toy; the walk resumes at the new level's pace";
    tick();
    EXPECT_EQ(status(), "wind 74 ticking at 494 sounds cc");
}

TEST_F(ClockworkTest, HeadSequenceAndItsSkip)
{
    wind(3, 9 + 10);
    const auto before = toy.state();
    wind(8); // 110 + 280 = 390; the eighth step over-winds
    window.poses.clear();
    toy.windStep(); // ignored while the head shakes
    EXPECT_EQ(status(), "wind 0 ticking shaking at 490 sounds cccccccccc");
    EXPECT_EQ(runUntilStopped().size(), 29U);
    EXPECT_EQ(shown(FrameSet::Head), "12314131413141314131413141210");
    EXPECT_EQ(status(), "wind 0 still at 490 sounds cccccccccc") << "the shake walks no step";
    const auto &s = toy.state();
    EXPECT_EQ(std::tuple(s.headFrame, s.keyFrame, s.legFrame),
              std::tuple(0, before.keyFrame, before.legFrame));

    for (int at = 0; at <= 28; ++at) {
        wind(11, at);
        window.poses.clear();
        toy.skipHeadSequence();
        EXPECT_EQ(runUntilStopped().size(), 3U) << "skipped after " << at << " ticks";
        EXPECT_EQ(shown(FrameSet::Head), "210");
    }
}

TEST_F(ClockworkTest, LeftLimitIsHeldAndTheToyWalksOnTheSpot)
{
    window.at.x = 3;
    wind(2, 9);
    runUntilStopped();
    EXPECT_EQ(status(), "wind 0 still at -2 sounds ccsssssss")
        << "the client area two pixels past the edge, the wind is spent on the spot";

    window.at.x = -31; // left of the limit: back on the first step
    wind(1, 10);
    EXPECT_EQ(window.at.x, -2);

    // With a screen left of the primary one the limit moves with the desktop.
    window.desktopLeftEdge = -1024;
    window.at.x = -1;
    wind(1, 9 + 3);
    EXPECT_EQ(window.at.x, -4) << "walks on past the primary screen's edge";

    window.desktopLeftEdge = 0;
    window.at.x = -2;
    window.effects.clear();
    tick(20);
    EXPECT_EQ(status(), "wind 56 ticking at -2 sounds ss")
        << "exactly at the limit the toy does not move, but it keeps stepping";
}

TEST_F(ClockworkTest, WalkingTicksDoNothingWhileHeldOrJustWound)
{
    wind(1, 9);
    for (const bool dragging : {true, false}) {
        ToyState from = toy.state();
        from.dragging = dragging;
        from.justWound = !dragging;
        Toy waiting(window, window, from);
        const int shapes = window.posesShown, pace = window.interval;
        for (int i = 0; i < 5; ++i)
            waiting.tick();
        EXPECT_TRUE(waiting.state() == from);
        EXPECT_EQ(window.posesShown, shapes);
        EXPECT_EQ(status(waiting.state()), std::string("wind 40 ticking ") +
                                               (dragging ? "held" : "wound") + " at 500 sounds c");
        EXPECT_EQ(window.interval, pace) << "the timer keeps its pace";
    }
}

// Held, the wind waits for the release; over-winding ends the hold.
TEST_F(ClockworkTest, HoldWindAndReleaseToWalk)
{
    toy.pointerPressed(kLeft, 10, 8);
    EXPECT_EQ(status(), "wind 0 still held grabbing at 500");
    EXPECT_EQ(toy.state().grabX, 10.0F);
    for (int i = 0; i < 5; ++i)
        toy.pointerPressed(kRight, 10, 8);
    EXPECT_EQ(status(), "wind 200 ticking held wound grabbing at 500 sounds ccccc");
    tick(9);
    EXPECT_EQ(window.interval, 0) << "held: the walk waits for the release";
    toy.pointerReleased(kRight); // right release is ignored
    EXPECT_EQ(status(), "wind 200 still held wound grabbing at 500 sounds ccccc");
    toy.pointerReleased(kLeft);
    EXPECT_EQ(status(), "wind 200 ticking at 500 sounds cccccs");

    toy.pointerPressed(kLeft, 0, 0);
    for (int i = 0; i < 6; ++i) // 440: over-wound
        toy.pointerPressed(kRight, 0, 0);
    toy.pointerMoved(kLeftHeld, 40, 0);
    EXPECT_EQ(status(), "wind 0 ticking wound shaking at 500 sounds cccccsccccc")
        << "over-winding ends the hold: the window no longer follows";
    toy.pointerReleased(kLeft);
    EXPECT_EQ(window.interval, 120);
}

TEST_F(ClockworkTest, PressStopsAWalkAndReleaseResumesIt)
{
    toy.pointerPressed(kLeft, 0, 0);
    toy.pointerReleased(kLeft);
    EXPECT_TRUE(window.effects.empty()) << "a release with no wind plays nothing";
    EXPECT_EQ(window.intervals, std::vector<int>{0}) << "and leaves the timer alone";

    wind(3, 9 + 2);
    toy.pointerPressed(kLeft, 10, 10);
    EXPECT_EQ(window.interval, 0);
    toy.pointerReleased(kLeft);
    EXPECT_EQ(window.interval, 1);

    // Pressed during a key turn, released: the walk resumes at once.
    wind(1, 3);
    toy.pointerPressed(kLeft, 10, 10);
    toy.pointerReleased(kLeft);
    EXPECT_EQ(toy.state().windTicks, 0);
    tick();
    EXPECT_EQ(status(), "wind 157 ticking at 497 sounds cccscs") << "it walks on at once";
}

TEST_F(ClockworkTest, DragFollowsThePointerWithLeftAlone)
{
    toy.pointerPressed(kLeft, 20, 10);
    toy.pointerMoved(kLeftHeld, 30, 6); // +10 px, -4 px
    EXPECT_EQ(status(), "wind 0 still held grabbing at 510");
    EXPECT_EQ(window.at.y, 300 - 4);
    EXPECT_EQ(window.moves, 1);
    toy.pointerMoved({.left = true, .right = true}, 60, 60);
    toy.pointerMoved(kLeftHeld, 20 - 500 * 2, 10);
    EXPECT_EQ(window.at.x, -490) << "no bounds";
    EXPECT_EQ(window.moves, 2) << "both buttons down does not drag";
    toy.pointerReleased(kLeft);
    toy.pointerMoved(kLeftHeld, 60, 60);
    toy.pointerPressed(kMiddle, 1, 1);
    toy.pointerReleased(kMiddle);
    EXPECT_EQ(status(), "wind 0 still at -490")
        << "released, moves and the middle button do nothing";
    EXPECT_EQ(window.menusShown, 0);
}

TEST_F(ClockworkTest, GesturesDuringTheHeadShake)
{
    wind(11, 4);
    toy.pointerPressed(kLeft, 0, 0);
    EXPECT_EQ(toy.state().headSeqPos, 26) << "a press skips to the last frames";
    EXPECT_EQ(status(), "wind 0 ticking held shaking grabbing at 500 sounds cccccccccc")
        << "and does not stop them";
    toy.pointerPressed(kRight, 0, 0);
    toy.pointerMoved(kLeftHeld, 10, 0);
    EXPECT_EQ(status(), "wind 0 ticking held wound shaking grabbing at 510 sounds cccccccccc")
        << "no winding, but the toy can be dragged meanwhile";
    toy.pointerReleased(kLeft);
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
    EXPECT_EQ(status(), "wind 40 ticking at 500 sounds c")
        << "chosen from the menu the toy walks by itself";

    toy.toggleSound();
    toy.toggleSound();
    EXPECT_EQ(window.storedValues, (std::vector<bool>{false, true}));
    EXPECT_TRUE(toy.state().soundOn);

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
    std::uniform_int_distribution<int> coordinate(-200, 200);
    std::uniform_int_distribution<int> button(0, 2);
    std::uniform_int_distribution<unsigned> held(1, 7); // a bit for each button

    for (int run = 0; run < 3000; ++run) {
        FakeToyWindow window;
        Toy toy(window, window);
        toy.load();
        window.onMenu = [&] {
            if (action(random) < 5)
                toy.windItUp();
        };
        // The gestures, with ticks four times as likely as any one of them.
        const std::function<void(float, float)> gestures[] = {
            [&](float x, float y) { toy.pointerPressed(kLeft, x, y); },
            [&](float, float) { toy.pointerReleased(kLeft); },
            [&](float x, float y) { toy.pointerPressed(kRight, x, y); },
            [&](float x, float y) {
                const unsigned bits = held(random);
                toy.pointerMoved({(bits & 1U) != 0, (bits & 2U) != 0, (bits & 4U) != 0}, x, y);
            },
            [&](float, float) { toy.windItUp(); },
            [&](float, float) { toy.pointerReleased(static_cast<Button>(button(random))); },
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
        for (const auto &p : window.poses)
            ASSERT_TRUE(within(p.headFrame, 0, 4) && within(p.legFrame, 0, 10) &&
                        within(p.keyFrame, 0, 6));
    }
}

} // namespace
