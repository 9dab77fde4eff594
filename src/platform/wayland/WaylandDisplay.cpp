#include "platform/wayland/WaylandDisplay.h"

#include "common/Diagnostics.h"

#include <QCoreApplication>

#include "platform/wayland/LayerShell.h"
#include <fractional-scale-v1-client-protocol.h>
#include <viewporter-client-protocol.h>
#include <wayland-client.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <string_view>

namespace zorrel::platform::wayland {
namespace {

// The versions the toy is written for; older ones lack what it uses.
constexpr std::uint32_t kCompositorVersion = 4;      // wl_surface.damage_buffer
constexpr std::uint32_t kLeastCompositorVersion = 3; // wl_surface.set_buffer_scale
constexpr std::uint32_t kOutputVersion = 2;          // wl_output.scale
constexpr std::uint32_t kLayerShellVersion = 4;
constexpr std::uint32_t kOutputManagerVersion = 3;
constexpr std::uint32_t kSeatVersion = 5; // wl_pointer.release

void ignore() {}

const wl_output_listener kOutputListener = {
    .geometry =
        [](void *data, wl_output * /*output*/, std::int32_t x, std::int32_t y,
           std::int32_t /*mmWidth*/, std::int32_t /*mmHeight*/, std::int32_t /*subpixel*/,
           const char * /*make*/, const char * /*model*/, std::int32_t /*transform*/) {
            // Without xdg-output, the output's own corner is the best there is.
            auto *output = static_cast<Output *>(data);
            if (output->xdgOutput == nullptr)
                output->logical.moveTopLeft(QPoint(x, y));
        },
    .mode =
        [](void *data, wl_output * /*output*/, std::uint32_t flags, std::int32_t width,
           std::int32_t height, std::int32_t /*refresh*/) {
            auto *output = static_cast<Output *>(data);
            if (output->xdgOutput == nullptr && (flags & WL_OUTPUT_MODE_CURRENT) != 0)
                output->logical.setSize(QSize(width, height) / std::max(1, output->scale));
        },
    .done = [](void * /*data*/, wl_output * /*output*/) { ignore(); },
    .scale = [](void *data, wl_output * /*output*/,
                std::int32_t factor) { static_cast<Output *>(data)->scale = std::max(1, factor); },
    .name = nullptr,
    .description = nullptr,
};

const zxdg_output_v1_listener kXdgOutputListener = {
    .logical_position =
        [](void *data, zxdg_output_v1 * /*output*/, std::int32_t x, std::int32_t y) {
            static_cast<Output *>(data)->logical.moveTopLeft(QPoint(x, y));
        },
    .logical_size =
        [](void *data, zxdg_output_v1 * /*output*/, std::int32_t width, std::int32_t height) {
            static_cast<Output *>(data)->logical.setSize(QSize(width, height));
        },
    .done = [](void * /*data*/, zxdg_output_v1 * /*output*/) { ignore(); },
    .name = [](void * /*data*/, zxdg_output_v1 * /*output*/, const char * /*name*/) { ignore(); },
    .description = [](void * /*data*/, zxdg_output_v1 * /*output*/,
                      const char * /*description*/) { ignore(); },
};

const wl_callback_listener kDoneListener = {
    .done =
        [](void *data, wl_callback *callback, std::uint32_t /*serial*/) {
            *static_cast<bool *>(data) = true;
            wl_callback_destroy(callback);
        },
};

// A reason in the user's language.
std::string text(const char *english)
{
    return QCoreApplication::translate("Display", english).toStdString();
}

} // namespace

std::unique_ptr<WaylandDisplay> WaylandDisplay::connect(std::chrono::milliseconds limit,
                                                        std::string &reason)
{
    const char *name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') {
        reason =
            text(QT_TRANSLATE_NOOP("Display", "no Wayland display (WAYLAND_DISPLAY is not set)"));
        return nullptr;
    }
    std::unique_ptr<WaylandDisplay> self(new WaylandDisplay);
    self->display_ = wl_display_connect(nullptr);
    if (self->display_ == nullptr) {
        reason = QCoreApplication::translate("Display", "cannot connect to Wayland display \"%1\"")
                     .arg(escaped(QString::fromLocal8Bit(name)))
                     .toStdString();
        return nullptr;
    }
    static const wl_registry_listener registryListener = {
        .global = &WaylandDisplay::global, .global_remove = &WaylandDisplay::globalRemove};
    self->registry_ = wl_display_get_registry(self->display_);
    wl_registry_add_listener(self->registry_, &registryListener, self.get());
    // The globals, then what the outputs say about themselves.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    if (!self->roundTrip(deadline) || !self->roundTrip(deadline)) {
        reason = text(QT_TRANSLATE_NOOP("Display", "the Wayland display does not answer"));
        return nullptr;
    }
    if (self->compositor_ == nullptr || self->subcompositor_ == nullptr || self->shm_ == nullptr)
        reason = text(QT_TRANSLATE_NOOP("Display",
                                        "the Wayland display lacks a compositor or shared memory"));
    else if (self->layerShell_ == nullptr)
        reason = text(QT_TRANSLATE_NOOP(
            "Display", "the Wayland compositor offers no layer shell (zwlr_layer_shell_v1)"));
    else if (self->outputs_.empty())
        reason = text(QT_TRANSLATE_NOOP("Display", "the Wayland compositor has no output"));
    if (!reason.empty())
        return nullptr;
    self->notifier_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(self->display_), QSocketNotifier::Read);
    QObject::connect(self->notifier_.get(), &QSocketNotifier::activated,
                     [display = self.get()] { display->readEvents(); });
    return self;
}

