#pragma once

// The end-to-end tests drive the real program on the private desktop of
// scripts/with-test-desktop.sh. Every wait is bounded.

#include <QImage>
#include <QRegion>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << "(" << p.x() << "," << p.y() << ")";
}
inline void PrintTo(const QRegion &region, std::ostream *os)
{
    for (const QRect &r : region)
        *os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y() << " ";
}

namespace zorrel::e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;
using Xid = std::uint32_t;
using std::this_thread::sleep_for;

struct Output {
    int exit; // 128 + the signal if one ended it
    std::string out;
};
// Runs a shell command, killed after `seconds`.
Output run(const std::string &command, int seconds = 20);
inline bool xdo(const std::string &arguments) { return run("xdotool " + arguments).exit == 0; }
bool waitUntil(const std::function<bool()> &condition, Millis timeout);

// Visible windows matching xdotool search options.
std::vector<Xid> windows(const std::string &search);
QPoint position(Xid window); // on the root window
QRegion shape(Xid window);   // the bounding shape, in window coordinates
// The window's own pixels, alpha included where it has a 32-bit visual
// (Format_ARGB32_Premultiplied, else Format_RGB32); null if unreadable.
QImage ownPixels(Xid window);
// The pointer's position; `under` gets the innermost window below it.
QPoint pointer(Xid *under = nullptr);
// Moves the pointer and waits until the server has it there.
bool move(QPoint p);
// The pointer's cursor as the server shows it now (XFixes); null if unknown.
QImage cursorImage();
// Asks `window` to close, as a window manager's close button does.
void requestClose(Xid window);
// A Unix socket listening at `path` that never accepts by itself: a server
// that takes connections and never answers. Its descriptor, or -1.
int silentServer(const std::string &path);
// The toy's outline for a pose, in client coordinates.
QRegion poseShape(int head, int legs, int key);
// The rest pose, with the key at `keyFrame`.
inline QRegion restShape(int keyFrame = 0) { return poseShape(0, 0, keyFrame); }

// A window of the test's own below all others that records button presses.
class Probe {
  public:
    explicit Probe(QRect geometry);
    ~Probe();
    // The root position of the next press.
    std::optional<QPoint> press(Millis timeout);

  private:
    Xid id_;
};

// What the private sound server played ($ZORREL_SINK_RAW, s16le mono 44.1 kHz).
inline constexpr int kAudible = 1000, kSilent = 50; // of 32767
std::int64_t sinkSize();
// The 16-bit samples of the file at `path` (the sink's if null) from byte `from` on.
std::vector<std::int16_t> samplesOf(const char *path, std::int64_t from);
// The largest sample played from byte `from` on, watched for `within` or
// until it exceeds `enough`.
int peak(std::int64_t from, Millis within, int enough);
// Kills the private sound server the way a crash would and starts it again
// just as the desktop first did; true once a new one answers.
bool restartSoundServer();
// Waits until nothing of an earlier program is still on its way to the sink.
inline bool sinkQuiet()
{
    return waitUntil([] { return peak(sinkSize(), 300ms, kSilent) <= kSilent; }, 5s);
}

// Outer-window points (the client starts at (3, 22) of it).
inline constexpr QPoint kClient{3, 22};
inline constexpr QPoint kBody{40, 60};

} // namespace zorrel::e2e
