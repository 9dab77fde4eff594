#pragma once

#include "platform/wayland/PictureDamage.h"
#include "platform/wayland/ShmBuffer.h"

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <memory>
#include <optional>

struct wl_subsurface;
struct wl_surface;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct zwlr_layer_surface_v1;

namespace zorrel::platform::wayland {

class WaylandDisplay;
struct Output;

// The toy's place on one output: a still, transparent layer surface on the
// top layer that covers the output and takes the pointer only where its
// input region says, with the toy's picture a synchronised subsurface of
// it. Its state goes with the first commit; pictures wait for the
// compositor's configure.
class WaylandStage {
  public:
    WaylandStage(WaylandDisplay &display, const Output &output);
    ~WaylandStage();
    WaylandStage(const WaylandStage &) = delete;
    WaylandStage &operator=(const WaylandStage &) = delete;

    [[nodiscard]] std::uint32_t output() const { return output_; }
    [[nodiscard]] wl_surface *backdrop() const { return backdrop_; }
    [[nodiscard]] wl_surface *toy() const { return toy_; }
    [[nodiscard]] wl_subsurface *subsurface() const { return subsurface_; }
    // Null where the compositor offers no viewporter.
    [[nodiscard]] wp_viewport *toyView() const { return toyView_; }
    // The compositor gave it its size, and its transparent picture is
    // attached (a commit shows it).
    [[nodiscard]] bool configured() const { return configured_; }
    // The compositor took it away: its output went.
    [[nodiscard]] bool closed() const { return closed_; }
    // The compositor's fractional scale for it; 0 when none was given.
    [[nodiscard]] double preferredScale() const { return preferredScale_; }

    // Shows nothing from the next commit on, and takes no clicks.
    void hide();

    // What the toy's surface keeps about it.
    QPoint corner;                    // the output's, last heard
    bool backdropNew = false;         // its transparent picture waits for a commit
    bool inputStale = true;           // the input region must follow the toy
    bool hidden = false;              // shows nothing any more
    double bufferScale = 0;           // the scale the toy's picture was last given
    std::optional<QPoint> placed;     // where the toy's picture stands on it
    std::optional<PictureMark> shown; // what the toy's picture shows

  private:
    void configure(QSize size);

    WaylandDisplay &display_;
    std::uint32_t output_;
    wl_surface *backdrop_ = nullptr;
    zwlr_layer_surface_v1 *layer_ = nullptr;
    wp_viewport *backdropView_ = nullptr;
    wp_fractional_scale_v1 *fractional_ = nullptr;
    std::unique_ptr<ShmBuffer> clear_;
    wl_surface *toy_ = nullptr;
    wl_subsurface *subsurface_ = nullptr;
    wp_viewport *toyView_ = nullptr;
    QSize size_; // the output's, in logical pixels, as configured
    bool configured_ = false;
    bool closed_ = false;
    double preferredScale_ = 0;
};

} // namespace zorrel::platform::wayland
