#include "platform/wayland/WaylandToySurface.h"

#include "platform/OutputLayout.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/WaylandDisplay.h"
#include "platform/wayland/WaylandPointer.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>
#include <QWidget>

#include "platform/wayland/LayerShell.h"
#include <wayland-client.h>

#include <algorithm>
#include <vector>

// The toy on a Wayland compositor with the layer shell. Its surface is
// anchored to the top-left corner of one output and placed by its margins,
// which the compositor applies with the commit that carries them; a
// walking tick is a margin change and a commit, with a new picture only
// when the pose changed. Pointer coordinates stay those of the desktop,
// which the Qt windows on Xwayland share.
namespace zorrel::platform::wayland {
namespace {

// Pictures the compositor may hold at once before the toy waits for one.
constexpr std::size_t kMostBuffers = 3;
// The layer shell's name for what the surface is: neutral, so that no
// compositor takes it for a panel or a notification.
constexpr const char *kNamespace = "zorrel";

class WaylandToySurface : public ToySurface {
  public:
    WaylandToySurface(QWidget &window, std::unique_ptr<WaylandDisplay> display)
        : window_(window), display_(std::move(display))
    {
        // The Qt window carries the toy's state and events but is never
        // mapped: nothing of it shows on Xwayland.
        window_.setAttribute(Qt::WA_DontShowOnScreen);
        display_->onEvents([this] { flush(); });
    }
    ~WaylandToySurface() override
    {
        if (WaylandPointer *pointer = display_->pointer())
            pointer->follow(nullptr, nullptr);
        destroyLayer();
        buffers_.clear();
        display_->flush();
    }
    WaylandToySurface(const WaylandToySurface &) = delete;
    WaylandToySurface &operator=(const WaylandToySurface &) = delete;

    void prepare() override
    {
        if (layer_ != nullptr)
            return;
        createLayer();
    }

    void shown() override {}

    void move(QPoint clientPos) override
    {
        if (clientPos == position_)
            return;
        position_ = clientPos;
        placeDirty_ = true;
    }

    [[nodiscard]] QPoint position() const override { return position_; }
    [[nodiscard]] qreal deviceRatio() const override { return scale_; }
    void onRatioChanged(std::function<void()> changed) override
    {
        ratioChanged_ = std::move(changed);
    }
    void setCursor(const QCursor & /*cursor*/) override {}

    void setShape(const QRegion &region) override
    {
        const qreal ratio = deviceRatio();
        outline_ = ratio == 1.0 ? region : QTransform::fromScale(1 / ratio, 1 / ratio).map(region);
        outlineDirty_ = true;
        pictureDirty_ = true;
    }

    void setLayers(std::span<const Layer> layers) override
    {
        layers_.assign(layers.begin(), layers.end());
        pictureDirty_ = true;
    }

    void paint(QPainter & /*painter*/) override {}

    void flush() override
    {
        if (layer_ != nullptr && configured_) {
            bool commit = false;
            if (std::exchange(placeDirty_, false)) {
                const QPoint margins = position_ - outputRect().topLeft();
                zwlr_layer_surface_v1_set_margin(layer_, margins.y(), 0, 0, margins.x());
                commit = true;
            }
            if (std::exchange(outlineDirty_, false)) {
                wl_region *input = wl_compositor_create_region(display_->compositor());
                for (const QRect &r : outline_)
                    wl_region_add(input, r.x(), r.y(), r.width(), r.height());
                wl_surface_set_input_region(surface_, input);
                wl_region_destroy(input);
                commit = true;
            }
            if (pictureDirty_ && drawPicture()) {
                pictureDirty_ = false;
                commit = true;
            }
            if (commit)
                wl_surface_commit(surface_);
        }
        display_->flush();
    }

  private:
    // The pointer's events reach the toy window as Qt's mouse events, at
    // desktop coordinates. While a button is held, sway keeps them relative
    // to where the surface was at the press, however it moved since.
    void pointerEvent(const PointerEvent &event)
    {
        if (event.kind == PointerEvent::Kind::Press && event.buttons == event.button)
            pressedAt_ = position_;
        const QPointF origin(
            event.buttons != Qt::NoButton || event.kind == PointerEvent::Kind::Release ? pressedAt_
                                                                                       : position_);
        const QPointF global = origin + event.at;
        const QPointF local = global - QPointF(position_);
        const QEvent::Type type = event.kind == PointerEvent::Kind::Press ? QEvent::MouseButtonPress
                                  : event.kind == PointerEvent::Kind::Release
                                      ? QEvent::MouseButtonRelease
                                      : QEvent::MouseMove;
        QMouseEvent mouse(type, local, local, global, event.button, event.buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&window_, &mouse);
    }

