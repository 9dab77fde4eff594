#pragma once

// Base fixture of the end-to-end tests: one fresh program instance per test,
// with its own settings folder, killed at the end whatever happened.

#include "e2e/support/Desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

// Readable failure messages for the Qt types the tests compare.
inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << "(" << p.x() << "," << p.y() << ")";
}
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
}
inline void PrintTo(const QRegion &region, std::ostream *os)
{
    *os << "region of " << region.rectCount() << " rects within ";
    PrintTo(region.boundingRect(), os);
    *os << ":";
    for (const QRect &r : region) {
        *os << " ";
        PrintTo(r, os);
    }
}

namespace zorrel::e2e {

class ToyFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const char *display = std::getenv("DISPLAY");
        ASSERT_TRUE(display != nullptr && *display != '\0')
            << "run inside scripts/with-test-desktop.sh";
        ASSERT_TRUE(mouseMove({5, 5}))
            << "pointer at " << testing::PrintToString(pointerPosition());
    }

    void TearDown() override
    {
        toy_.reset();
        mouseUp(1);
        mouseUp(3);
    }

    // Starts the program and waits for its window to show and settle.
    void launch(const LaunchOptions &options = {})
    {
        toy_ = std::make_unique<ToyProcess>(QStringLiteral(ZORREL_BINARY), options);
        window_ = toy_->waitForWindow(10s);
        ASSERT_NE(window_, 0U) << "no window; stderr:\n" << toy_->stderrText();
        ASSERT_TRUE(waitUntilStill(window_, 200ms, 5s)) << "the window does not settle";
    }

    // Current position of the toy window (far off screen if it is gone).
    [[nodiscard]] QPoint position() const
    {
        const std::optional<QPoint> p = windowPosition(window_);
        return p ? *p : QPoint(-100000, -100000);
    }

    // Root position of an outer-window point of the toy as it is now.
    [[nodiscard]] QPoint at(QPoint outerPoint) const { return rootPoint(position(), outerPoint); }

    // Presses the left button on the body and clicks the right one `steps`
    // times; the left button stays down.
    [[nodiscard]] bool holdAndWind(int steps) const
    {
        if (!mouseMove(at(kBodyPoint)))
            return false;
        std::vector<std::string> args{"mousedown", "1"};
        for (int i = 0; i < steps; ++i)
            args.insert(args.end(), {"click", "3"});
        return xdotool(args);
    }

    // Waits until the walk is over: the window keeps its place for 0.6 s.
    [[nodiscard]] std::optional<QPoint> waitForRest(Millis timeout = 15s) const
    {
        return waitUntilStill(window_, 600ms, timeout);
    }

    std::unique_ptr<ToyProcess> toy_;
    WindowId window_ = 0;
};

} // namespace zorrel::e2e
