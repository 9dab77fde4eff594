// The toy window as the desktop sees it: place, shape, states, what shows
// through it and where clicks outside its shape go.

#include "e2e/support/ToyFixture.h"

#include <QColor>
#include <QTemporaryDir>

#include <algorithm>

namespace zorrel::e2e {
namespace {

const QColor kGreen(0, 255, 0);

class Window : public ToyFixture {};

bool hasState(const std::vector<std::string> &states, const std::string &name)
{
    return std::find(states.begin(), states.end(), name) != states.end();
}

TEST_F(Window, MapsCentredOnTopOffTheTaskbarWithTheRestPoseShape)
{
    ASSERT_NO_FATAL_FAILURE(launch());

    const std::optional<QRect> geometry = windowGeometry(window_);
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->size(), QSize(69, 96));
    EXPECT_LE(std::abs(geometry->x() - (1024 - 69) / 2), 1);
    EXPECT_LE(std::abs(geometry->y() - (768 - 96) / 2), 1);

    EXPECT_EQ(boundingShape(window_), composedShape());

    // The window manager applies the states a moment after the mapping.
    std::vector<std::string> states;
    waitUntil(
        [&] {
            states = netWmState(window_);
            return hasState(states, "_NET_WM_STATE_ABOVE") &&
                   hasState(states, "_NET_WM_STATE_SKIP_TASKBAR") &&
                   hasState(states, "_NET_WM_STATE_SKIP_PAGER");
        },
        3s, 20ms);
    EXPECT_TRUE(hasState(states, "_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(hasState(states, "_NET_WM_STATE_SKIP_TASKBAR"));
    EXPECT_TRUE(hasState(states, "_NET_WM_STATE_SKIP_PAGER"));
}

TEST_F(Window, DesktopShowsAroundAndThroughTheShape)
{
    ASSERT_TRUE(paintDesktop(kGreen)) << "could not paint the desktop";
    ASSERT_NO_FATAL_FAILURE(launch());
    pause(300ms); // first paint
    const QImage shot = screenshot();
    ASSERT_FALSE(shot.isNull());
    const QPoint pos = position();
    const QRegion rest = composedShape();

    // Outer-window points.
    const QPoint inside[] = {{40, 60}, {35, 85}, {20, 110}, {57, 85}, {60, 90}};
    std::vector<QPoint> outside = {{62, 85}, {62, 96}, {30, 103}};
    // And just beyond the extents of the shape, on each side.
    const QRect extents = rest.boundingRect().translated(kClientOrigin);
    const QPoint centre = extents.center();
    outside.insert(outside.end(), {{extents.left() - 1, centre.y()},
                                   {extents.right() + 1, centre.y()},
                                   {centre.x(), extents.top() - 1},
                                   {centre.x(), extents.bottom() + 1}});

    for (const QPoint &p : inside) {
        SCOPED_TRACE(testing::Message() << "inside point " << p.x() << "," << p.y());
        ASSERT_TRUE(rest.contains(p - kClientOrigin));
        EXPECT_NE(shot.pixelColor(rootPoint(pos, p)), kGreen);
    }
    for (const QPoint &p : outside) {
        SCOPED_TRACE(testing::Message() << "outside point " << p.x() << "," << p.y());
        ASSERT_FALSE(rest.contains(p - kClientOrigin));
        EXPECT_EQ(shot.pixelColor(rootPoint(pos, p)), kGreen);
    }
}

TEST_F(Window, ClicksOutsideTheShapeReachTheWindowBelow)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint pos = position();
    ProbeWindow below(QRect(pos - QPoint(20, 20), QSize(69 + 40, 96 + 40)));
    ASSERT_TRUE(below.mapped());
    pause(100ms);

    // A click on the body is the toy's.
    ASSERT_TRUE(mouseMove(rootPoint(pos, kBodyPoint)));
    ASSERT_TRUE(click(1));
    EXPECT_FALSE(below.waitForPress(300ms)) << "the toy let a click on its body through";

    // Through the key's loop, and beside the legs.
    for (const QPoint outer : {QPoint(62, 85), QPoint(62, 96)}) {
        SCOPED_TRACE(testing::Message() << "outside point " << outer.x() << "," << outer.y());
        const QPoint target = rootPoint(pos, outer);
        ASSERT_TRUE(mouseMove(target));
        ASSERT_TRUE(click(1));
        const std::optional<QPoint> press = below.waitForPress(2s);
        ASSERT_TRUE(press) << "the window below got no click";
        EXPECT_EQ(*press, target);
    }
    EXPECT_EQ(position(), pos) << "clicks beside the toy moved it";
}

TEST(WindowWithoutDisplay, ExitsWithStatusOneAndOneLine)
{
    QTemporaryDir config;
    const std::vector<std::string> env =
        environmentWith({"XDG_CONFIG_HOME=" + config.path().toStdString()},
                        {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    const CommandResult r = runCommand({ZORREL_BINARY}, 10s, &env);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.signal, 0) << "ended by a signal";
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("zorrel:", 0), 0U) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(!r.err.empty() && r.err.back() == '\n') << r.err;
}

} // namespace
} // namespace zorrel::e2e
