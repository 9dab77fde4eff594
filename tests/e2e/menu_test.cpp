// The toy's popup menu, chosen by access keys: the sound option and its
// stored value, the about box and the end of the program.

#include "e2e/support/ToyFixture.h"

#include <random>
#include <set>

namespace zorrel::e2e {
namespace {

const std::string kAbout = "--name '^About Zorrel$'";

class Menu : public ToyFixture {
  protected:
    [[nodiscard]] std::size_t windowCount() const { return windows(pidOption()).size(); }
    // Right-clicks the body and waits for the popup menu to show.
    [[nodiscard]] bool openMenu() const
    {
        return move(at(kBody)) && xdo("click 3") &&
               waitUntil([&] { return windowCount() > 1; }, 3s);
    }
    [[nodiscard]] bool walks() const
    {
        const int x = where().x();
        return waitUntil([&] { return where().x() < x; }, 1s);
    }
};

TEST_F(Menu, SoundTogglesTheStoredOption)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_TRUE(stored().empty() || stored() == "True") << stored();
    for (const std::string expected : {"False", "True"}) {
        ASSERT_TRUE(openMenu() && xdo("key s")) << "no popup menu";
        EXPECT_TRUE(waitUntil([&] { return stored() == expected; }, 3s)) << stored();
        ASSERT_TRUE(waitUntil([&] { return windowCount() == 1; }, 3s)) << "the menu stays open";
    }
}

// Saves killed half-way leave their temporary files behind; the next start
// removes them, and nothing that is not the toy's own.
TEST_F(Menu, KilledSavesLeaveNothingBehind)
{
    // A large shared file, so that a save lasts long enough to be killed in.
    ASSERT_NO_FATAL_FAILURE(launch("[Coilwerks]\nZorrel Sound=True\n[Other Toy]\nData=" +
                                   std::string(std::size_t{30} << 20, 'x') + "\n"));
    const std::string dir = dir_.path().toStdString();
    const std::string ours = ".Pocketfolk.ini.zorrel-save-";
    // A save killed earlier, and other programs' files that only look alike.
    const std::set<std::string> alike = {"Pocketfolk.ini.Ab12Cd", "Pocketfolk.ini.bak",
                                         ours + "Ab12Cd7", ours + "Ab-2Cd"};
    for (const std::string &name : alike)
        std::ofstream(dir + "/" + name) << "theirs";
    std::ofstream(dir + "/" + ours + "Ab12Cd") << "[Coilwerks]\nZorrel Sound=Fal";
    std::mt19937 random(7);
    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(openMenu() && xdo("key s")) << "no popup menu";
        sleep_for(Millis(random() % 120));
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        ASSERT_NO_FATAL_FAILURE(start(dir + "/zorrel"));
    }
    std::set<std::string> left;
    for (const auto &entry : std::filesystem::directory_iterator(dir))
        if (const std::string name = entry.path().filename(); name.find("Pocketfolk") != name.npos)
            left.insert(name);
    std::set<std::string> expected = alike;
    expected.insert("Pocketfolk.ini");
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(stored() == "True" || stored() == "False") << stored();
}

TEST_F(Menu, AboutBoxIsACentredDialogThatDisablesTheWalkingToyUntilClosed)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const int startX = where().x();
    ASSERT_TRUE(holdAndWind(3) && xdo("mouseup 1"));
    // Past the brisk start, where a tick comes every 50 ms.
    ASSERT_TRUE(waitUntil([&] { return where().x() <= startX - 55; }, 3s)) << "it does not walk";
    ASSERT_TRUE(openMenu()) << "no popup menu";
    EXPECT_TRUE(walks()) << "the walk stopped while the menu was open";
    ASSERT_TRUE(xdo("key a"));
    std::vector<Xid> about;
    ASSERT_TRUE(waitUntil([&] { return !(about = windows(kAbout)).empty(); }, 5s)) << "no box";
    const std::string box = std::to_string(about.front());

    // A dialog without a maximise button, centred with its frame on the
    // 1024 x 768 screen.
    sleep_for(300ms);
    const std::string props =
        run("xprop -id " + box + " _NET_WM_WINDOW_TYPE _NET_WM_ALLOWED_ACTIONS").out;
    EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << props;
    EXPECT_EQ(props.find("MAXIMIZE"), std::string::npos) << props;
    int left = 0, right = 0, top = 0, bottom = 0;
    std::sscanf(run("xprop -id " + box + " _NET_FRAME_EXTENTS").out.c_str(),
                "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &left, &right, &top, &bottom);
    const QPoint client = position(about.front());
    EXPECT_NEAR(client.x() - left + (left + 245 + right) / 2.0, 512, 1);
    EXPECT_NEAR(client.y() - top + (top + 201 + bottom) / 2.0, 384, 1);

    // Put aside, the box leaves the toy in view. A press on the toy does not
    // stop it now, and a right click on it does not disturb the box.
    ASSERT_TRUE(xdo("windowmove --sync " + box + " 10 10"));
    ASSERT_TRUE(move(at(kBody)));
    Xid under = 0;
    pointer(&under);
    ASSERT_EQ(under, window_) << "the toy is not under the pointer";
    ASSERT_TRUE(xdo("mousedown 1"));
    EXPECT_TRUE(walks()) << "a press on the disabled toy stopped its walk";
    ASSERT_TRUE(xdo("mouseup 1 click 3"));
    sleep_for(300ms);
    ASSERT_TRUE(xdo("key Escape"));
    EXPECT_TRUE(waitUntil([&] { return windows(kAbout).empty(); }, 3s)) << "the first Esc was lost";
}

TEST_F(Menu, ExitEndsTheProgramWithStatusZero)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_TRUE(openMenu() && xdo("key e")) << "no popup menu";
    int status = -1;
    ASSERT_TRUE(waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 5s));
    pid_ = 0;
    EXPECT_EQ(status, 0) << "wait status"; // exited, with 0
}

} // namespace
} // namespace zorrel::e2e
