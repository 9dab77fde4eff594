// The toy window as the desktop sees it: place, shape, states, what shows
// through it and where clicks outside its shape go.

#include "e2e/support/ToyFixture.h"

#include <QImage>

namespace zorrel::e2e {
namespace {

class Window : public ToyFixture {};

TEST_F(Window, MapsCentredOnTopOffTheTaskbarWithTheRestPoseShape)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_NEAR(where().x(), 477, 1);
    EXPECT_NEAR(where().y(), 336, 1);
    EXPECT_EQ(shape(window_), restShape());
    // The window manager applies the states a moment after the mapping.
    const std::string xprop = "xprop -id " + std::to_string(window_) + " _NET_WM_STATE";
    for (const std::string state : {"ABOVE", "SKIP_TASKBAR", "SKIP_PAGER"})
        EXPECT_TRUE(waitUntil(
            [&] { return run(xprop).out.find("_STATE_" + state) != std::string::npos; }, 3s))
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

} // namespace
} // namespace zorrel::e2e
