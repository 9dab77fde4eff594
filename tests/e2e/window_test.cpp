// The toy window as the desktop sees it: place, shape, states, what shows
// through it and where clicks outside its shape go. And the toy as a guest on
// somebody's desktop: it leaves the keyboard focus alone, stays on every
// workspace and off the task bar, keeps where the window manager puts it,
// walks only where a monitor shows it, comes back into view when the screen
// shrinks, and keeps a fine outline at 2x.

#include "e2e/support/ToyFixture.h"

#include <QImage>

#include <memory>

namespace zorrel::e2e {
namespace {

using Window = ToyFixture;
using Manners = ToyFixture;

TEST_F(Window, MapsCentredOnTopOffTheTaskbarWithTheRestPoseShape)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_NEAR(where().x(), 477, 1);
    EXPECT_NEAR(where().y(), 336, 1);
    EXPECT_EQ(shape(window_), restShape());
    // The window manager applies the states a moment after the mapping.
    for (const std::string state : {"ABOVE", "SKIP_TASKBAR", "SKIP_PAGER"})
        EXPECT_TRUE(waitUntil(
            [&] { return property("_NET_WM_STATE").find("_STATE_" + state) != std::string::npos; },
            3s))
            << state;
}

TEST_F(Window, DesktopShowsAroundAndThroughTheShape)
{
    const QColor green(0, 255, 0);
    run("display -window root -size 1024x768 xc:#00ff00");
    ASSERT_NO_FATAL_FAILURE(launch());
    sleep_for(300ms); // first paint
    const QString shot = dir_.filePath(QStringLiteral("shot.png"));
    run("import -window root " + shot.toStdString());
    const QImage screen(shot);
    const QPoint inside[] = {{40, 60}, {35, 85}, {20, 110}, {57, 85}, {60, 90}};
    const QPoint outside[] = {{62, 85}, {62, 96}, {30, 103}};
    for (const QPoint p : inside) {
        ASSERT_TRUE(restShape().contains(p - kClient)) << testing::PrintToString(p);
        EXPECT_NE(screen.pixelColor(at(p)), green) << testing::PrintToString(p);
    }
    for (const QPoint p : outside) {
        ASSERT_FALSE(restShape().contains(p - kClient)) << testing::PrintToString(p);
        EXPECT_EQ(screen.pixelColor(at(p)), green) << testing::PrintToString(p);
    }
}

// Compositors that show a window's whole rectangle and ignore its outline
// show the window's own pixels: transparent outside the outline, opaque
// inside it, at rest and after a walk that changed the outline each step.
TEST_F(Window, ItsOwnPixelsAreTransparentExactlyOutsideTheOutline)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_NE(run("xwininfo -id " + std::to_string(window_)).out.find("Depth: 32"),
              std::string::npos)
        << "no 32-bit visual";
    const auto mismatches = [&] {
        const QImage pixels = ownPixels(window_);
        const QRegion outline = shape(window_);
        int wrong = pixels.isNull() ? -1 : 0;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                wrong += qAlpha(pixels.pixel(x, y)) != (outline.contains(QPoint(x, y)) ? 255 : 0);
        return wrong;
    };
    sleep_for(300ms); // first paint
    EXPECT_EQ(mismatches(), 0) << "at rest";
    ASSERT_TRUE(holdAndWind(3) && xdo("mouseup 1"));
    sleep_for(100ms);
    restingPlace();
    EXPECT_NE(shape(window_), restShape()) << "the walk left the rest pose unchanged";
    EXPECT_EQ(mismatches(), 0) << "after the walk";
}

TEST_F(Window, ClicksOutsideTheShapeReachTheWindowBelow)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint pos = where();
    Probe below(QRect(pos - QPoint(20, 20), QSize(69 + 40, 96 + 40)));
    sleep_for(100ms);
    ASSERT_TRUE(move(at(kBody)) && xdo("click 1"));
    EXPECT_FALSE(below.press(300ms)) << "the toy let a click on its body through";
    // Through the key's loop, and beside the legs.
    for (const QPoint p : {QPoint(62, 85), QPoint(62, 96)}) {
        ASSERT_TRUE(move(at(p)) && xdo("click 1"));
        EXPECT_EQ(below.press(2s), at(p));
    }
    EXPECT_EQ(where(), pos) << "clicks beside the toy moved it";
}

TEST_F(Manners, FocusStaysWithTheWindowTheUserIsTypingIn)
{
    run("xmessage -name zorrel-focus -geometry +10+10 'typing here' >/dev/null 2>&1 &");
    std::vector<Xid> typing;
    ASSERT_TRUE(waitUntil([&] { return !(typing = windows("--name zorrel-focus")).empty(); }, 5s));
    const std::string id = std::to_string(typing.front());
    ASSERT_TRUE(xdo("windowactivate --sync " + id));
    const auto focus = [] { return run("xdotool getwindowfocus").out; };
    const std::string focused = focus();

    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_EQ(focus(), focused) << "at start";
    ASSERT_TRUE(move(at(kBody)) && xdo("click 1"));
    sleep_for(200ms);
    EXPECT_EQ(focus(), focused) << "on a click";
    ASSERT_TRUE(holdAndWind(2) && move(at(kBody) + QPoint(30, 20)) && xdo("mouseup 1"));
    sleep_for(200ms);
    EXPECT_EQ(focus(), focused) << "on a wind and a drag";
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

TEST_F(Manners, AScreenThatShrinksUnderTheWalkingToyBringsItBackIntoView)
{
    // The mode may be known from an earlier run on this display already.
    run("xrandr --newmode 640x480 25 640 656 752 800 480 490 492 525; "
        "xrandr --addmode screen 640x480");
    const auto screen = [](const std::string &size) {
        return run("xrandr --output screen --mode " + size + " --fb " + size).exit == 0;
    };
    const std::shared_ptr<void> restore(nullptr, [&](void *) { screen("1024x768"); });
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(xdo("windowmove --sync " + std::to_string(window_) + " 900 650"));
    ASSERT_TRUE(waitUntil([&] { return where() == QPoint(900, 650); }, 2s));
    ASSERT_TRUE(holdAndWind(3) && xdo("mouseup 1"));
    ASSERT_TRUE(waitUntil([&] { return where().x() < 895; }, 2s)) << "it does not walk";
    ASSERT_TRUE(screen("640x480"));
    EXPECT_TRUE(waitUntil(
        [&] { return where().x() + 69 <= 640 && where().y() + 96 <= 480 && where().x() >= 0; }, 3s))
        << testing::PrintToString(where());
    EXPECT_EQ(where().y(), 480 - 96);
    const int x = where().x();
    EXPECT_TRUE(waitUntil([&] { return where().x() < x - 5; }, 2s)) << "it walks on the spot";
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
