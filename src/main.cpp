#include "art/Sprites.h"
#include "platform/Platform.h"
#include "toy/ToyWidget.h"

#include <QApplication>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    zorrel::platform::choosePlatformPlugin();
    std::string reason;
    if (!zorrel::platform::displayReachable(reason)) {
        std::fprintf(stderr, "zorrel: %s\n", reason.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    // The toy window alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zorrel::art::programIcon());

    zorrel::toy::ToyWidget toy;
    toy.start();
    return QApplication::exec();
}
