// The toy's popup menu, chosen by access keys: the sound option and its
// stored value, the about box and the end of the program.

#include "e2e/support/ToyFixture.h"

#include <algorithm>

namespace zorrel::e2e {
namespace {

class Menu : public ToyFixture {
  protected:
    // Right-clicks the body and waits for the popup menu to show.
    [[nodiscard]] bool openMenu() const
    {
        const std::size_t before = toy_->visibleWindows().size();
        return mouseMove(at(kBodyPoint)) && click(3) &&
               waitUntil([&] { return toy_->visibleWindows().size() > before; }, 3s, 20ms);
    }

    // Waits until only `count` windows of the program are visible.
    [[nodiscard]] bool waitForWindowCount(std::size_t count) const
    {
        return waitUntil([&] { return toy_->visibleWindows().size() == count; }, 3s, 20ms);
    }
};

TEST_F(Menu, SoundTogglesTheStoredOption)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const std::string ini = toy_->iniPath().toStdString();
    const std::string initial = storedSoundOption(toy_->iniPath());
    EXPECT_TRUE(initial.empty() || initial == "True") << initial;

    for (const std::string expected : {"False", "True"}) {
        SCOPED_TRACE("toggling to " + expected);
        ASSERT_TRUE(openMenu()) << "no popup menu";
        ASSERT_TRUE(key("s"));
        EXPECT_TRUE(
            waitUntil([&] { return storedSoundOption(toy_->iniPath()) == expected; }, 3s, 20ms))
            << ini << " holds \"" << storedSoundOption(toy_->iniPath()) << "\"";
        ASSERT_TRUE(waitForWindowCount(1)) << "the menu stays open";
    }
}

TEST_F(Menu, AboutBoxDisablesTheWalkingToyUntilClosed)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const QPoint start = position();
    ASSERT_TRUE(holdAndWind(3));
    ASSERT_TRUE(mouseUp(1));
    // Past the brisk start, where a tick comes every 50 ms.
    ASSERT_TRUE(waitUntil([&] { return position().x() <= start.x() - 55; }, 3s, 5ms))
        << "it does not walk";

    // The walk goes on while the menu is open.
    ASSERT_TRUE(openMenu()) << "no popup menu";
    const int menuX = position().x();
    EXPECT_TRUE(waitUntil([&] { return position().x() < menuX; }, 1s, 5ms))
        << "the walk stopped while the menu was open";
    ASSERT_TRUE(key("a"));
    std::vector<WindowId> about;
    ASSERT_TRUE(waitUntil(
        [&] {
            about = findWindowsByName("^About Zorrel$");
            return !about.empty();
        },
        5s, 50ms))
        << "no about box";
    EXPECT_EQ(windowName(about.front()), "About Zorrel");

    // The box opens centred, in front of the toy; put it aside.
    ASSERT_TRUE(xdotool({"windowmove", std::to_string(about.front()), "10", "10"}));
    ASSERT_TRUE(waitUntil(
        [&] {
            const std::optional<QRect> box = windowGeometry(about.front());
            return box && box->right() < 300 && box->bottom() < 300;
        },
        3s, 20ms))
        << "the about box does not move aside";

    // A press on the toy does not stop it now.
    ASSERT_TRUE(mouseMove(at(kBodyPoint)));
    ASSERT_EQ(windowUnderPointer(), window_) << "the toy is not under the pointer";
    ASSERT_TRUE(mouseDown(1));
    const int heldX = position().x();
    EXPECT_TRUE(waitUntil([&] { return position().x() < heldX; }, 1s, 5ms))
        << "a press on the disabled toy stopped its walk";
    ASSERT_TRUE(mouseUp(1));

    // Esc closes the about box.
    waitUntil(
        [&] {
            const CommandResult r = runCommand({"xdotool", "getactivewindow"});
            if (std::stoul("0" + r.out) == about.front())
                return true;
            xdotool({"windowactivate", std::to_string(about.front())});
            return false;
        },
        3s, 100ms);
    ASSERT_TRUE(key("Escape"));
    ASSERT_TRUE(waitUntil([&] { return findWindowsByName("^About Zorrel$").empty(); }, 3s, 50ms))
        << "Esc did not close the about box";

    // The toy takes clicks again: a press holds it, a drag moves it.
    const QPoint grab = at(kBodyPoint);
    ASSERT_TRUE(mouseMove(grab));
    ASSERT_TRUE(mouseDown(1));
    const std::optional<QPoint> held = waitUntilStill(window_, 400ms, 3s);
    ASSERT_TRUE(held) << "a press does not hold the toy";
    ASSERT_TRUE(mouseMove(grab + QPoint(20, 10)));
    EXPECT_TRUE(waitUntil([&] { return position() == *held + QPoint(20, 10); }, 2s))
        << "the drag went to " << testing::PrintToString(position()) << " from "
        << testing::PrintToString(*held);
    ASSERT_TRUE(mouseUp(1));
}

TEST_F(Menu, ExitEndsTheProgramWithStatusZero)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(openMenu()) << "no popup menu";
    ASSERT_TRUE(key("e"));
    ASSERT_TRUE(toy_->waitForExit(5s)) << "still running";
    EXPECT_EQ(toy_->termSignal(), 0);
    EXPECT_EQ(toy_->exitCode(), 0);
}

} // namespace
} // namespace zorrel::e2e
