// The toy widget without a window manager: how pointer events reach the toy,
// and the timer that paces it.

#include "TestSupport.h"
#include "widget/PacedTimer.h"
#include "widget/ScreenPlacement.h"
#include "widget/ToyWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using zorrel::widget::ToyWidget;

class ToyWidgetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        zorrel::test::testApplication<QApplication>();
    }

    void SetUp() override { widget_.start(); }

    // Sends a mouse event at a point given relative to the client area's
    // top-left corner as it is now.
    void send(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF global = widget_.geometry().topLeft() + client;
        QMouseEvent event(type, QPointF(client), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget_, &event);
    }
    void press(QPoint at, Qt::MouseButton b, Qt::MouseButtons held = {})
    {
        send(QEvent::MouseButtonPress, at, b, held | b);
    }
    void release(QPoint at, Qt::MouseButton b, Qt::MouseButtons held = {})
    {
        send(QEvent::MouseButtonRelease, at, b, held);
    }
    void moveTo(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }

    [[nodiscard]] QPointF grab() const
    {
        return {widget_.toy().state().grabX, widget_.toy().state().grabY};
    }

    ToyWidget widget_;
};

TEST_F(ToyWidgetTest, APressReachesTheToyFromThePartUnderIt)
{
    // Client point pressed, and the origin of the part there.
    const std::pair<QPoint, QPoint> presses[] = {
        {{30, 20}, {0, 0}},   // head
        {{20, 60}, {10, 55}}, // body
        {{20, 80}, {2, 72}},  // legs
        {{55, 60}, {49, 55}}, // key, over the legs' picture
        {{5, 60}, {0, 0}},    // the window outside the parts
    };
    for (const auto &[at, origin] : presses) {
        press(at, Qt::LeftButton);
        EXPECT_EQ(grab(), QPointF(at - origin)) << at.x() << "," << at.y();
        release(at, Qt::LeftButton);
        EXPECT_FALSE(widget_.toy().state().dragging);
    }
}

// A right click during the hold winds, and leaves the held part as it was:
// moves, even far outside the window, and the release go to it.
TEST_F(ToyWidgetTest, MovesAndReleaseGoToThePressedPartEvenOutsideTheWindow)
{
    const QPoint start = widget_.pos();
    press({55, 60}, Qt::LeftButton);                  // key
    press({20, 60}, Qt::RightButton, Qt::LeftButton); // over the body: a wind step
    EXPECT_EQ(widget_.toy().state().windLevel, 40);
    release({20, 60}, Qt::RightButton, Qt::LeftButton);
    moveTo({55 + 100, 60 + 50});
    EXPECT_EQ(widget_.pos(), start + QPoint(100, 50)) << "measured from the key, as pressed";
    release({-200, -200}, Qt::LeftButton);
    EXPECT_FALSE(widget_.toy().state().dragging);
}

// The toy is put back wholly on a screen, moved as little as it can be.
TEST(ScreenPlacement, BringsTheWholeToyOntoTheScreenThatShowsMostOfIt)
{
    using zorrel::widget::placeOnScreens;
    const QSize toy(69, 96);
    const QList<QRect> small = {{0, 0, 640, 480}};
    const QList<QRect> pair = {{0, 384, 512, 384}, {512, 0, 512, 768}};
    const struct {
        QPoint at;
        QList<QRect> screens;
        QPoint placed;
    } rows[] = {
        {{300, 200}, small, {300, 200}},      // whole: left where it is
        {{634, 471}, small, {571, 384}},      // a corner showing: both ways
        {{900, 300}, small, {571, 300}},      // its height kept
        {{-60, 100}, small, {0, 100}},        // off the left edge
        {{2000, 2000}, small, {571, 384}},    // off every screen: the nearest
        {{470, 500}, pair, {443, 500}},       // across the two: the one with most of it
        {{480, 100}, pair, {512, 100}},       // the right one alone reaches that high
        {{10, 10}, {{0, 0, 50, 50}}, {0, 0}}, // larger than its screen
        {{10, 10}, {}, {10, 10}},             // no screen known: left alone
    };
    for (const auto &[at, screens, placed] : rows)
        EXPECT_EQ(placeOnScreens(QRect(at, toy), screens), placed) << at.x() << "," << at.y();
}

// A tick that sets its own pace again must not push the next tick back, or
// the walk would drift slower.
TEST_F(ToyWidgetTest, AnUnchangedPaceKeepsTheTimersSchedule)
{
    int ticks = 0;
    zorrel::widget::PacedTimer timer([&] { ++ticks; });
    timer.setInterval(50);
    QThread::msleep(10);
    timer.setInterval(50);
    EXPECT_LE(timer.remainingTime(), 45);
    EXPECT_EQ(ticks, 0);
}

} // namespace
