#pragma once

// Helpers for the end-to-end tests: they drive the real program on the private
// desktop that scripts/with-test-desktop.sh provides (DISPLAY, pulse sink file
// $ZORREL_SINK_RAW, XDG_CONFIG_HOME). Every wait here is bounded.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorrel::e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;
using WindowId = std::uint32_t;

// ---------------------------------------------------------------- commands

struct CommandResult {
    int exitCode = -1; // -1 when it did not exit normally
    int signal = 0;    // the signal that ended it, 0 if none
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs argv[0] (looked up in PATH) and captures its output. A command still
// running after `timeout` is killed. `env` replaces the environment if given.
CommandResult runCommand(const std::vector<std::string> &argv, Millis timeout = 10s,
                         const std::vector<std::string> *env = nullptr);

// The current environment without the named variables and with `set`
// ("NAME=value") added or replaced.
std::vector<std::string> environmentWith(const std::vector<std::string> &set,
                                         const std::vector<std::string> &unset = {});

// ---------------------------------------------------------------- polling

// Calls `condition` every `interval` until it holds or `timeout` has passed;
// returns whether it held.
bool waitUntil(const std::function<bool()> &condition, Millis timeout, Millis interval = 10ms);

void pause(Millis duration);

// ---------------------------------------------------------------- the program

struct LaunchOptions {
    // Run a copy of the program in a temporary folder, with the sounds chosen
    // below beside it. Otherwise the built program runs where it is.
    bool copyProgram = false;
    bool withWindingClick = true; // Korrin0.wav
    bool withFootstep = true;     // Korrin1.wav
    // Written to $XDG_CONFIG_HOME/Pocketfolk.ini before the start.
    std::optional<std::string> storedSettings;
    std::vector<std::string> unsetVariables;
};

// One running instance of the program with its own settings folder. The
// destructor kills it if it still runs.
class ToyProcess {
  public:
    // `program` is the built program (ZORREL_BINARY); its sounds lie beside it.
    ToyProcess(const QString &program, const LaunchOptions &options);
    ~ToyProcess();
    ToyProcess(const ToyProcess &) = delete;
    ToyProcess &operator=(const ToyProcess &) = delete;

    [[nodiscard]] pid_t pid() const { return pid_; }
    [[nodiscard]] QString configDir() const { return configDir_.path(); }
    [[nodiscard]] QString iniPath() const;
    [[nodiscard]] QString programPath() const { return program_; }

    // The program's first visible window; 0 if none shows within `timeout`.
    WindowId waitForWindow(Millis timeout = 10s);
    // All visible windows of the program.
    [[nodiscard]] std::vector<WindowId> visibleWindows() const;

    // Waits for the end of the process. Returns false on time-out.
    bool waitForExit(Millis timeout);
    [[nodiscard]] bool running();
    [[nodiscard]] int exitCode() const { return exitCode_; } // -1 unless it exited
    [[nodiscard]] int termSignal() const { return termSignal_; }
    [[nodiscard]] bool coreDumped() const { return coreDumped_; }
    [[nodiscard]] std::string stderrText() const;

  private:
    void reap(int status);

    QTemporaryDir configDir_;
    QTemporaryDir programDir_;
    QString program_;
    QString stderrPath_;
    pid_t pid_ = -1;
    bool finished_ = false;
    int exitCode_ = -1;
    int termSignal_ = 0;
    bool coreDumped_ = false;
};

// The stored sound option ("True"/"False"), or empty if there is none.
std::string storedSoundOption(const QString &iniPath);

// ---------------------------------------------------------------- X server

// Absolute position of the window's top-left corner on the root window.
std::optional<QPoint> windowPosition(WindowId window);
std::optional<QRect> windowGeometry(WindowId window);
// Atom names in _NET_WM_STATE.
std::vector<std::string> netWmState(WindowId window);
// The window's bounding shape, in window coordinates.
QRegion boundingShape(WindowId window);
std::string windowName(WindowId window);
// Visible windows whose name matches `name` (a regular expression).
std::vector<WindowId> findWindowsByName(const std::string &name);

// Waits until the window stays at one position for `still`; returns it.
std::optional<QPoint> waitUntilStill(WindowId window, Millis still, Millis timeout);

// A plain window of the test's own, mapped without the window manager below
// all others, that records button presses.
class ProbeWindow {
  public:
    explicit ProbeWindow(QRect geometry);
    ~ProbeWindow();
    ProbeWindow(const ProbeWindow &) = delete;
    ProbeWindow &operator=(const ProbeWindow &) = delete;

    [[nodiscard]] bool mapped() const { return window_ != 0; }
    // Root coordinates of the presses received so far (collected on each call).
    std::vector<QPoint> presses();
    // Waits for one more press than received before; returns it.
    std::optional<QPoint> waitForPress(Millis timeout);

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
    WindowId window_ = 0;
    std::vector<QPoint> presses_;
};

// ---------------------------------------------------------------- screen

// A screenshot of the whole root window; a null image on failure.
QImage screenshot();
// Paints the desktop (root window background) in one colour.
bool paintDesktop(const QColor &colour);

// ---------------------------------------------------------------- pointer, keys

std::optional<QPoint> pointerPosition();
// The innermost window under the pointer, as the X server picks it.
WindowId windowUnderPointer();
// Moves the pointer and waits until the server has it there.
bool mouseMove(QPoint rootPosition);
bool mouseDown(int button);
bool mouseUp(int button);
bool click(int button);
bool key(const std::string &keys);
// Several xdotool commands in one run, e.g. {"mousedown","1","click","3"}.
bool xdotool(const std::vector<std::string> &arguments);

// ---------------------------------------------------------------- sound

// Reads what the private sound server played into $ZORREL_SINK_RAW
// (s16le, 44100 Hz, mono).
class SinkRecording {
  public:
    SinkRecording();
    [[nodiscard]] bool available() const { return !path_.empty(); }
    // Size of the recording now, in bytes.
    [[nodiscard]] std::int64_t mark() const;
    // Largest absolute sample value between two marks (end -1 = now).
    [[nodiscard]] int peakBetween(std::int64_t begin, std::int64_t end = -1) const;
    // Largest sample played from `begin` on, watched for `duration` or until
    // it exceeds `enough`.
    [[nodiscard]] int peakWithin(std::int64_t begin, Millis duration, int enough = 1 << 16) const;
    // Waits (up to `timeout`) until nothing but silence has been played for
    // `quiet`; returns whether it came to that.
    [[nodiscard]] bool waitForQuiet(Millis quiet, Millis timeout) const;

  private:
    std::string path_;
};

// ---------------------------------------------------------------- the toy

// Where things are, in outer-window coordinates of the toy (the outlines'
// frame); the client window starts at (3, 22) of it.
inline constexpr QPoint kClientOrigin{3, 22};
inline constexpr QPoint kBodyPoint{40, 60};

// Root position of an outer-window point of the toy window at `windowPos`.
inline QPoint rootPoint(QPoint windowPos, QPoint outerPoint)
{
    return windowPos + outerPoint - kClientOrigin;
}

// The toy's silhouette for the given frames, in client coordinates.
QRegion composedShape(int headFrame = 0, int legFrame = 0, int keyFrame = 0);

} // namespace zorrel::e2e
