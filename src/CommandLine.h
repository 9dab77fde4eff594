#pragma once

#include "platform/WindowSystem.h"

#include <QString>

// The program's command line, read before the application object exists so
// that --help and --version work without a display. Qt's own options are
// recognised and left in place for Qt.
namespace zorrel {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    // The X display named with -display NAME, empty if none was.
    QString displayName;
    // The Qt platform named with -platform NAME, empty if none was.
    QString platformName;
    // The window system chosen with --window-system=x11|wayland.
    platform::WindowSystem windowSystem = platform::WindowSystem::Automatic;
    // Why the command line was refused, when the action is Fail.
    QString error;
};

CommandLine parseCommandLine(int argc, const char *const argv[]);

// The text of --help, ending in a newline.
QString usage();

} // namespace zorrel
