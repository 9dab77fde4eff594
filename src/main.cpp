#include "CommandLine.h"
#include "art/Sprites.h"
#include "common/BuildInfo.h"
#include "common/Diagnostics.h"
#include "i18n/Language.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "widget/ToyWidget.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <string>

namespace {

// What the program says before it has a display, in the user's language:
// the command line's answers and a display that cannot be used. Ends the
// program with a status, or with nothing when the toy may start.
std::optional<int> beforeTheDisplay(int argc, char *argv[])
{
    // A core application needs no display; it carries the translation.
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    zorrel::i18n::useSystemLanguage();

    const zorrel::CommandLine commandLine = zorrel::parseCommandLine(argc, argv);
    switch (commandLine.action) {
    case zorrel::CommandLine::Action::ShowHelp:
        std::fputs(qUtf8Printable(zorrel::usage()), stdout);
        return 0;
    case zorrel::CommandLine::Action::ShowVersion:
        std::printf("zorrel %s\n", zorrel::build::kVersion);
        return 0;
    case zorrel::CommandLine::Action::Fail:
        zorrel::printLine(commandLine.error);
        std::fputs(qUtf8Printable(zorrel::usage()), stderr);
        return 2;
    case zorrel::CommandLine::Action::Run:
        break;
    }

    // The display checks below must look where Qt will look.
    if (!commandLine.platformName.isEmpty())
        qputenv("QT_QPA_PLATFORM", commandLine.platformName.toLocal8Bit());
    zorrel::platform::choosePlatformPlugin();
    zorrel::platform::chooseWindowSystem(commandLine.windowSystem);
    const QByteArray display = commandLine.displayName.toLocal8Bit();
    std::string reason;
    if (!zorrel::platform::displayReachable(display.isEmpty() ? nullptr : display.constData(),
                                            reason)) {
        // The toy may be bound for its own Wayland surface, but its menu and
        // about box are Qt's windows on X11: without them it is not shown.
        if (commandLine.windowSystem != zorrel::platform::WindowSystem::X11 &&
            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            //: %1 is why the X display cannot be used.
            zorrel::printLine(
                QCoreApplication::translate(
                    "Display", "%1; the toy's menu and about box need an X display (Xwayland)")
                    .arg(QString::fromStdString(reason)));
        else
            zorrel::printLine(QString::fromStdString(reason));
        return 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = beforeTheDisplay(argc, argv))
        return *status;

    QApplication app(argc, argv);
    zorrel::i18n::useSystemLanguage();
    zorrel::platform::endCleanlyOnDisplayLoss();
    // The app id, also the name of the installed icon and the metainfo's id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.zorrel.Zorrel"));
    // The toy window alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zorrel::art::programIcon());

    zorrel::widget::ToyWidget toy;
    toy.start();
    return QApplication::exec();
}
