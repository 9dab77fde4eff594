#include "art/Sprites.h"
#include "common/Diagnostics.h"
#include "platform/Platform.h"
#include "toy/ToyWidget.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The value of Qt's option `name` (as -name VALUE or --name VALUE), or null.
const char *qtOption(int argc, char *argv[], const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (std::strcmp(arg + 1, name) == 0 && arg[0] == '-')
            return argv[i + 1];
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const char *platform = qtOption(argc, argv, "platform"))
        setenv("QT_QPA_PLATFORM", platform, 1);
    zorrel::platform::choosePlatformPlugin();
    std::string reason;
    if (!zorrel::platform::displayReachable(qtOption(argc, argv, "display"), reason)) {
        zorrel::printLine(QString::fromStdString(reason));
        return 1;
    }
    QApplication app(argc, argv);
    zorrel::platform::endCleanlyOnDisplayLoss();
    // The toy window alone decides when the program ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zorrel::art::programIcon());

    zorrel::toy::ToyWidget toy;
    toy.start();
    return QApplication::exec();
}