    // The layer surface on the output that shows most of the toy. Its state
    // goes with the first commit; the picture waits for the first configure.
    void createLayer()
    {
        const std::vector<QRect> outputs = display_->outputRects();
        const OutputPlace place = placeOnOutput(QRect(position_, window_.size()), outputs);
        if (place.output < 0)
            return; // no output to show the toy on, for now
        const Output &output = *display_->outputs()[static_cast<std::size_t>(place.output)];
        outputName_ = output.name;
        const bool rescaled = std::exchange(scale_, output.scale) != output.scale;
        surface_ = wl_compositor_create_surface(display_->compositor());
        if (WaylandPointer *pointer = display_->pointer())
            pointer->follow(surface_, [this](const PointerEvent &event) { pointerEvent(event); });
        layer_ =
            zwlr_layer_shell_v1_get_layer_surface(display_->layerShell(), surface_, output.output,
                                                  ZWLR_LAYER_SHELL_V1_LAYER_TOP, kNamespace);
        static const zwlr_layer_surface_v1_listener listener = {
            .configure =
                [](void *data, zwlr_layer_surface_v1 *layer, std::uint32_t serial,
                   std::uint32_t /*width*/, std::uint32_t /*height*/) {
                    auto *self = static_cast<WaylandToySurface *>(data);
                    zwlr_layer_surface_v1_ack_configure(layer, serial);
                    self->configured_ = true;
                    self->pictureDirty_ = true;
                },
            .closed =
                [](void *data, zwlr_layer_surface_v1 * /*layer*/) {
                    // The output went away: the toy goes where it is now shown best.
                    auto *self = static_cast<WaylandToySurface *>(data);
                    self->destroyLayer();
                    self->createLayer();
                },
        };
        zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
        zwlr_layer_surface_v1_set_size(layer_, static_cast<std::uint32_t>(window_.width()),
                                       static_cast<std::uint32_t>(window_.height()));
        zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
        // Panels neither push it nor make room for it.
        zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        zwlr_layer_surface_v1_set_margin(layer_, place.margins.y(), 0, 0, place.margins.x());
        wl_surface_set_buffer_scale(surface_, scale_);
        wl_surface_commit(surface_);
        configured_ = false;
        outlineDirty_ = true;
        pictureDirty_ = true;
        display_->flush();
        if (rescaled && ratioChanged_)
            ratioChanged_();
    }

    void destroyLayer()
    {
        if (layer_ != nullptr)
            zwlr_layer_surface_v1_destroy(layer_);
        if (surface_ != nullptr)
            wl_surface_destroy(surface_);
        layer_ = nullptr;
        surface_ = nullptr;
        configured_ = false;
    }

    [[nodiscard]] QRect outputRect() const
    {
        for (const auto &output : display_->outputs())
            if (output->name == outputName_)
                return output->logical;
        return {};
    }

    // Draws the layers into a buffer the compositor does not hold and
    // attaches it; false when every buffer is held, and the picture then
    // waits for a release.
    bool drawPicture()
    {
        const QSize size = window_.size() * scale_;
        ShmBuffer *free = nullptr;
        for (const auto &buffer : buffers_)
            if (!buffer->busy() && buffer->size() == size)
                free = buffer.get();
        if (free == nullptr) {
            // Pictures of another size are of no more use once let go.
            std::erase_if(buffers_, [size](const auto &buffer) {
                return !buffer->busy() && buffer->size() != size;
            });
            if (buffers_.size() >= kMostBuffers)
                return false;
            auto made = ShmBuffer::make(display_->shm(), size);
            if (made == nullptr)
                return false;
            made->onRelease(
                [](void *data) {
                    auto *self = static_cast<WaylandToySurface *>(data);
                    if (self->pictureDirty_)
                        self->flush();
                },
                this);
            free = made.get();
            buffers_.push_back(std::move(made));
        }
        QImage &image = free->image();
        image.setDevicePixelRatio(scale_);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setClipRegion(outline_);
            painter.fillRect(QRect(QPoint(), window_.size()),
                             window_.palette().color(QPalette::Window));
            for (const Layer &layer : layers_)
                painter.drawPixmap(layer.at, layer.picture);
        }
        wl_surface_set_buffer_scale(surface_, scale_);
        wl_surface_attach(surface_, free->buffer(), 0, 0);
        wl_surface_damage_buffer(surface_, 0, 0, size.width(), size.height());
        free->attached();
        return true;
    }

    QWidget &window_;
    std::unique_ptr<WaylandDisplay> display_;
    QPoint pressedAt_; // the surface's place at the first press of a gesture
    wl_surface *surface_ = nullptr;
    zwlr_layer_surface_v1 *layer_ = nullptr;
    std::uint32_t outputName_ = 0;
    int scale_ = 1;
    std::function<void()> ratioChanged_;
    bool configured_ = false;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
    std::vector<Layer> layers_;
    QRegion outline_; // in logical pixels of the surface
    QPoint position_;
    bool placeDirty_ = false;
    bool outlineDirty_ = true;
    bool pictureDirty_ = true;
};

} // namespace

std::unique_ptr<ToySurface> makeToySurface(QWidget &window, std::unique_ptr<WaylandDisplay> display)
{
    return std::make_unique<WaylandToySurface>(window, std::move(display));
}

} // namespace zorrel::platform::wayland
