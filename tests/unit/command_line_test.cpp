// The command line: read before Qt starts, Qt's own options left to Qt.

#include "CommandLine.h"
#include "common/BuildInfo.h"
#include "e2e/support/Desktop.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <vector>

namespace zorrel {
namespace {

using e2e::run;

CommandLine parse(std::initializer_list<const char *> args)
{
    std::vector<const char *> argv{"zorrel"};
    argv.insert(argv.end(), args);
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// The built program without any display.
e2e::Output program(const std::string &arguments)
{
    return run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " ZORREL_BINARY " " +
               arguments);
}

TEST(CommandLine, QtOptionsPassTheDisplayIsKeptAndTheRestIsRefused)
{
    const CommandLine c = parse({"-display", ":7", "--platform", "xcb", "-style=Fusion",
                                 "--reverse", "-geometry", "+1+2", "-qwindowgeometry", "9x9"});
    EXPECT_EQ(c.action, CommandLine::Action::Run) << c.error.toStdString();
    EXPECT_EQ(c.displayName, ":7");
    EXPECT_EQ(parse({"--display", ":8"}).displayName, ":8");
    for (const char *refused : {"--frobnicate", "stray", "-style" /* its value is missing */})
        EXPECT_EQ(parse({refused}).action, CommandLine::Action::Fail) << refused;
}

// X11 stays the default; the Wayland surface is chosen by name only.
TEST(CommandLine, TheWindowSystemIsChosenByNameAndDefaultsToX11)
{
    using platform::WindowSystem;
    EXPECT_EQ(parse({}).windowSystem, WindowSystem::Automatic);
    EXPECT_EQ(parse({"--window-system=wayland"}).windowSystem, WindowSystem::Wayland);
    EXPECT_EQ(parse({"--window-system=x11", "-display", ":3"}).windowSystem, WindowSystem::X11);
    EXPECT_EQ(parse({"--window-system=wayland", "--window-system=x11"}).windowSystem,
              WindowSystem::X11)
        << "the last choice wins";
    for (const char *refused :
         {"--window-system=", "--window-system=Wayland", "--window-system", "-window-system=x11"}) {
        const CommandLine c = parse({refused});
        EXPECT_EQ(c.action, CommandLine::Action::Fail) << refused;
        EXPECT_FALSE(c.error.isEmpty()) << refused;
    }
}

// The status and the standard output of the built program without a display;
// what it says on stderr when there is no display the window tests check.
TEST(CommandLine, ExitCodesAndOutput)
{
    const std::string usageText = usage().toStdString();
    const std::tuple<const char *, int, std::string> runs[] = {
        {"--version", 0, std::string("zorrel ") + zorrel::build::kVersion + "\n"},
        {"--help", 0, usageText},
        {"--frobnicate", 2, ""},
        {"", 1, ""},
    };
    for (const auto &[arguments, exit, out] : runs) {
        const e2e::Output r = program(arguments);
        EXPECT_EQ(r.exit, exit) << arguments;
        EXPECT_EQ(r.out, out) << arguments;
    }
    const std::string refused = program("--frobnicate 2>&1 >/dev/null").out;
    EXPECT_NE(refused.find(usageText), std::string::npos) << "the usage goes to stderr";
}

} // namespace
} // namespace zorrel
