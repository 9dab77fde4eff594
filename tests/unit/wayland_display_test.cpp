// The toy's own Wayland connection gives up cleanly, with a reason, where
// there is no compositor or one that never answers.

#include "platform/wayland/WaylandDisplay.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zorrel::platform::wayland {
namespace {

using namespace std::chrono_literals;

// Sets an environment variable for one scope.
class Environment {
  public:
    Environment(const char *name, const char *value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~Environment()
    {
        if (old_.has_value())
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    Environment(const Environment &) = delete;
    Environment &operator=(const Environment &) = delete;

  private:
    const char *name_;
    std::optional<std::string> old_;
};

TEST(WaylandDisplay, NoCompositorGivesNoConnectionAndSaysWhy)
{
    const QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const Environment dir("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData());
    std::string reason;
    {
        const Environment none("WAYLAND_DISPLAY", nullptr);
        EXPECT_EQ(WaylandDisplay::connect(1s, reason), nullptr);
        EXPECT_NE(reason.find("WAYLAND_DISPLAY is not set"), std::string::npos) << reason;
    }
    reason.clear();
    const Environment missing("WAYLAND_DISPLAY", "wayland-\"nowhere\"");
    EXPECT_EQ(WaylandDisplay::connect(1s, reason), nullptr);
    EXPECT_EQ(reason, R"(cannot connect to Wayland display "wayland-\"nowhere\"")");
}

// A server that takes the connection and never answers holds the toy no
// longer than the time it was given.
TEST(WaylandDisplay, ASilentCompositorIsGivenUpAfterTheTimeLimit)
{
    const QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const std::string path = (runtime.path() + "/wayland-silent").toStdString();
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(server, 1), 0);
    const Environment dir("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData());
    const Environment display("WAYLAND_DISPLAY", "wayland-silent");

    QElapsedTimer clock;
    clock.start();
    std::string reason;
    EXPECT_EQ(WaylandDisplay::connect(300ms, reason), nullptr);
    EXPECT_EQ(reason, "the Wayland display does not answer");
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 3000);
    close(server);
}

} // namespace
} // namespace zorrel::platform::wayland