WaylandDisplay::~WaylandDisplay()
{
    notifier_.reset();
    for (const auto &output : outputs_) {
        if (output->xdgOutput != nullptr)
            zxdg_output_v1_destroy(output->xdgOutput);
        wl_output_destroy(output->output);
    }
    if (outputManager_ != nullptr)
        zxdg_output_manager_v1_destroy(outputManager_);
    if (layerShell_ != nullptr)
        zwlr_layer_shell_v1_destroy(layerShell_);
    pointer_.reset();
    if (fractionalScale_ != nullptr)
        wp_fractional_scale_manager_v1_destroy(fractionalScale_);
    if (viewporter_ != nullptr)
        wp_viewporter_destroy(viewporter_);
    if (subcompositor_ != nullptr)
        wl_subcompositor_destroy(subcompositor_);
    if (shm_ != nullptr)
        wl_shm_destroy(shm_);
    if (compositor_ != nullptr)
        wl_compositor_destroy(compositor_);
    if (registry_ != nullptr)
        wl_registry_destroy(registry_);
    if (display_ != nullptr) {
        wl_display_flush(display_);
        wl_display_disconnect(display_);
    }
}

std::vector<QRect> WaylandDisplay::outputRects() const
{
    std::vector<QRect> rects;
    rects.reserve(outputs_.size());
    for (const auto &output : outputs_)
        rects.push_back(output->logical);
    return rects;
}

const Output *WaylandDisplay::output(std::uint32_t name) const
{
    for (const auto &output : outputs_)
        if (output->name == name)
            return output.get();
    return nullptr;
}

bool WaylandDisplay::flush()
{
    if (!alive())
        return false;
    // A full socket takes the rest at the next flush; the toy never waits.
    if (wl_display_flush(display_) < 0 && errno != EAGAIN)
        return alive();
    return true;
}

bool WaylandDisplay::alive()
{
    if (wl_display_get_error(display_) == 0)
        return true;
    if (notifier_ != nullptr && notifier_->isEnabled()) {
        notifier_->setEnabled(false);
        printLine(
            QCoreApplication::translate("Display", "lost the connection to the Wayland display"));
        QCoreApplication::exit(1);
    }
    return false;
}

