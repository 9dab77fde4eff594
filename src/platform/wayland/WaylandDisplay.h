#pragma once

#include "platform/wayland/WaylandPointer.h"

#include <QObject>
#include <QRect>
#include <QSocketNotifier>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct wl_compositor;
struct wl_display;
struct wl_output;
struct wl_registry;
struct wl_shm;
struct wl_subcompositor;
struct wp_fractional_scale_manager_v1;
struct wp_viewporter;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace zorrel::platform::wayland {

// One monitor as the compositor describes it.
struct Output {
    std::uint32_t name = 0; // the registry's
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    QRect logical; // in the desktop's logical pixels
    int scale = 1; // integer buffer scale
};

// The toy's own connection to the Wayland compositor, read on Qt's event
// loop whenever its socket has something, and the globals the toy's
// surface needs.
class WaylandDisplay {
  public:
    // Connects and learns the globals and outputs, waiting at most `limit`
    // for the compositor's answers. Null, with the reason, when there is no
    // compositor or it lacks what the toy needs.
    static std::unique_ptr<WaylandDisplay> connect(std::chrono::milliseconds limit,
                                                   std::string &reason);
    ~WaylandDisplay();
    WaylandDisplay(const WaylandDisplay &) = delete;
    WaylandDisplay &operator=(const WaylandDisplay &) = delete;

    [[nodiscard]] wl_display *display() const { return display_; }
    [[nodiscard]] wl_compositor *compositor() const { return compositor_; }
    [[nodiscard]] wl_subcompositor *subcompositor() const { return subcompositor_; }
    [[nodiscard]] wl_shm *shm() const { return shm_; }
    // Null where the compositor does not offer them.
    [[nodiscard]] wp_viewporter *viewporter() const { return viewporter_; }
    [[nodiscard]] wp_fractional_scale_manager_v1 *fractionalScale() const
    {
        return fractionalScale_;
    }
    [[nodiscard]] zwlr_layer_shell_v1 *layerShell() const { return layerShell_; }
    // The first seat's pointer; null when there is no seat.
    [[nodiscard]] WaylandPointer *pointer() const { return pointer_.get(); }
    // Each output's entry stays where it is until the output goes.
    [[nodiscard]] const std::vector<std::unique_ptr<Output>> &outputs() const { return outputs_; }
    // The outputs' places, in the order of outputs().
    [[nodiscard]] std::vector<QRect> outputRects() const;
    // Whether the compositor is KWin, by a global only it offers.
    [[nodiscard]] bool isKWin() const { return kwin_; }
    // The output the registry calls `name`; null once it is gone.
    [[nodiscard]] const Output *output(std::uint32_t name) const;

    // Called after the events of each read are handled.
    void onEvents(std::function<void()> handler) { onEvents_ = std::move(handler); }

    // Sends what was asked. A lost connection ends the program with status
    // 1 and one line on stderr, as a lost X display does; false from then on.
    bool flush();

  private:
    WaylandDisplay() = default;
    bool roundTrip(std::chrono::steady_clock::time_point deadline);
    void readEvents();
    void addOutput(std::uint32_t name, std::uint32_t version);
    void watchOutput(Output &output);
    bool alive();

    static void global(void *data, wl_registry *registry, std::uint32_t name, const char *interface,
                       std::uint32_t version);
    static void globalRemove(void *data, wl_registry *registry, std::uint32_t name);

    wl_display *display_ = nullptr;
    wl_registry *registry_ = nullptr;
    wl_compositor *compositor_ = nullptr;
    wl_subcompositor *subcompositor_ = nullptr;
    wl_shm *shm_ = nullptr;
    wp_viewporter *viewporter_ = nullptr;
    wp_fractional_scale_manager_v1 *fractionalScale_ = nullptr;
    std::unique_ptr<WaylandPointer> pointer_;
    zwlr_layer_shell_v1 *layerShell_ = nullptr;
    zxdg_output_manager_v1 *outputManager_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onEvents_;
    bool kwin_ = false;
};

} // namespace zorrel::platform::wayland
