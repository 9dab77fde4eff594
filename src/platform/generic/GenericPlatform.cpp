#include "platform/Platform.h"

#include <QWidget>

namespace zorrel::platform {

void choosePlatformPlugin() {}

bool displayReachable(std::string & /*reason*/) { return true; }

// Windows and macOS keep a frameless tool window out of the task bar.
void keepOffTaskbar(QWidget &window)
{
    if (window.windowFlags().testFlag(Qt::Tool))
        return;
    window.setWindowFlag(Qt::Tool, true);
    window.show(); // a changed flag hides the window
}

} // namespace zorrel::platform
