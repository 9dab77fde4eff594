#include "CommandLine.h"
#include "art/Sprites.h"
#include "common/Diagnostics.h"
#include "platform/Platform.h"
#include "toy/ToyWidget.h"

#include <QApplication>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    const zorrel::CommandLine commandLine = zorrel::parseCommandLine(argc, argv);
    switch (commandLine.action) {
    case zorrel::CommandLine::Action::ShowHelp:
        std::fputs(qUtf8Printable(zorrel::usage()), stdout);
        return 0;
    case zorrel::CommandLine::Action::ShowVersion:
        std::fputs("zorrel " ZORREL_VERSION "\n", stdout);
        return 0;
    case zorrel::CommandLine::Action::Fail:
        zorrel::printLine(commandLine.error);
        std::fputs(qUtf8Printable(zorrel::usage()), stderr);
        return 2;
    case zorrel::CommandLine::Action::Run:
        break;
    }

    zorrel::platform::choosePlatformPlugin();
    std::string reason;
    if (!zorrel::platform::displayReachable(reason)) {
        zorrel::printLine(zorrel::escaped(QString::fromStdString(reason)));
        return 1;
    }
    QApplication app(argc, argv);
    // The app id, also the name of the installed icon and the metainfo's id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.zorrel.Zorrel"));
    // The toy window alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zorrel::art::programIcon());

    zorrel::toy::ToyWidget toy;
    toy.start();
    return QApplication::exec();
}
