#include "e2e/support/Desktop.h"

#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"
#include "toy/ToyState.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char **environ;

namespace zorrel::e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char *> cStrings(const std::vector<std::string> &strings)
{
    std::vector<char *> out;
    out.reserve(strings.size() + 1);
    for (const std::string &s : strings)
        out.push_back(const_cast<char *>(s.c_str()));
    out.push_back(nullptr);
    return out;
}

void decodeStatus(int status, int &exitCode, int &signal, bool *core = nullptr)
{
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    if (core != nullptr)
        *core = WIFSIGNALED(status) && WCOREDUMP(status);
}

// Waits for `pid` up to `timeout`; returns whether it ended (status filled).
bool waitPid(pid_t pid, Millis timeout, int &status)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return true;
        if (r < 0 && errno != EINTR)
            return false;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
}

std::vector<WindowId> parseWindowList(const std::string &text)
{
    std::vector<WindowId> ids;
    std::istringstream in(text);
    unsigned long id = 0;
    while (in >> id)
        ids.push_back(static_cast<WindowId>(id));
    return ids;
}

// ---------------------------------------------------------------- X connection

struct XServer {
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    QSize rootSize;

    XServer()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) != 0) {
            xcb_disconnect(connection);
            connection = nullptr;
            return;
        }
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        root = screen->root;
        rootSize = QSize(screen->width_in_pixels, screen->height_in_pixels);
    }
    ~XServer()
    {
        if (connection != nullptr)
            xcb_disconnect(connection);
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    xcb_atom_t atom(const char *name) const
    {
        const auto cookie =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t a = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    }

    [[nodiscard]] std::string atomName(xcb_atom_t a) const
    {
        xcb_get_atom_name_reply_t *reply =
            xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, a), nullptr);
        if (reply == nullptr)
            return {};
        std::string name(xcb_get_atom_name_name(reply),
                         static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
        std::free(reply);
        return name;
    }

    // The raw bytes of a property, empty if missing.
    std::string property(WindowId window, xcb_atom_t name, xcb_atom_t type,
                         std::uint8_t *format = nullptr) const
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name, type, 0, 4096), nullptr);
        if (reply == nullptr)
            return {};
        std::string bytes(static_cast<const char *>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)) *
                              (reply->format / 8U));
        if (format != nullptr)
            *format = reply->format;
        std::free(reply);
        return bytes;
    }
};

XServer &xserver()
{
    static XServer server;
    return server;
}

std::string tempPath(const char *suffix)
{
    std::string pattern = std::string("/tmp/zorrel-e2e-XXXXXX") + suffix;
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemps(buffer.data(), static_cast<int>(std::strlen(suffix)));
    if (fd < 0)
        return {};
    close(fd);
    return buffer.data();
}

} // namespace

// ---------------------------------------------------------------- commands

