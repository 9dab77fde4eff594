// The toy as a guest on somebody's desktop: it leaves the keyboard focus
// alone, stays on every workspace and off the task bar, keeps where the
// window manager puts it, walks only where a monitor shows it, and keeps a
// fine outline at 2x.

#include "e2e/support/ToyFixture.h"

namespace zorrel::e2e {
namespace {

class Manners : public ToyFixture {
  protected:
    // Waits until the toy keeps still for 0.6 s and returns where it is.
    [[nodiscard]] QPoint restingPlace() const
    {
        QPoint last = where();
        auto still = Clock::now();
        for (const auto deadline = Clock::now() + 30s; Clock::now() < deadline; sleep_for(20ms)) {
            const QPoint now = where();
            if (now != last)
                still = Clock::now();
            else if (Clock::now() - still > 600ms)
                break;
            last = now;
        }
        return last;
    }
    [[nodiscard]] std::string property(const std::string &name) const
    {
        return run("xprop -id " + std::to_string(window_) + " " + name).out;
    }
};

TEST_F(Manners, FocusStaysWithTheWindowTheUserIsTypingIn)
{
    run("xmessage -name zorrel-focus -geometry +10+10 'typing here' >/dev/null 2>&1 &");
    std::vector<Xid> typing;
    ASSERT_TRUE(waitUntil([&] { return !(typing = windows("--name zorrel-focus")).empty(); }, 5s));
    const std::string id = std::to_string(typing.front());
    ASSERT_TRUE(xdo("windowactivate --sync " + id));
    const std::string focused = run("xdotool getwindowfocus").out;

    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_EQ(run("xdotool getwindowfocus").out, focused) << "at start";
    ASSERT_TRUE(move(at(kBody)) && xdo("click 1"));
    sleep_for(200ms);
    EXPECT_EQ(run("xdotool getwindowfocus").out, focused) << "on a click";
    ASSERT_TRUE(holdAndWind(2));
    ASSERT_TRUE(move(at(kBody) + QPoint(30, 20)) && xdo("mouseup 1"));
    sleep_for(200ms);
    EXPECT_EQ(run("xdotool getwindowfocus").out, focused) << "on a wind and a drag";
    run("xdotool windowkill " + id);
}

TEST_F(Manners, OnEveryWorkspaceAndOffTheTaskBarEvenForALaterWindowManager)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    // On every workspace: sticky, or on the desktop that stands for all.
    EXPECT_TRUE(waitUntil(
        [&] {
            return property("_NET_WM_STATE").find("STICKY") != std::string::npos ||
                   property("_NET_WM_DESKTOP").find("4294967295") != std::string::npos;
        },
        3s))
        << property("_NET_WM_STATE") << property("_NET_WM_DESKTOP");
    ASSERT_TRUE(xdo("set_desktop 1"));
    sleep_for(300ms);
    EXPECT_NE(run("xwininfo -id " + std::to_string(window_)).out.find("IsViewable"),
              std::string::npos)
        << "gone from the second workspace";
    ASSERT_TRUE(xdo("set_desktop 0"));

    // A new window manager takes over, for good (outside run's time-out);
    // it must find the toy's states.
    run("sh -c 'openbox --replace --sm-disable >/dev/null 2>&1 &'");
    sleep_for(1500ms);
    for (const char *state : {"SKIP_TASKBAR", "SKIP_PAGER"})
        EXPECT_NE(property("_NET_WM_STATE").find(state), std::string::npos) << state;
}

TEST_F(Manners, AMoveByTheWindowManagerIsKeptByTheNextWalkAndTheShapeFollowsThePose)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_EQ(shape(window_), restShape());
    ASSERT_TRUE(xdo("windowmove --sync " + std::to_string(window_) + " 600 200"));
    ASSERT_TRUE(waitUntil([&] { return where() == QPoint(600, 200); }, 2s));
    ASSERT_TRUE(holdAndWind(1));
    sleep_for(400ms); // the key's nine turns, all of them
    ASSERT_TRUE(xdo("mouseup 1"));
    sleep_for(100ms);
    EXPECT_EQ(restingPlace(), QPoint(600 - 40, 200));
    // 9 key turns, then 40 steps: legs frame 40 % 11, key (9 - 40) mod 7.
    EXPECT_EQ(shape(window_), poseShape(0, 7, 4));
}

TEST_F(Manners, TheWalkStopsAtTheEdgeOfAMonitorThatCannotShowTheToy)
{
    // A left monitor that shows only the lower half of the screen's height.
    ASSERT_EQ(run("xrandr --setmonitor LEFT 512/135x384/101+0+384 none && "
                  "xrandr --setmonitor '*RIGHT' 512/135x768/203+512+0 screen")
                  .exit,
              0);
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = where();
    EXPECT_NEAR(start.x(), 512 + 256 - 34, 1) << "centred on the primary monitor";
    ASSERT_TRUE(holdAndWind(10) && xdo("mouseup 1"));
    sleep_for(100ms);
    const QPoint end = restingPlace();
    run("xrandr --delmonitor LEFT; xrandr --delmonitor RIGHT");
    EXPECT_GE(end.x(), 512 - 5) << "walked off its monitor";
    EXPECT_LE(end.x(), 512) << "stopped short of the edge";
    EXPECT_EQ(end.y(), start.y());
}

TEST_F(Manners, AtTwiceTheScaleTheOutlineStepsOneDevicePixelAtATime)
{
    setenv("QT_SCALE_FACTOR", "2", 1);
    launch();
    unsetenv("QT_SCALE_FACTOR");
    const QRegion outline = shape(window_);
    ASSERT_FALSE(outline.isEmpty());
    EXPECT_GT(outline.boundingRect().width(), 100) << "not scaled";
    bool oddStep = false;
    for (const QRect &r : outline)
        oddStep = oddStep || (r.x() | r.y() | r.width() | r.height()) % 2 != 0;
    EXPECT_TRUE(oddStep) << "the 1x outline scaled up";
}

} // namespace
} // namespace zorrel::e2e
