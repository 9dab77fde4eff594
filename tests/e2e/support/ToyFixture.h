#pragma once

#include "common/BuildInfo.h"
#include "e2e/support/Desktop.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <utility>

namespace zorrel::e2e {

// One fresh copy of the program per test, in a folder of its own that is also
// its XDG_CONFIG_HOME; killed at the end whatever happened.
class ToyFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "run inside scripts/with-test-desktop.sh";
        ASSERT_TRUE(move({5, 5}));
    }
    void TearDown() override
    {
        if (pid_ > 0 && kill(pid_, SIGKILL) == 0)
            waitpid(pid_, nullptr, 0);
        xdo("mouseup 1 mouseup 3");
        std::cerr << toyErrors();
    }

    // With `sound` the copy gets its audio module beside it, as installed,
    // once nothing of an earlier program is still on its way to the sink.
    void launch(const std::string &ini = {}, bool sound = false)
    {
        const std::string built = std::filesystem::path(ZORREL_BINARY).parent_path();
        const std::string dir = dir_.path().toStdString();
        const std::string module = sound ? built + "/" + build::kSoundModule + " " : "";
        ASSERT_TRUE(!sound || (std::getenv("ZORREL_SINK_RAW") && sinkQuiet()));
        ASSERT_EQ(run("cp " ZORREL_BINARY " " + built + "/Korrin[01].wav " + module + dir).exit, 0);
        if (!ini.empty())
            std::ofstream(dir + "/Pocketfolk.ini") << ini;
        ASSERT_NO_FATAL_FAILURE(start(dir + "/zorrel"));
    }

    // Starts `program` with its settings in the test's folder and waits until
    // its window is up and placed.
    void start(std::string program)
    {
        setenv("XDG_CONFIG_HOME", dir_.path().toStdString().c_str(), 1);
        char *argv[] = {program.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorsPath().c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0600);
        const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ASSERT_EQ(spawned, 0);
        std::vector<Xid> ids;
        ASSERT_TRUE(waitUntil([&] { return !(ids = windows(pidOption())).empty(); }, 10s));
        window_ = ids.front();
        restingPlace(200ms); // where the window manager places it
    }
    // Waits until the toy keeps still for `still` and returns where it is.
    QPoint restingPlace(Millis still = 600ms) const
    {
        QPoint last = where();
        auto since = Clock::now();
        for (const auto deadline = since + 30s; Clock::now() < deadline; sleep_for(20ms)) {
            if (const QPoint now = where(); now != std::exchange(last, now))
                since = Clock::now();
            else if (Clock::now() - since > still)
                break;
        }
        return last;
    }

    // What the program wrote on stderr so far.
    [[nodiscard]] std::string toyErrors() const
    {
        std::ifstream in(errorsPath());
        return {std::istreambuf_iterator<char>(in), {}};
    }
    [[nodiscard]] std::string errorsPath() const { return dir_.filePath("stderr").toStdString(); }
    [[nodiscard]] std::string pidOption() const { return "--pid " + std::to_string(pid_); }
    [[nodiscard]] QPoint where() const { return position(window_); }
    // Root position of an outer-window point of the toy as it is now.
    [[nodiscard]] QPoint at(QPoint outer) const { return where() + outer - kClient; }
    // Presses the left button on the body and clicks the right one `steps` times.
    [[nodiscard]] bool holdAndWind(int steps) const
    {
        std::string args = "mousedown 1";
        for (int i = 0; i < steps; ++i)
            args += " click 3";
        return move(at(kBody)) && xdo(args);
    }
    // The loudest sample played within `within` after `action`, watched
    // until it exceeds `enough`.
    static int peakAfter(const std::function<bool()> &action, Millis within, int enough = 32767)
    {
        const std::int64_t from = sinkSize();
        if (!action())
            ADD_FAILURE() << "the action failed";
        return peak(from, within, enough);
    }
    [[nodiscard]] std::string property(const std::string &name) const
    {
        return run("xprop -id " + std::to_string(window_) + " " + name).out;
    }
    // The stored sound option, empty if there is none.
    [[nodiscard]] std::string stored() const
    {
        std::ifstream in(dir_.path().toStdString() + "/Pocketfolk.ini");
        const std::string s(std::istreambuf_iterator<char>(in), {});
        static const std::regex entry(R"(\[Coilwerks\][^\[]*\nZorrel(?: |%20)Sound=(\w*))");
        std::smatch m;
        return std::regex_search(s, m, entry) ? m[1].str() : "";
    }

    QTemporaryDir dir_;
    pid_t pid_ = 0;
    Xid window_ = 0;
};

} // namespace zorrel::e2e