CommandResult runCommand(const std::vector<std::string> &argv, Millis timeout,
                         const std::vector<std::string> *env)
{
    CommandResult result;
    int outPipe[2];
    int errPipe[2];
    if (argv.empty() || pipe2(outPipe, O_CLOEXEC) != 0)
        return result;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    std::vector<char *> args = cStrings(argv);
    std::vector<char *> envp = env != nullptr ? cStrings(*env) : std::vector<char *>{};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        const int null = open("/dev/null", O_RDONLY);
        if (null >= 0)
            dup2(null, STDIN_FILENO);
        if (env != nullptr)
            execvpe(args[0], args.data(), envp.data());
        else
            execvp(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }

    const auto deadline = Clock::now() + timeout;
    std::array<pollfd, 2> fds{pollfd{outPipe[0], POLLIN, 0}, pollfd{errPipe[0], POLLIN, 0}};
    std::array<std::string *, 2> sinks{&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
        if (left <= 0) {
            result.timedOut = true;
            break;
        }
        const int n = poll(fds.data(), fds.size(), static_cast<int>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            continue;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd &fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    int status = 0;
    if (result.timedOut || !waitPid(pid, 2s, status)) {
        result.timedOut = true;
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    decodeStatus(status, result.exitCode, result.signal);
    return result;
}

std::vector<std::string> environmentWith(const std::vector<std::string> &set,
                                         const std::vector<std::string> &unset)
{
    auto nameOf = [](const std::string &entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> out;
    for (char **e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        const std::string name = nameOf(entry);
        const bool dropped = std::find(unset.begin(), unset.end(), name) != unset.end() ||
                             std::any_of(set.begin(), set.end(),
                                         [&](const std::string &s) { return nameOf(s) == name; });
        if (!dropped)
            out.push_back(entry);
    }
    out.insert(out.end(), set.begin(), set.end());
    return out;
}

// ---------------------------------------------------------------- polling

bool waitUntil(const std::function<bool()> &condition, Millis timeout, Millis interval)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

void pause(Millis duration)
{
    std::this_thread::sleep_for(duration);
}

// ---------------------------------------------------------------- the program

ToyProcess::ToyProcess(const QString &built, const LaunchOptions &options)
{
    program_ = built;
    if (options.copyProgram) {
        const QDir from = QFileInfo(built).dir();
        const QDir to(programDir_.path());
        program_ = to.filePath(QStringLiteral("zorrel"));
        QFile::copy(built, program_);
        QFile::setPermissions(program_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
        if (options.withWindingClick)
            QFile::copy(from.filePath(QStringLiteral("Korrin0.wav")),
                        to.filePath(QStringLiteral("Korrin0.wav")));
        if (options.withFootstep)
            QFile::copy(from.filePath(QStringLiteral("Korrin1.wav")),
                        to.filePath(QStringLiteral("Korrin1.wav")));
    }
    if (options.storedSettings) {
        QFile ini(iniPath());
        if (ini.open(QIODevice::WriteOnly))
            ini.write(options.storedSettings->data(),
                      static_cast<qint64>(options.storedSettings->size()));
    }
    stderrPath_ = QDir(programDir_.path()).filePath(QStringLiteral("stderr.txt"));

    const std::vector<std::string> env =
        environmentWith({"XDG_CONFIG_HOME=" + configDir().toStdString()}, options.unsetVariables);
    std::vector<char *> envp = cStrings(env);
    const std::string path = program_.toStdString();
    const std::string errPath = stderrPath_.toStdString();
    const std::string workDir = programDir_.path().toStdString();
    std::vector<std::string> argv{path};
    std::vector<char *> args = cStrings(argv);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        // The program must not outlive a test run that dies.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(126);
        setpgid(0, 0);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open("/dev/null", O_WRONLY);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in >= 0)
            dup2(in, STDIN_FILENO);
        if (out >= 0)
            dup2(out, STDOUT_FILENO);
        if (err >= 0)
            dup2(err, STDERR_FILENO);
        if (chdir(workDir.c_str()) != 0)
            _exit(125);
        execve(path.c_str(), args.data(), envp.data());
        _exit(127);
    }
}

ToyProcess::~ToyProcess()
{
    if (pid_ > 0 && !finished_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitPid(pid_, 5s, status);
    }
}

QString ToyProcess::iniPath() const
{
    return QDir(configDir()).filePath(QStringLiteral("Pocketfolk.ini"));
}

std::vector<WindowId> ToyProcess::visibleWindows() const
{
    if (pid_ <= 0)
        return {};
    const CommandResult r =
        runCommand({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(pid_)}, 5s);
    return parseWindowList(r.out);
}

WindowId ToyProcess::waitForWindow(Millis timeout)
{
    WindowId found = 0;
    waitUntil(
        [&] {
            const std::vector<WindowId> ids = visibleWindows();
            if (!ids.empty())
                found = ids.front();
            return found != 0 || !running();
        },
        timeout, 50ms);
    return found;
}

void ToyProcess::reap(int status)
{
    finished_ = true;
    decodeStatus(status, exitCode_, termSignal_, &coreDumped_);
}

bool ToyProcess::running()
{
    if (pid_ <= 0 || finished_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reap(status);
        return false;
    }
    return true;
}

bool ToyProcess::waitForExit(Millis timeout)
{
    if (pid_ <= 0)
        return false;
    if (finished_)
        return true;
    int status = 0;
    if (!waitPid(pid_, timeout, status))
        return false;
    reap(status);
    return true;
}

std::string ToyProcess::stderrText() const
{
    std::ifstream in(stderrPath_.toStdString());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string storedSoundOption(const QString &iniPath)
{
    QFile ini(iniPath);
    if (!ini.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(ini.readAll());
    static const QRegularExpression entry(
        QStringLiteral(R"(\[Coilwerks\][^\[]*^Zorrel%20Sound=(\S*)\s*$)"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = entry.match(text);
    return m.hasMatch() ? m.captured(1).toStdString() : std::string{};
}

// ---------------------------------------------------------------- X server

std::optional<QPoint> windowPosition(WindowId window)
{
    XServer &x = xserver();
    if (x.connection == nullptr)
        return std::nullopt;
    xcb_translate_coordinates_reply_t *reply = xcb_translate_coordinates_reply(
        x.connection, xcb_translate_coordinates(x.connection, window, x.root, 0, 0), nullptr);
    if (reply == nullptr)
        return std::nullopt;
    const QPoint p(reply->dst_x, reply->dst_y);
    std::free(reply);
    return p;
}

std::optional<QRect> windowGeometry(WindowId window)
{
    XServer &x = xserver();
    if (x.connection == nullptr)
        return std::nullopt;
    xcb_get_geometry_reply_t *reply =
        xcb_get_geometry_reply(x.connection, xcb_get_geometry(x.connection, window), nullptr);
    if (reply == nullptr)
        return std::nullopt;
    const QSize size(reply->width, reply->height);
    std::free(reply);
    const std::optional<QPoint> pos = windowPosition(window);
    if (!pos)
        return std::nullopt;
    return QRect(*pos, size);
}

std::vector<std::string> netWmState(WindowId window)
{
    XServer &x = xserver();
    std::vector<std::string> names;
    if (x.connection == nullptr)
        return names;
    const std::string bytes = x.property(window, x.atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        xcb_atom_t a = 0;
        std::memcpy(&a, bytes.data() + i, 4);
        names.push_back(x.atomName(a));
    }
    return names;
}

QRegion boundingShape(WindowId window)
{
    XServer &x = xserver();
    QRegion region;
    if (x.connection == nullptr)
        return region;
    xcb_shape_get_rectangles_reply_t *reply = xcb_shape_get_rectangles_reply(
        x.connection, xcb_shape_get_rectangles(x.connection, window, XCB_SHAPE_SK_BOUNDING),
        nullptr);
    if (reply == nullptr)
        return region;
    const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(reply);
    const int count = xcb_shape_get_rectangles_rectangles_length(reply);
    for (int i = 0; i < count; ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    std::free(reply);
    return region;
}

std::string windowName(WindowId window)
{
    XServer &x = xserver();
    if (x.connection == nullptr)
        return {};
    std::string name = x.property(window, x.atom("_NET_WM_NAME"), x.atom("UTF8_STRING"));
    if (name.empty())
        name = x.property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    return name;
}

std::vector<WindowId> findWindowsByName(const std::string &name)
{
    const CommandResult r = runCommand({"xdotool", "search", "--onlyvisible", "--name", name}, 5s);
    return parseWindowList(r.out);
}

std::optional<QPoint> waitUntilStill(WindowId window, Millis still, Millis timeout)
{
    std::optional<QPoint> last = windowPosition(window);
    auto since = Clock::now();
    const bool settled = waitUntil(
        [&] {
            const std::optional<QPoint> now = windowPosition(window);
            if (now != last) {
                last = now;
                since = Clock::now();
            }
            return last && Clock::now() - since >= still;
        },
        timeout, 5ms);
    return settled ? last : std::nullopt;
}

struct ProbeWindow::Connection {
    xcb_connection_t *c = nullptr;
};

ProbeWindow::ProbeWindow(QRect geometry) : connection_(std::make_unique<Connection>())
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) != 0) {
        xcb_disconnect(c);
        return;
    }
    connection_->c = c;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, 1U, XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(
        c, XCB_COPY_FROM_PARENT, w, screen->root, static_cast<std::int16_t>(geometry.x()),
        static_cast<std::int16_t>(geometry.y()), static_cast<std::uint16_t>(geometry.width()),
        static_cast<std::uint16_t>(geometry.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
        screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK,
        values);
    xcb_map_window(c, w);
    // Mapped last it would be on top; below everything it is under the toy.
    const std::uint32_t below[] = {XCB_STACK_MODE_BELOW};
    xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, below);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    window_ = w;
}

ProbeWindow::~ProbeWindow()
{
    if (connection_->c != nullptr) {
        if (window_ != 0)
            xcb_destroy_window(connection_->c, window_);
        xcb_flush(connection_->c);
        xcb_disconnect(connection_->c);
    }
}

std::vector<QPoint> ProbeWindow::presses()
{
    if (connection_->c == nullptr)
        return presses_;
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection_->c)) {
        if ((event->response_type & 0x7FU) == XCB_BUTTON_PRESS) {
            const auto *press = reinterpret_cast<const xcb_button_press_event_t *>(event);
            presses_.emplace_back(press->root_x, press->root_y);
        }
        std::free(event);
    }
    return presses_;
}

std::optional<QPoint> ProbeWindow::waitForPress(Millis timeout)
{
    const std::size_t before = presses_.size();
    if (!waitUntil([&] { return presses().size() > before; }, timeout, 5ms))
        return std::nullopt;
    return presses_[before];
}

// ---------------------------------------------------------------- screen

QImage screenshot()
{
    const std::string path = tempPath(".png");
    if (path.empty())
        return {};
    const CommandResult r = runCommand({"import", "-window", "root", path}, 20s);
    QImage image;
    if (r.exitCode == 0)
        image.load(QString::fromStdString(path), "PNG");
    std::remove(path.c_str());
    return image;
}

bool paintDesktop(const QColor &colour)
{
    const QSize size = xserver().rootSize.isValid() ? xserver().rootSize : QSize(1024, 768);
    const std::string path = tempPath(".png");
    if (path.empty())
        return false;
    runCommand({"convert", "-size",
                std::to_string(size.width()) + "x" + std::to_string(size.height()),
                "xc:" + colour.name().toStdString(), path},
               20s);
    // `display` reports failure here even though it sets the background.
    runCommand({"display", "-window", "root", path}, 20s);
    std::remove(path.c_str());
    const QImage shot = screenshot();
    return !shot.isNull() && shot.pixelColor(0, 0) == colour &&
           shot.pixelColor(shot.width() - 1, shot.height() - 1) == colour;
}

// ---------------------------------------------------------------- pointer, keys

bool xdotool(const std::vector<std::string> &arguments)
{
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runCommand(argv, 10s).exitCode == 0;
}

std::optional<QPoint> pointerPosition()
{
    XServer &x = xserver();
    if (x.connection == nullptr)
        return std::nullopt;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(x.connection, xcb_query_pointer(x.connection, x.root), nullptr);
    if (reply == nullptr)
        return std::nullopt;
    const QPoint p(reply->root_x, reply->root_y);
    std::free(reply);
    return p;
}

WindowId windowUnderPointer()
{
    XServer &x = xserver();
    if (x.connection == nullptr)
        return 0;
    xcb_window_t window = x.root;
    for (int depth = 0; depth < 16; ++depth) {
        xcb_query_pointer_reply_t *reply =
            xcb_query_pointer_reply(x.connection, xcb_query_pointer(x.connection, window), nullptr);
        if (reply == nullptr)
            return 0;
        const xcb_window_t child = reply->child;
        std::free(reply);
        if (child == XCB_WINDOW_NONE)
            break;
        window = child;
    }
    return window;
}

// xdotool's own --sync waits forever when the pointer is already there.
bool mouseMove(QPoint p)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (xdotool({"mousemove", std::to_string(p.x()), std::to_string(p.y())}) &&
            waitUntil([&] { return pointerPosition() == p; }, 1s, 2ms))
            return true;
    }
    return false;
}
bool mouseDown(int button)
{
    return xdotool({"mousedown", std::to_string(button)});
}
bool mouseUp(int button)
{
    return xdotool({"mouseup", std::to_string(button)});
}
bool click(int button)
{
    return xdotool({"click", std::to_string(button)});
}
bool key(const std::string &keys)
{
    return xdotool({"key", keys});
}

// ---------------------------------------------------------------- sound

SinkRecording::SinkRecording()
{
    if (const char *path = std::getenv("ZORREL_SINK_RAW"); path != nullptr && *path != '\0')
        path_ = path;
}

std::int64_t SinkRecording::mark() const
{
    struct stat st {};
    if (path_.empty() || stat(path_.c_str(), &st) != 0)
        return 0;
    return static_cast<std::int64_t>(st.st_size) & ~std::int64_t{1};
}

int SinkRecording::peakBetween(std::int64_t begin, std::int64_t end) const
{
    if (end < 0)
        end = mark();
    std::ifstream in(path_, std::ios::binary);
    if (!in || end <= begin)
        return 0;
    in.seekg(begin);
    std::vector<std::int16_t> buffer(1 << 18);
    std::int64_t left = (end - begin) / 2;
    int peak = 0;
    while (left > 0 && in) {
        const auto n = static_cast<std::streamsize>(
            std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
        in.read(reinterpret_cast<char *>(buffer.data()), n * 2);
        const std::streamsize got = in.gcount() / 2;
        for (std::streamsize i = 0; i < got; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(buffer[static_cast<std::size_t>(i)])));
        left -= got;
        if (got == 0)
            break;
    }
    return peak;
}

int SinkRecording::peakWithin(std::int64_t begin, Millis duration, int enough) const
{
    int peak = 0;
    std::int64_t scanned = begin;
    waitUntil(
        [&] {
            const std::int64_t end = mark();
            peak = std::max(peak, peakBetween(scanned, end));
            scanned = end;
            return peak > enough;
        },
        duration, 20ms);
    return peak;
}

bool SinkRecording::waitForQuiet(Millis quiet, Millis timeout) const
{
    std::int64_t scanned = mark();
    auto lastSound = Clock::now();
    return waitUntil(
        [&] {
            const std::int64_t end = mark();
            if (peakBetween(scanned, end) > 50)
                lastSound = Clock::now();
            scanned = end;
            return Clock::now() - lastSound >= quiet;
        },
        timeout, 20ms);
}

// ---------------------------------------------------------------- the toy

QRegion composedShape(int headFrame, int legFrame, int keyFrame)
{
    toy::ToyState state{};
    state.HeadFrame = static_cast<std::int16_t>(headFrame);
    state.LegFrame = static_cast<std::int16_t>(legFrame);
    state.KeyFrame = static_cast<std::int16_t>(keyFrame);
    shape::RegionTable regions;
    shape::ComposeShape(state, regions);
    return regions.region(state.ShapeRegion).translated(-kClientOrigin);
}

} // namespace zorrel::e2e
