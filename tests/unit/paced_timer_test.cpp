#include "toy/PacedTimer.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

using zorrel::toy::PacedTimer;

namespace {

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "paced_timer_test";
    static char *argv[] = {name, nullptr};
    static auto *instance = new QCoreApplication(argc, argv);
    return *instance;
}

TEST(PacedTimer, HonoursEachPaceButNeverTicksFasterThanTheFloor)
{
    app();
    int ticks = 0;
    PacedTimer timer([&] { ++ticks; });
    for (const auto &[asked, period] : {std::pair{1, 16}, {50, 50}, {120, 120}, {16, 16}}) {
        timer.setInterval(asked);
        EXPECT_EQ(timer.interval(), asked);
        EXPECT_EQ(timer.period(), period);
    }
    timer.setInterval(0);
    EXPECT_EQ(timer.period(), 0) << "0 stops the timer";

    // An unchanged pace keeps the schedule rather than restarting it, so a
    // tick that sets its own pace again does not push the next one back.
    timer.setInterval(50);
    QThread::msleep(10);
    timer.setInterval(50);
    EXPECT_LE(timer.remainingTime(), 45);
    EXPECT_EQ(ticks, 0);
}

} // namespace
