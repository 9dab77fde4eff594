#include "e2e/support/Desktop.h"

#include "shape/Outline.h"

#include <xcb/shape.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zorrel::e2e {
namespace {

xcb_connection_t *x()
{
    static xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    return connection;
}

const xcb_screen_t &screen() { return *xcb_setup_roots_iterator(xcb_get_setup(x())).data; }

} // namespace

Output run(const std::string &command, int seconds)
{
    FILE *pipe = popen(("timeout " + std::to_string(seconds) + " " + command).c_str(), "r");
    Output result{-1, {}};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool waitUntil(const std::function<bool()> &condition, Millis timeout)
{
    for (const auto deadline = Clock::now() + timeout; !condition(); sleep_for(5ms))
        if (Clock::now() >= deadline)
            return false;
    return true;
}

std::vector<Xid> windows(const std::string &search)
{
    std::istringstream out(run("xdotool search --onlyvisible " + search).out);
    return {std::istream_iterator<Xid>(out), {}};
}

QPoint position(Xid window)
{
    auto *r = xcb_translate_coordinates_reply(
        x(), xcb_translate_coordinates(x(), window, screen().root, 0, 0), nullptr);
    const QPoint p = r != nullptr ? QPoint(r->dst_x, r->dst_y) : QPoint(-99999, -99999);
    std::free(r);
    return p;
}

QRegion shape(Xid window)
{
    auto *r = xcb_shape_get_rectangles_reply(
        x(), xcb_shape_get_rectangles(x(), window, XCB_SHAPE_SK_BOUNDING), nullptr);
    QRegion region;
    const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(r);
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(r); ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    std::free(r);
    return region;
}

QImage ownPixels(Xid window)
{
    auto *geometry = xcb_get_geometry_reply(x(), xcb_get_geometry(x(), window), nullptr);
    if (geometry == nullptr)
        return {};
    const int depth = geometry->depth;
    const QSize size(geometry->width, geometry->height);
    std::free(geometry);
    auto *r = xcb_get_image_reply(x(),
                                  xcb_get_image(x(), XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                                static_cast<std::uint16_t>(size.width()),
                                                static_cast<std::uint16_t>(size.height()), ~0U),
                                  nullptr);
    if (r == nullptr)
        return {};
    QImage image;
    // 24 and 32 bits deep alike are 32 bits a pixel, rows unpadded.
    if (xcb_get_image_data_length(r) == size.width() * size.height() * 4)
        image = QImage(xcb_get_image_data(r), size.width(), size.height(),
                       depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
                    .copy();
    std::free(r);
    return image;
}

QPoint pointer(Xid *under)
{
    QPoint p;
    for (xcb_window_t w = screen().root; w != XCB_WINDOW_NONE;) {
        auto *r = xcb_query_pointer_reply(x(), xcb_query_pointer(x(), w), nullptr);
        p = QPoint(r->root_x, r->root_y);
        if (under != nullptr)
            *under = w;
        w = r->child;
        std::free(r);
    }
    return p;
}

bool move(QPoint p)
{
    return xdo("mousemove " + std::to_string(p.x()) + " " + std::to_string(p.y())) &&
           waitUntil([&] { return pointer() == p; }, 2s);
}

QImage cursorImage()
{
    static const bool ready = [] {
        std::free(xcb_xfixes_query_version_reply(
            x(), xcb_xfixes_query_version(x(), XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
            nullptr));
        return true;
    }();
    auto *r =
        ready ? xcb_xfixes_get_cursor_image_reply(x(), xcb_xfixes_get_cursor_image(x()), nullptr)
              : nullptr;
    if (r == nullptr)
        return {};
    const QImage image =
        QImage(reinterpret_cast<const uchar *>(xcb_xfixes_get_cursor_image_cursor_image(r)),
               r->width, r->height, QImage::Format_ARGB32_Premultiplied)
            .copy();
    std::free(r);
    return image;
}

void requestClose(Xid window)
{
    const auto atom = [](const char *name) {
        auto *r = xcb_intern_atom_reply(
            x(), xcb_intern_atom(x(), 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = r != nullptr ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return atom;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(x());
}

int silentServer(const std::string &path)
{
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        listen(listener, 4) != 0) {
        close(listener);
        return -1;
    }
    return listener;
}

QRegion poseShape(int head, int legs, int key)
{
    const shape::Pose pose{static_cast<std::int16_t>(head), static_cast<std::int16_t>(legs),
                           static_cast<std::int16_t>(key)};
    return shape::outline(pose, 1.0);
}

Probe::Probe(QRect g) : id_(xcb_generate_id(x()))
{
    const std::uint32_t values[] = {screen().white_pixel, 1U, XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(x(), XCB_COPY_FROM_PARENT, id_, screen().root,
                      static_cast<std::int16_t>(g.x()), static_cast<std::int16_t>(g.y()),
                      static_cast<std::uint16_t>(g.width()), static_cast<std::uint16_t>(g.height()),
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen().root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    xcb_map_window(x(), id_);
    const std::uint32_t below[] = {XCB_STACK_MODE_BELOW};
    xcb_configure_window(x(), id_, XCB_CONFIG_WINDOW_STACK_MODE, below);
    std::free(xcb_get_input_focus_reply(x(), xcb_get_input_focus(x()), nullptr));
}

Probe::~Probe()
{
    xcb_destroy_window(x(), id_);
    xcb_flush(x());
}

std::optional<QPoint> Probe::press(Millis timeout)
{
    std::optional<QPoint> at;
    waitUntil(
        [&] {
            while (xcb_generic_event_t *event = xcb_poll_for_event(x())) {
                const auto *press = reinterpret_cast<xcb_button_press_event_t *>(event);
                if ((event->response_type & 0x7F) == XCB_BUTTON_PRESS && !at)
                    at = QPoint(press->root_x, press->root_y);
                std::free(event);
            }
            return at.has_value();
        },
        timeout);
    return at;
}

std::int64_t sinkSize()
{
    return static_cast<std::int64_t>(std::filesystem::file_size(std::getenv("ZORREL_SINK_RAW"))) &
           ~std::int64_t{1};
}

std::vector<std::int16_t> samplesOf(const char *path, std::int64_t from)
{
    std::ifstream in(path != nullptr ? path : std::getenv("ZORREL_SINK_RAW"), std::ios::binary);
    in.seekg(from);
    std::vector<std::int16_t> samples;
    for (std::int16_t sample = 0; in.read(reinterpret_cast<char *>(&sample), 2);)
        samples.push_back(sample);
    return samples;
}

int peak(std::int64_t from, Millis within, int enough)
{
    int peak = 0;
    waitUntil(
        [&] {
            const std::vector<std::int16_t> samples = samplesOf(nullptr, from);
            from += 2 * static_cast<std::int64_t>(samples.size());
            for (const std::int16_t s : samples)
                peak = std::max(peak, std::abs(int{s}));
            return peak > enough;
        },
        within);
    return peak;
}

bool restartSoundServer()
{
    const auto server = [] { // its process id, 0 if none
        const char *runtime = std::getenv("PULSE_RUNTIME_PATH");
        std::ifstream in(std::string(runtime ? runtime : "/nonexistent") + "/pid");
        pid_t pid = 0;
        return in >> pid ? pid : 0;
    };
    const pid_t old = server();
    // Gone, or a zombie its parent has not collected yet.
    const auto gone = [old] {
        std::ifstream stat("/proc/" + std::to_string(old) + "/stat");
        std::string pid, name, state;
        return !(stat >> pid >> name >> state) || state == "Z";
    };
    return old > 0 && kill(old, SIGKILL) == 0 && waitUntil(gone, 5s) &&
           run(ZORREL_SOURCE_DIR "/scripts/start-test-pulse.sh").exit == 0 && server() != old;
}

} // namespace zorrel::e2e
