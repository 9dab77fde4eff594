#include "platform/Platform.h"
#include "platform/ToySurface.h"
#include "platform/WindowSystem.h"
#include "platform/wayland/WaylandDisplay.h"
#include "platform/wayland/WaylandToySurface.h"
#include "platform/x11/X11Connection.h"

#include "common/Diagnostics.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

namespace zorrel::platform {
namespace {

// How long a display may take to answer before the toy gives up on it.
constexpr std::chrono::seconds kDisplayAnswerTime{5};
// The same for the Wayland compositor, asked once the toy window is made.
constexpr std::chrono::seconds kWaylandAnswerTime{5};

// The toy's pictures, cursors and menu need true colour; on a display with
// fewer bits Qt paints every one of them black.
constexpr int kLeastColourDepth = 15;

// The colour depth of the screen the connection was opened for.
int screenDepth(xcb_connection_t *connection, int screenNumber)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data->root_depth : 0;
}

bool usesXcb()
{
    const char *chosen = std::getenv("QT_QPA_PLATFORM");
    return chosen == nullptr || *chosen == '\0' || std::strncmp(chosen, "xcb", 3) == 0;
}

QtMessageHandler previousHandler = nullptr;

// The display the toy was started on, as checked before Qt connected to it.
std::string &checkedDisplay()
{
    static std::string name;
    return name;
}

// Qt's X connection ends the program with exit() when the server goes away;
// exit() would run the static destructors while the sound thread may still
// be inside the audio libraries. Ending at once is the clean way out here:
// the setting is written as soon as it changes, so nothing is left unsaved.
// The connection's own error state tells a lost display, whatever Qt says.
void endIfDisplayLost()
{
    // Past the application's end, its connection is closed and gone.
    if (QCoreApplication::instance() == nullptr)
        return;
    xcb_connection_t *connection = x11::connection();
    if (connection != nullptr && xcb_connection_has_error(connection) != 0) {
        printLine(QCoreApplication::translate("Display", "lost the connection to the display"));
        _exit(1);
    }
}

// Qt warns before it exits: the earliest moment to end.
void onQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    endIfDisplayLost();
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

namespace x11 {

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_connection_t *connectAgain()
{
    const std::string &name = checkedDisplay();
    xcb_connection_t *again = xcb_connect(name.empty() ? nullptr : name.c_str(), nullptr);
    if (xcb_connection_has_error(again) != 0) {
        xcb_disconnect(again);
        return nullptr;
    }
    return again;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    static std::map<std::string, xcb_atom_t> known;
    if (const auto it = known.find(name); it != known.end())
        return it->second;
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    known.emplace(name, atom);
    return atom;
}

} // namespace x11

void choosePlatformPlugin()
{
    // A Wayland client cannot place its own window, and this toy walks.
    const char *chosen = std::getenv("QT_QPA_PLATFORM");
    if ((chosen == nullptr || *chosen == '\0') && std::getenv("WAYLAND_DISPLAY") != nullptr)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

bool displayReachable(const char *displayName, std::string &reason)
{
    if (!usesXcb())
        return true;
    const char *name = displayName != nullptr ? displayName : std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        reason =
            QCoreApplication::translate("Display", "no display (DISPLAY is not set)").toStdString();
        return false;
    }
    checkedDisplay() = name;
    // A server that takes the connection but never answers would block
    // xcb_connect for ever: ask on a thread of its own and stop waiting.
    struct Probe {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool ok = false;
        int depth = 0;
    };
    auto probe = std::make_shared<Probe>();
    std::thread([probe, display = std::string(name)] {
        int screenNumber = 0;
        xcb_connection_t *connection = xcb_connect(display.c_str(), &screenNumber);
        const bool ok = xcb_connection_has_error(connection) == 0;
        const int depth = ok ? screenDepth(connection, screenNumber) : 0;
        xcb_disconnect(connection);
        const std::lock_guard lock(probe->mutex);
        probe->ok = ok;
        probe->depth = depth;
        probe->finished = true;
        probe->done.notify_one();
    }).detach();
    std::unique_lock lock(probe->mutex);
    const bool answered =
        probe->done.wait_for(lock, kDisplayAnswerTime, [&] { return probe->finished; });
    const QString shown = escaped(QString::fromLocal8Bit(name));
    if (!answered)
        reason = QCoreApplication::translate("Display", "display %1 does not answer")
                     .arg(shown)
                     .toStdString();
    else if (!probe->ok)
        reason = QCoreApplication::translate("Display", "cannot open display %1")
                     .arg(shown)
                     .toStdString();
    else if (probe->depth < kLeastColourDepth)
        reason = QCoreApplication::translate(
                     "Display", "display %1 has %2-bit colour; the toy needs at least %3 bits")
                     .arg(shown, QString::number(probe->depth), QString::number(kLeastColourDepth))
                     .toStdString();
    return answered && probe->ok && probe->depth >= kLeastColourDepth;
}

void endCleanlyOnDisplayLoss()
{
    if (x11::connection() == nullptr)
        return;
    previousHandler = qInstallMessageHandler(onQtMessage);
    // Should the warning never reach the handler (a logging rule may
    // silence it), the exit handler registered last runs first in exit().
    std::atexit(endIfDisplayLost);
}

std::unique_ptr<ToySurface> makeToySurface(QWidget &window)
{
    const WindowSystem chosen = chosenWindowSystem();
    const char *waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    SessionOffer offer;
    offer.waylandDisplay = waylandDisplay != nullptr && *waylandDisplay != '\0';
    offer.qtOnX11 = x11::connection() != nullptr;
    std::unique_ptr<wayland::WaylandDisplay> display;
    std::string reason;
    // Where Qt is elsewhere, only an explicit choice is worth the question.
    if (chosen != WindowSystem::X11 && offer.waylandDisplay &&
        (offer.qtOnX11 || chosen == WindowSystem::Wayland)) {
        display = wayland::WaylandDisplay::connect(kWaylandAnswerTime, reason);
        offer.layerShell = display != nullptr;
        offer.kwin = display != nullptr && display->isKWin();
    }
    switch (chooseSurface(chosen, offer)) {
    case SurfaceChoice::Wayland:
        return wayland::makeToySurface(window, std::move(display));
    case SurfaceChoice::X11SayingWhy:
        if (reason.empty())
            reason = offer.waylandDisplay
                         ? QCoreApplication::translate(
                               "Display", "the toy's menu needs Qt on X11 (-platform xcb)")
                               .toStdString()
                         : QCoreApplication::translate(
                               "Display", "no Wayland display (WAYLAND_DISPLAY is not set)")
                               .toStdString();
        //: %1 is why the toy's own Wayland surface cannot be used.
        printLine(QCoreApplication::translate("Display", "%1; the toy shows on X11")
                      .arg(QString::fromStdString(reason)));
        break;
    case SurfaceChoice::X11:
        break;
    }
    display.reset();
    if (x11::connection() != nullptr)
        return x11::makeToySurface(window);
    return makeQtToySurface(window);
}

bool cursorHotSpotInImagePixels()
{
    // The X11 behaviour belongs to Qt's xcb plugin, not to the build: the
    // offscreen plugin of the tests scales like the others.
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace zorrel::platform
