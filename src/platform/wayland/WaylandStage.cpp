#include "platform/wayland/WaylandStage.h"

#include "platform/wayland/WaylandDisplay.h"

#include "platform/wayland/LayerShell.h"
#include <fractional-scale-v1-client-protocol.h>
#include <viewporter-client-protocol.h>
#include <wayland-client.h>

namespace zorrel::platform::wayland {
namespace {

// The layer shell's name for what the surface is: neutral, so that no
// compositor takes it for a panel or a notification.
constexpr const char *kNamespace = "zorrel";
// wp_fractional_scale_v1 gives the scale in 120ths.
constexpr double kScaleUnits = 120.0;

void setNoInput(wl_compositor *compositor, wl_surface *surface)
{
    wl_region *none = wl_compositor_create_region(compositor);
    wl_surface_set_input_region(surface, none);
    wl_region_destroy(none);
}

} // namespace

WaylandStage::WaylandStage(WaylandDisplay &display, const Output &output)
    : corner(output.logical.topLeft()), display_(display), output_(output.name),
      backdrop_(wl_compositor_create_surface(display.compositor())),
      toy_(wl_compositor_create_surface(display.compositor())),
      subsurface_(wl_subcompositor_get_subsurface(display.subcompositor(), toy_, backdrop_))
{
    // Only the still surface takes the pointer, and only once the toy is on it.
    setNoInput(display.compositor(), toy_);
    setNoInput(display.compositor(), backdrop_);
    if (wp_viewporter *viewporter = display.viewporter()) {
        backdropView_ = wp_viewporter_get_viewport(viewporter, backdrop_);
        toyView_ = wp_viewporter_get_viewport(viewporter, toy_);
        if (wp_fractional_scale_manager_v1 *fractional = display.fractionalScale()) {
            fractional_ =
                wp_fractional_scale_manager_v1_get_fractional_scale(fractional, backdrop_);
            static const wp_fractional_scale_v1_listener scaleListener = {
                .preferred_scale =
                    [](void *data, wp_fractional_scale_v1 * /*scale*/, std::uint32_t scale) {
                        static_cast<WaylandStage *>(data)->preferredScale_ = scale / kScaleUnits;
                    },
            };
            wp_fractional_scale_v1_add_listener(fractional_, &scaleListener, this);
        }
    }
    layer_ = zwlr_layer_shell_v1_get_layer_surface(display.layerShell(), backdrop_, output.output,
                                                   ZWLR_LAYER_SHELL_V1_LAYER_TOP, kNamespace);
    static const zwlr_layer_surface_v1_listener listener = {
        .configure =
            [](void *data, zwlr_layer_surface_v1 *layer, std::uint32_t serial, std::uint32_t width,
               std::uint32_t height) {
                zwlr_layer_surface_v1_ack_configure(layer, serial);
                static_cast<WaylandStage *>(data)->configure(
                    QSize(static_cast<int>(width), static_cast<int>(height)));
            },
        // The output went away; the toy's surface finds it another.
        .closed =
            [](void *data, zwlr_layer_surface_v1 * /*layer*/) {
                static_cast<WaylandStage *>(data)->closed_ = true;
            },
    };
    zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
    // The whole output: size 0 on every anchored edge.
    zwlr_layer_surface_v1_set_size(layer_, 0, 0);
    zwlr_layer_surface_v1_set_anchor(
        layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Panels neither push it nor make room for it.
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    wl_surface_commit(backdrop_);
}

WaylandStage::~WaylandStage()
{
    if (fractional_ != nullptr)
        wp_fractional_scale_v1_destroy(fractional_);
    if (toyView_ != nullptr)
        wp_viewport_destroy(toyView_);
    if (backdropView_ != nullptr)
        wp_viewport_destroy(backdropView_);
    wl_subsurface_destroy(subsurface_);
    wl_surface_destroy(toy_);
    zwlr_layer_surface_v1_destroy(layer_);
    wl_surface_destroy(backdrop_);
}

void WaylandStage::hide()
{
    hidden = true;
    wl_surface_attach(toy_, nullptr, 0, 0);
    wl_surface_commit(toy_);
    setNoInput(display_.compositor(), backdrop_);
    wl_surface_commit(backdrop_);
    shown.reset();
    placed.reset();
}

// The still surface's transparent picture: one pixel stretched over the
// output where the compositor offers a viewport, else the output's size.
void WaylandStage::configure(QSize size)
{
    configured_ = true;
    if (size.isEmpty() || size == size_)
        return;
    size_ = size;
    const QSize pixels = backdropView_ != nullptr ? QSize(1, 1) : size;
    if (clear_ == nullptr || clear_->size() != pixels) {
        clear_ = ShmBuffer::make(display_.shm(), pixels);
        if (clear_ == nullptr)
            return;
        clear_->image().fill(Qt::transparent);
    }
    if (backdropView_ != nullptr)
        wp_viewport_set_destination(backdropView_, size.width(), size.height());
    wl_surface_attach(backdrop_, clear_->buffer(), 0, 0);
    wl_surface_damage_buffer(backdrop_, 0, 0, pixels.width(), pixels.height());
    backdropNew = true;
}

} // namespace zorrel::platform::wayland
