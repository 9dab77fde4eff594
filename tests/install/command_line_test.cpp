// The command line: read before Qt starts, Qt's own options left to Qt.

#include "CommandLine.h"
#include "e2e/support/Desktop.h"

#include <gtest/gtest.h>

#include <initializer_list>
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

TEST(CommandLine, QtOptionsPassAndTheDisplayIsKept)
{
    const CommandLine c = parse({"-display", ":7", "--platform", "xcb", "-style=Fusion",
                                 "--reverse", "-geometry", "+1+2", "-qwindowgeometry", "9x9"});
    EXPECT_EQ(c.action, CommandLine::Action::Run) << c.error.toStdString();
    EXPECT_EQ(c.displayName, ":7");
    EXPECT_EQ(parse({"--display", ":8"}).displayName, ":8");
}

TEST(CommandLine, RefusesWhatQtWouldNotRead)
{
    EXPECT_EQ(parse({"--frobnicate"}).action, CommandLine::Action::Fail);
    EXPECT_EQ(parse({"stray"}).action, CommandLine::Action::Fail);
    EXPECT_EQ(parse({"-style"}).action, CommandLine::Action::Fail) << "a value is missing";
}

TEST(CommandLine, VersionAndHelpNeedNoDisplay)
{
    const e2e::Output version = program("--version");
    EXPECT_EQ(version.exit, 0);
    EXPECT_EQ(version.out, "zorrel " ZORREL_VERSION "\n");
    const e2e::Output help = program("--help");
    EXPECT_EQ(help.exit, 0);
    EXPECT_EQ(help.out, usage().toStdString());
}

TEST(CommandLine, UnknownOptionPrintsTheUsageToStderr)
{
    const e2e::Output out = program("--frobnicate");
    EXPECT_EQ(out.exit, 2);
    EXPECT_EQ(out.out, "");
    const e2e::Output err = program("--frobnicate 2>&1 >/dev/null");
    EXPECT_NE(err.out.find("unknown option \"--frobnicate\""), std::string::npos) << err.out;
    EXPECT_NE(err.out.find(usage().toStdString()), std::string::npos) << err.out;
}

TEST(CommandLine, WithoutDisplayTheToySaysSo)
{
    const e2e::Output out = program("2>&1");
    EXPECT_EQ(out.exit, 1);
    EXPECT_TRUE(out.out.starts_with("zorrel: ")) << out.out;
    EXPECT_NE(out.out.find("display"), std::string::npos) << out.out;
}

} // namespace
} // namespace zorrel
