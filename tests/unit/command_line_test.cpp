// The command line: read before Qt starts, Qt's own options left to Qt.

#include "CommandLine.h"
#include "common/BuildInfo.h"
#include "e2e/support/Desktop.h"
#include "i18n/Language.h"
#include "unit/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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

// The built program without any display, in English unless `language`
// sets the variables that choose another.
e2e::Output program(const std::string &arguments, const std::string &language = "LANG=C.UTF-8")
{
    return run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL "
               "-u LC_MESSAGES -u LANG " +
               language + " " ZORREL_BINARY " " + arguments);
}

// What the program says in `language` ("de"; empty for English).
struct Said {
    std::string usage, refused, noDisplay;
};
Said saidIn(const QString &language)
{
    test::testApplication<QCoreApplication>();
    EXPECT_EQ(i18n::useLanguage(language), language);
    Said said{usage().toStdString(),
              "zorrel: " +
                  QCoreApplication::translate("CommandLine", "unknown option \"%1\"")
                      .arg("--frobnicate")
                      .toStdString() +
                  "\n",
              "zorrel: " +
                  QCoreApplication::translate("Display", "no display (DISPLAY is not set)")
                      .toStdString() +
                  "\n"};
    i18n::useLanguage({});
    return said;
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

// Bound for its own Wayland surface with no X display, where its menu and
// about box would open, the toy is not shown: one line, status 1.
TEST(CommandLine, OnWaylandWithoutAnXDisplayTheToyEndsWithOneLine)
{
    const std::string wayland = "LANG=C.UTF-8 WAYLAND_DISPLAY=zorrel-test-nowhere";
    const std::string noDisplay = "zorrel: no display (DISPLAY is not set)";
    for (const char *chosen : {"", "--window-system=wayland"}) {
        const e2e::Output r = program(std::string(chosen) + " 2>&1", wayland);
        EXPECT_EQ(r.exit, 1) << chosen;
        EXPECT_EQ(r.out,
                  noDisplay + "; the toy's menu and about box need an X display (Xwayland)\n")
            << chosen;
    }
    const e2e::Output x11 = program("--window-system=x11 2>&1", wayland);
    EXPECT_EQ(x11.exit, 1);
    EXPECT_EQ(x11.out, noDisplay + "\n") << "X11 chosen: the display alone is missing";
}

// A session in another language gets --help, a refused option and a
// missing display in that language.
TEST(CommandLine, SpeaksTheSessionsLanguage)
{
    const Said english = saidIn({});
    for (const auto &[language, locale] : {std::pair{"de", "de_DE.UTF-8"},
                                           {"es", "es_ES.UTF-8"},
                                           {"fr", "fr_FR.UTF-8"},
                                           {"ja", "ja_JP.UTF-8"}}) {
        const Said said = saidIn(language);
        ASSERT_NE(said.usage, english.usage) << language;
        ASSERT_NE(said.refused, english.refused) << language;
        const std::string session = std::string("LANG=") + locale;
        EXPECT_EQ(program("--help", session).out, said.usage) << language;
        const std::string refused = program("--frobnicate 2>&1 >/dev/null", session).out;
        EXPECT_EQ(refused, said.refused + said.usage) << language;
        EXPECT_EQ(program("2>&1", session).out, said.noDisplay) << language;
    }
}

// The variables choose as on a Unix desktop: LANGUAGE (a list), then LC_ALL,
// LC_MESSAGES and LANG; English when the first language found is English or
// one the program does not speak.
TEST(CommandLine, LanguageVariablesChooseInTheirOrder)
{
    const std::pair<const char *, const char *> sessions[] = {
        {"LANGUAGE=pt:fr:de LC_ALL=es_ES.UTF-8", "fr"},
        {"LC_ALL=es_ES.UTF-8 LC_MESSAGES=ja_JP.UTF-8 LANG=de_DE.UTF-8", "es"},
        {"LC_MESSAGES=ja_JP.UTF-8 LANG=de_DE.UTF-8", "ja"},
        {"LANG=de_DE.UTF-8", "de"},
        {"LANGUAGE=en_GB:de LANG=de_DE.UTF-8", ""},
        {"LANG=pt_BR.UTF-8", ""},
        {"LANG=C", ""},
    };
    for (const auto &[session, language] : sessions)
        EXPECT_EQ(program("--help", session).out, saidIn(language).usage) << session;
}

} // namespace
} // namespace zorrel
