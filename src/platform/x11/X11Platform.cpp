#include "platform/Platform.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace zorrel::platform {
namespace {

bool usesXcb()
{
    const char *chosen = std::getenv("QT_QPA_PLATFORM");
    return chosen == nullptr || *chosen == '\0' || std::strncmp(chosen, "xcb", 3) == 0;
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The X connection, when the toy runs on the xcb platform; other platforms
// (offscreen, minimal, wayland) have none, even where Qt's X11 interface
// answers.
xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace

void choosePlatformPlugin()
{
    // A Wayland client cannot place its own window, and this toy walks.
    const char *chosen = std::getenv("QT_QPA_PLATFORM");
    if ((chosen == nullptr || *chosen == '\0') && std::getenv("WAYLAND_DISPLAY") != nullptr)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

bool displayReachable(std::string &reason)
{
    if (!usesXcb())
        return true;
    const char *display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        reason = "no display (DISPLAY is not set)";
        return false;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!ok)
        reason = std::string("cannot open display ") + display;
    return ok;
}

void keepOffTaskbar(QWidget &window)
{
    xcb_connection_t *connection = x11Connection();
    if (connection == nullptr)
        return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // A mapped window asks the window manager to change its state.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.type = internAtom(connection, "_NET_WM_STATE");
    event.data.data32[0] = 1; // add
    event.data.data32[1] = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    event.data.data32[2] = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
    event.data.data32[3] = 1; // sent by an application
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(connection);
}

} // namespace zorrel::platform
