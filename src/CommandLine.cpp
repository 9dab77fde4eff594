#include "CommandLine.h"

#include "common/Diagnostics.h"

#include <QCoreApplication>

#include <array>
#include <string_view>

namespace zorrel {
namespace {

struct QtOption {
    std::string_view name; // with one leading dash
    bool takesValue;
};

// Options that Qt reads itself (the application, the widgets and the X11
// plugin). Qt accepts each with one or two leading dashes.
constexpr std::array kQtOptions{
    QtOption{"-platform", true},
    QtOption{"-platformpluginpath", true},
    QtOption{"-platformtheme", true},
    QtOption{"-plugin", true},
    QtOption{"-qwindowgeometry", true},
    QtOption{"-qwindowicon", true},
    QtOption{"-qwindowtitle", true},
    QtOption{"-reverse", false},
    QtOption{"-session", true},
    QtOption{"-style", true},
    QtOption{"-stylesheet", true},
    QtOption{"-widgetcount", false},
    QtOption{"-display", true},
    QtOption{"-geometry", true},
    QtOption{"-title", true},
    QtOption{"-icon", true},
    QtOption{"-name", true},
    QtOption{"-visual", true},
    QtOption{"-sync", false},
    QtOption{"-testability", false},
};

// Qt also takes these as -option=VALUE.
constexpr std::array<std::string_view, 3> kQtJoinedOptions{
    "-style=", "-stylesheet=", "-qmljsdebugger="};

constexpr std::string_view kWindowSystemOption = "--window-system=";

const QtOption *qtOption(std::string_view arg)
{
    for (const QtOption &option : kQtOptions)
        if (arg == option.name)
            return &option;
    return nullptr;
}

bool isJoinedQtOption(std::string_view arg)
{
    for (const std::string_view prefix : kQtJoinedOptions)
        if (arg.starts_with(prefix) && arg.size() > prefix.size())
            return true;
    return false;
}

CommandLine failure(const QString &error)
{
    CommandLine result;
    result.action = CommandLine::Action::Fail;
    result.error = error;
    return result;
}

CommandLine withAction(CommandLine::Action action)
{
    CommandLine line;
    line.action = action;
    return line;
}

} // namespace

CommandLine parseCommandLine(int argc, const char *const argv[])
{
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string_view given = argv[i];
        if (given == "--help" || given == "-h")
            return withAction(CommandLine::Action::ShowHelp);
        if (given == "--version")
            return withAction(CommandLine::Action::ShowVersion);
        const QString shown = escaped(QString::fromLocal8Bit(argv[i]));
        if (given.starts_with(kWindowSystemOption)) {
            const std::string_view system = given.substr(kWindowSystemOption.size());
            if (system == "x11")
                result.windowSystem = platform::WindowSystem::X11;
            else if (system == "wayland")
                result.windowSystem = platform::WindowSystem::Wayland;
            else
                //: Keep x11 and wayland as they are: they are the option's values.
                return failure(
                    QCoreApplication::translate("CommandLine", "option \"%1\" takes x11 or wayland")
                        .arg(shown));
            continue;
        }
        if (!given.starts_with('-') || given == "-" || given == "--")
            //: %1 is the argument as given on the command line.
            return failure(QCoreApplication::translate("CommandLine", "unexpected argument \"%1\"")
                               .arg(shown));
        // Qt reads --option as -option.
        const std::string_view arg = given.starts_with("--") ? given.substr(1) : given;
        if (isJoinedQtOption(arg))
            continue;
        const QtOption *option = qtOption(arg);
        if (option == nullptr)
            return failure(
                QCoreApplication::translate("CommandLine", "unknown option \"%1\"").arg(shown));
        if (!option->takesValue)
            continue;
        if (i + 1 >= argc)
            return failure(QCoreApplication::translate("CommandLine", "option \"%1\" needs a value")
                               .arg(shown));
        ++i;
        if (arg == "-display")
            result.displayName = QString::fromLocal8Bit(argv[i]);
        else if (arg == "-platform")
            result.platformName = QString::fromLocal8Bit(argv[i]);
    }
    return result;
}

QString usage()
{
    //: The text of --help. Keep "zorrel", the option names, $DISPLAY and
    //: $WAYLAND_DISPLAY as they are, the lines under 80 columns, and the
    //: descriptions lined up.
    return QCoreApplication::translate(
        "CommandLine", "Usage: zorrel [OPTION]...\n"
                       "A clockwork creature for the desktop. Hold it with the left button and\n"
                       "click the right button to wind it; let go and it walks.\n"
                       "\n"
                       "  -h, --help        show this help and exit\n"
                       "      --version     show the version and exit\n"
                       "  -display NAME     use the X display NAME instead of $DISPLAY\n"
                       "      --window-system=x11|wayland\n"
                       "                    show the toy through X11 (Xwayland in a Wayland\n"
                       "                    session) or as a layer surface of the Wayland\n"
                       "                    compositor named by $WAYLAND_DISPLAY (Linux only).\n"
                       "                    Without it: the layer surface where the compositor\n"
                       "                    offers the layer shell, except on KWin; X11\n"
                       "                    elsewhere. The menu and about box stay on X11\n"
                       "                    either way, so an X display is needed\n"
                       "\n"
                       "Qt's standard options (-platform, -style, -geometry, -qwindowgeometry,\n"
                       "-reverse, -session and the like) are passed on to Qt.\n");
}

} // namespace zorrel
