// How the program ends when it has no usable display: a server that dies
// under a walking, sounding toy, a dead or silent display, one with too few
// colours, and platforms without X11. Always one line and status 1, never a signal or a hang.

#include "e2e/support/ToyFixture.h"

#include <memory>

namespace zorrel::e2e {
namespace {

// An X server of the test's own, gone with the object.
class OwnDisplay {
  public:
    explicit OwnDisplay(const std::string &screen)
    {
        const Output server = run("sh -c 'Xvfb -displayfd 3 -screen 0 " + screen +
                                  " -nolisten tcp -noreset 3>&1 >/dev/null 2>&1 & echo $!' | "
                                  "head -2 | tr '\\n' ' '");
        if (std::sscanf(server.out.c_str(), "%d %d", &pid_, &number_) != 2)
            ADD_FAILURE() << "no Xvfb: " << server.out;
    }
    ~OwnDisplay() { kill(); }
    OwnDisplay(const OwnDisplay &) = delete;
    OwnDisplay &operator=(const OwnDisplay &) = delete;
    [[nodiscard]] bool up() const { return pid_ > 0 && number_ >= 0; }
    [[nodiscard]] std::string env() const { return "env DISPLAY=:" + std::to_string(number_); }
    void kill() const
    {
        if (pid_ > 0)
            ::kill(pid_, SIGKILL);
    }

  private:
    int pid_ = 0, number_ = -1;
};

bool oneLine(const std::string &out)
{
    return out.rfind("zorrel: ", 0) == 0 && out.find('\n') == out.size() - 1;
}

// The program's stderr alone, and its status; stdout goes nowhere.
Output runToy(const std::string &prefix, const std::string &arguments = {})
{
    return run(prefix + " " ZORREL_BINARY " " + arguments + " 2>&1 >/dev/null");
}

// Also when Qt's own warning about it never reaches the program: the toy
// tells a lost display by the connection's state, not by Qt's words.
TEST(DisplayLoss, AServerDyingUnderAWalkingToyEndsItWithStatusOne)
{
    // Once in the suite; ZORREL_DISPLAY_LOSS_ROUNDS=20 to hunt a rare race.
    const char *asked = std::getenv("ZORREL_DISPLAY_LOSS_ROUNDS");
    const int rounds = 2 * std::max(1, asked != nullptr ? std::atoi(asked) : 1);
    for (int round = 0; round < rounds; ++round) {
        const bool warningsSilenced = round % 2 == 1;
        SCOPED_TRACE("round " + std::to_string(round) +
                     (warningsSilenced ? ", Qt's warnings silenced" : ""));
        // A display of the test's own, so that killing it harms nobody.
        const OwnDisplay display("800x600x24");
        ASSERT_TRUE(display.up());
        const std::string env =
            display.env() + (warningsSilenced ? " QT_LOGGING_RULES=default.warning=false" : "");
        const QTemporaryDir config;
        const std::string log = config.filePath("stderr").toStdString();
        run("sh -c '" + env + " XDG_CONFIG_HOME=" + config.path().toStdString() +
            " " ZORREL_BINARY " 2>" + log + " >/dev/null; echo $? > " + log +
            ".status' >/dev/null 2>&1 &");
        ASSERT_TRUE(waitUntil(
            [&] { return run(env + " xdotool search --onlyvisible --name '^Zorrel$'").exit == 0; },
            10s));
        // Held on its body (centred on the 800 x 600 screen) and wound.
        const std::string xdo = env + " xdotool ";
        run(xdo + "mousemove 402 290 mousedown 1 click 3 click 3 click 3 click 3 click 3");
        run(xdo + "mouseup 1");
        sleep_for(700ms); // walking, with footsteps
        display.kill();
        ASSERT_TRUE(waitUntil([&] { return run("cat " + log + ".status").exit == 0; }, 10s))
            << "still running after the display died";
        EXPECT_EQ(run("cat " + log + ".status").out, "1\n");
        EXPECT_TRUE(oneLine(run("cat " + log).out)) << run("cat " + log).out;
    }
}

// No display, a dead one named either way, a server that takes the
// connection and never answers, and one with too few colours to draw on.
TEST(DisplayLoss, NoDeadSilentOrEightBitDisplayGivesOneLine)
{
    const OwnDisplay eightBit("800x600x8");
    ASSERT_TRUE(eightBit.up());
    const std::string path = "/tmp/.X11-unix/X878";
    ASSERT_NE(access(path.c_str(), F_OK), 0) << path << " is in use";
    const int listener = silentServer(path);
    ASSERT_GE(listener, 0);
    std::vector<Output> outputs;
    for (const auto &[prefix, arguments] :
         {std::pair<std::string, std::string>{
              "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", ""},
          {"env DISPLAY=:879", ""},
          {"", "-display :879"},
          {"env DISPLAY=:878", ""},
          {eightBit.env(), ""}}) {
        const Output &r = outputs.emplace_back(runToy(prefix, arguments));
        // Neither a signal (128 + it) nor the 20 s time-out (124).
        EXPECT_EQ(r.exit, 1) << prefix << arguments;
        EXPECT_TRUE(oneLine(r.out)) << r.out;
    }
    close(listener);
    unlink(path.c_str());
    EXPECT_EQ(outputs[2].out, outputs[1].out) << "the display named on the command line";
}

TEST(DisplayLoss, PlatformsWithoutX11RunOrEndWithOneLine)
{
    for (const char *platform : {"offscreen", "minimal"}) {
        SCOPED_TRACE(platform);
        const QTemporaryDir config;
        const Output r = run("timeout 2 env XDG_CONFIG_HOME=" + config.path().toStdString() +
                             " " ZORREL_BINARY " -platform " + platform + " 2>&1 >/dev/null");
        // 124: still running when the time ran out, as it should be.
        EXPECT_TRUE(r.exit == 124 || (r.exit == 1 && oneLine(r.out))) << r.exit << " " << r.out;
    }
}

} // namespace
} // namespace zorrel::e2e
