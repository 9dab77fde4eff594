#include "CommandLine.h"
#include "art/Sprites.h"
#include "common/BuildInfo.h"
#include "common/Diagnostics.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "widget/ToyWidget.h"

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
        zorrel::printLine(QString::fromStdString(reason));
        return 1;
    }
    QApplication app(argc, argv);
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