// Like wl_display_roundtrip, but gives up at `deadline`: a compositor that
// takes the connection and never answers must not hold the toy for ever.
bool WaylandDisplay::roundTrip(std::chrono::steady_clock::time_point deadline)
{
    bool done = false;
    wl_callback *callback = wl_display_sync(display_);
    wl_callback_add_listener(callback, &kDoneListener, &done);
    while (!done) {
        if (wl_display_dispatch_pending(display_) < 0)
            break;
        if (done)
            return true;
        wl_display_flush(display_);
        if (wl_display_prepare_read(display_) != 0)
            continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd socket{wl_display_get_fd(display_), POLLIN, 0};
        if (left.count() <= 0 || poll(&socket, 1, static_cast<int>(left.count())) <= 0) {
            wl_display_cancel_read(display_);
            break;
        }
        if (wl_display_read_events(display_) < 0)
            break;
    }
    if (!done)
        wl_callback_destroy(callback);
    return done;
}

void WaylandDisplay::readEvents()
{
    if (wl_display_prepare_read(display_) == 0)
        wl_display_read_events(display_); // never waits: the socket has data
    wl_display_dispatch_pending(display_);
    if (!flush())
        return;
    if (onEvents_)
        onEvents_();
}

void WaylandDisplay::global(void *data, wl_registry *registry, std::uint32_t name,
                            const char *interface, std::uint32_t version)
{
    auto *self = static_cast<WaylandDisplay *>(data);
    // KWin's own shell protocol; wlroots offers some older org_kde_kwin_*
    // protocols too (idle, server decorations), so their prefix tells nothing.
    self->kwin_ = self->kwin_ || std::string_view(interface) == "org_kde_plasma_shell";
    const auto bind = [&](const wl_interface *kind, std::uint32_t wanted) {
        return wl_registry_bind(registry, name, kind, std::min(version, wanted));
    };
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        if (version >= kLeastCompositorVersion)
            self->compositor_ =
                static_cast<wl_compositor *>(bind(&wl_compositor_interface, kCompositorVersion));
    } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
        self->subcompositor_ =
            static_cast<wl_subcompositor *>(bind(&wl_subcompositor_interface, 1));
    } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
        self->viewporter_ = static_cast<wp_viewporter *>(bind(&wp_viewporter_interface, 1));
    } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0) {
        self->fractionalScale_ = static_cast<wp_fractional_scale_manager_v1 *>(
            bind(&wp_fractional_scale_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        self->shm_ = static_cast<wl_shm *>(bind(&wl_shm_interface, 1));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        self->layerShell_ = static_cast<zwlr_layer_shell_v1 *>(
            bind(&zwlr_layer_shell_v1_interface, kLayerShellVersion));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        self->outputManager_ = static_cast<zxdg_output_manager_v1 *>(
            bind(&zxdg_output_manager_v1_interface, kOutputManagerVersion));
        for (const auto &output : self->outputs_)
            self->watchOutput(*output);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        if (self->pointer_ == nullptr && version >= kSeatVersion)
            self->pointer_ = std::make_unique<WaylandPointer>(
                static_cast<wl_seat *>(bind(&wl_seat_interface, kSeatVersion)));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        self->addOutput(name, version);
    }
}

void WaylandDisplay::globalRemove(void *data, wl_registry * /*registry*/, std::uint32_t name)
{
    auto *self = static_cast<WaylandDisplay *>(data);
    const auto gone = std::find_if(self->outputs_.begin(), self->outputs_.end(),
                                   [name](const auto &output) { return output->name == name; });
    if (gone == self->outputs_.end())
        return;
    if ((*gone)->xdgOutput != nullptr)
        zxdg_output_v1_destroy((*gone)->xdgOutput);
    wl_output_destroy((*gone)->output);
    self->outputs_.erase(gone);
}

void WaylandDisplay::addOutput(std::uint32_t name, std::uint32_t version)
{
    auto output = std::make_unique<Output>();
    output->name = name;
    output->output = static_cast<wl_output *>(
        wl_registry_bind(registry_, name, &wl_output_interface, std::min(version, kOutputVersion)));
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    watchOutput(*output);
    outputs_.push_back(std::move(output));
}

void WaylandDisplay::watchOutput(Output &output)
{
    if (outputManager_ == nullptr || output.xdgOutput != nullptr)
        return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(outputManager_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

} // namespace zorrel::platform::wayland
