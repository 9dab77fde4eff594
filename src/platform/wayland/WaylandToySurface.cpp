#include "platform/wayland/WaylandToySurface.h"

#include "platform/OutputLayout.h"
#include "platform/wayland/PictureDamage.h"
#include "platform/wayland/ShmBuffer.h"
#include "platform/wayland/WaylandCursor.h"
#include "platform/wayland/WaylandDisplay.h"
#include "platform/wayland/WaylandPointer.h"
#include "platform/wayland/WaylandStage.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <viewporter-client-protocol.h>
#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

// The toy on a Wayland compositor with the layer shell. Each output that
// shows it has a still, transparent layer surface covering it, which takes
// the pointer only inside the toy's outline; the toy's picture is a
// synchronised subsurface of it. A walking tick moves the subsurface and
// the input region with one commit of the still surface, with a new
// picture only when the pose changed. Because the surface under the
// pointer never moves, its pointer coordinates are the output's on every
// compositor, however the toy moves during a drag.
namespace zorrel::platform::wayland {
namespace {

// Pictures the compositor may hold at once before the toy waits for one:
// two for each stage while the toy stands across a seam.
constexpr std::size_t kMostBuffers = 4;
// How long a change waits for the frame the compositor is drawing before
// it goes anyway: a compositor draws no frames for an output that is off.
constexpr std::chrono::milliseconds kFrameWait{50};

using Stage = WaylandStage;

// A buffer and the picture it holds.
struct Canvas {
    std::unique_ptr<ShmBuffer> buffer;
    std::optional<PictureMark> holds;
};

class WaylandToySurface : public ToySurface {
  public:
    WaylandToySurface(QWidget &window, std::unique_ptr<WaylandDisplay> display)
        : window_(window), display_(std::move(display)), cursor_(*display_)
    {
        // The Qt window carries the toy's state and events but is never
        // mapped: nothing of it shows on Xwayland.
        window_.setAttribute(Qt::WA_DontShowOnScreen);
        display_->onEvents([this] { flush(); });
        frameLate_.setSingleShot(true);
        frameLate_.setInterval(kFrameWait);
        QObject::connect(&frameLate_, &QTimer::timeout, &window_, [this] {
            forgetFrame();
            flush();
        });
        if (WaylandPointer *pointer = display_->pointer())
            pointer->listen([this](wl_surface *surface, const PointerEvent &event) {
                pointerEvent(surface, event);
            });
    }
    ~WaylandToySurface() override
    {
        if (WaylandPointer *pointer = display_->pointer()) {
            pointer->listen(nullptr);
            for (const auto &stage : stages_)
                pointer->left(stage->backdrop()); // no drag outlives the toy
        }
        forgetFrame();
        while (!stages_.empty())
            destroyStage(stages_.begin());
        canvases_.clear();
        display_->flush();
    }
    WaylandToySurface(const WaylandToySurface &) = delete;
    WaylandToySurface &operator=(const WaylandToySurface &) = delete;

    void prepare() override
    {
        prepared_ = true;
        // Read here rather than with each picture: QWidget::palette() asks
        // Qt which window is active every time.
        background_ = window_.palette().color(QPalette::Window);
        flush();
    }

    void shown() override {}

    void move(QPoint clientPos) override { position_ = clientPos; }

    [[nodiscard]] QPoint position() const override { return position_; }

    [[nodiscard]] qreal deviceRatio() const override
    {
        told_ = currentRatio();
        return *told_;
    }

    void onRatioChanged(std::function<void()> changed) override
    {
        ratioChanged_ = std::move(changed);
    }

    void setCursor(const QCursor &cursor) override { cursor_.show(cursor); }

    // The outline comes in device pixels of the ratio deviceRatio() gave;
    // the picture is made at that ratio until the next outline.
    void setShape(const QRegion &region) override
    {
        outline_ = region;
        pictureScale_ = told_.value_or(currentRatio());
        inputRegion_ =
            pictureScale_ == 1.0
                ? region
                : QTransform::fromScale(1 / pictureScale_, 1 / pictureScale_).map(region);
        for (const auto &stage : stages_)
            stage->inputStale = true;
        mark_.reset();
    }

    void setLayers(std::span<const Layer> layers) override
    {
        layers_.assign(layers.begin(), layers.end());
        mark_.reset();
    }

    void paint(QPainter & /*painter*/) override {}

    // Changes go at most once a frame: one that comes while the
    // compositor is still drawing the last is shown in the next frame, not
    // lost between two commits of one frame (a 2-pixel step while walking).
    void flush() override
    {
        if (prepared_) {
            settleStages();
            if (frame_ != nullptr) {
                if (!frameLate_.isActive())
                    frameLate_.start();
            } else {
                present();
            }
        }
        display_->flush();
        noticeRatio();
    }

  private:
    // The pointer's events reach the toy window as Qt's mouse events, at
    // desktop coordinates: the still surface's point plus its output's corner.
    void pointerEvent(wl_surface *surface, const PointerEvent &event)
    {
        const auto stage = std::find_if(stages_.begin(), stages_.end(), [surface](const auto &s) {
            return s->backdrop() == surface;
        });
        if (stage == stages_.end())
            return;
        if (const Output *output = display_->output((*stage)->output()))
            (*stage)->corner = output->logical.topLeft();
        const QEvent::Type type = event.kind == PointerEvent::Kind::Press ? QEvent::MouseButtonPress
                                  : event.kind == PointerEvent::Kind::Release
                                      ? QEvent::MouseButtonRelease
                                      : QEvent::MouseMove;
        sendMouse(type, QPointF((*stage)->corner) + event.at, event.button, event.buttons);
    }

    void sendMouse(QEvent::Type type, QPointF global, Qt::MouseButton button,
                   Qt::MouseButtons buttons)
    {
        const QPointF local = global - QPointF(position_);
        QMouseEvent mouse(type, local, local, global, button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&window_, &mouse);
    }

    // A drag on a stage that goes ends with it, since its buttons will
    // never be let go over it: the toy hears them let go where the pointer
    // last was, once this event is done.
    void endDrag(const Stage &stage, const WaylandPointer &pointer)
    {
        Qt::MouseButtons held = pointer.buttons();
        const QPointF global = QPointF(stage.corner) + pointer.at();
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (!held.testFlag(button))
                continue;
            held.setFlag(button, false);
            QMetaObject::invokeMethod(
                &window_,
                [this, global, button, held] {
                    sendMouse(QEvent::MouseButtonRelease, global, button, held);
                },
                Qt::QueuedConnection);
        }
    }

    // The output that shows most of the toy, by its registry name; none
    // when there is no output.
    [[nodiscard]] std::optional<std::uint32_t> ownOutputName() const
    {
        const std::vector<QRect> rects = display_->outputRects();
        const int own = ownOutput(QRect(position_, window_.size()), rects);
        if (own < 0)
            return std::nullopt;
        return display_->outputs()[static_cast<std::size_t>(own)]->name;
    }

    // The stage on the output that shows most of the toy, if it has one.
    [[nodiscard]] Stage *target() const
    {
        const std::optional<std::uint32_t> own = ownOutputName();
        return own ? stageOn(*own) : nullptr;
    }

    [[nodiscard]] Stage *stageOn(std::uint32_t output) const
    {
        for (const auto &stage : stages_)
            if (stage->output() == output)
                return stage.get();
        return nullptr;
    }

    // The outputs that show part of the toy; the nearest when none does.
    [[nodiscard]] std::vector<std::uint32_t> outputsShowingToy() const
    {
        std::vector<std::uint32_t> showing;
        const QRect toy(position_, window_.size());
        for (const auto &output : display_->outputs())
            if (output->logical.intersects(toy))
                showing.push_back(output->name);
        if (showing.empty())
            if (const auto own = ownOutputName())
                showing.push_back(*own);
        return showing;
    }

    [[nodiscard]] double scaleOf(const Stage &stage) const
    {
        if (stage.preferredScale() > 0 && stage.toyView() != nullptr)
            return stage.preferredScale();
        const Output *output = display_->output(stage.output());
        return output != nullptr ? output->scale : 1;
    }

    [[nodiscard]] qreal currentRatio() const
    {
        if (const Stage *stage = target())
            return scaleOf(*stage);
        return 1;
    }

    // The toy's own ratio changed since the toy last asked: it remakes its
    // pictures, outline and cursors, after this event.
    void noticeRatio()
    {
        if (!told_ || !ratioChanged_ || currentRatio() == *told_)
            return;
        told_ = currentRatio();
        QMetaObject::invokeMethod(
            &window_,
            [this] {
                if (ratioChanged_)
                    ratioChanged_();
            },
            Qt::QueuedConnection);
    }

    // Stages of outputs that went are dropped, and so are those the toy
    // left, once the pointer lets go of them (it stays with the surface a
    // drag began on till the button is up). Each output that shows part of
    // the toy gets a stage: a layer surface shows on its own output only.
    void settleStages()
    {
        WaylandPointer *pointer = display_->pointer();
        for (auto stage = stages_.begin(); stage != stages_.end();) {
            const bool gone = (*stage)->closed() || display_->output((*stage)->output()) == nullptr;
            const bool held = pointer != nullptr && pointer->holds((*stage)->backdrop());
            if (gone || ((*stage)->hidden && !held))
                stage = destroyStage(stage);
            else
                ++stage;
        }
        for (const std::uint32_t name : outputsShowingToy()) {
            if (Stage *stage = stageOn(name)) {
                stage->hidden = false; // back onto a stage that still holds a drag
            } else {
                stages_.push_back(std::make_unique<Stage>(*display_, *display_->output(name)));
            }
        }
    }

    // The toy's picture, place and input region go to every stage that
    // shows part of it. A stage it left keeps showing it until the stage of
    // its own output does, so that no frame is lost.
    void present()
    {
        const std::vector<std::uint32_t> showing = outputsShowingToy();
        const auto showsToy = [&](const Stage &stage) {
            return std::find(showing.begin(), showing.end(), stage.output()) != showing.end();
        };
        for (auto &stage : stages_)
            if (showsToy(*stage) && stage->configured())
                presentOn(*stage);
        const Stage *own = target();
        const bool ownShows = own != nullptr && own->shown;
        for (auto &stage : stages_) {
            if (showsToy(*stage) || stage->hidden)
                continue;
            if (ownShows)
                stage->hide();
            else if (stage->configured())
                presentOn(*stage);
        }
    }

    // The picture may wait for a buffer, and then goes with a later flush.
    void presentOn(Stage &stage)
    {
        const Output *output = display_->output(stage.output());
        const QPoint at = position_ - output->logical.topLeft();
        bool commit = std::exchange(stage.backdropNew, false);
        if (stage.placed != at) {
            wl_subsurface_set_position(stage.subsurface(), at.x(), at.y());
            stage.placed = at;
            stage.inputStale = true;
            commit = true;
        }
        if (std::exchange(stage.inputStale, false)) {
            wl_region *input = wl_compositor_create_region(display_->compositor());
            for (const QRect &r : inputRegion_)
                wl_region_add(input, r.x() + at.x(), r.y() + at.y(), r.width(), r.height());
            wl_surface_set_input_region(stage.backdrop(), input);
            wl_region_destroy(input);
            commit = true;
        }
        const PictureMark &mark = pictureMark();
        if (stage.shown != mark && drawPicture(stage, mark))
            commit = true;
        // The subsurface's place, picture and the input region land together.
        if (!commit)
            return;
        if (frame_ == nullptr && &stage == target())
            askFrame(stage);
        wl_surface_commit(stage.backdrop());
    }

    // The compositor's word when it has drawn the frame with this commit.
    void askFrame(Stage &stage)
    {
        frame_ = wl_surface_frame(stage.backdrop());
        static const wl_callback_listener listener = {
            .done =
                [](void *data, wl_callback * /*callback*/, std::uint32_t /*time*/) {
                    auto *self = static_cast<WaylandToySurface *>(data);
                    const bool waiting = self->frameLate_.isActive();
                    self->forgetFrame();
                    if (waiting)
                        self->flush();
                },
        };
        wl_callback_add_listener(frame_, &listener, this);
    }

    void forgetFrame()
    {
        frameLate_.stop();
        if (frame_ != nullptr)
            wl_callback_destroy(frame_);
        frame_ = nullptr;
    }

    // Made once for each new outline or set of layers: every flush asks.
    [[nodiscard]] const PictureMark &pictureMark()
    {
        if (mark_ && mark_->size == bufferSize(window_.size(), pictureScale_))
            return *mark_;
        PictureMark &mark = mark_.emplace();
        mark.scale = pictureScale_;
        mark.size = bufferSize(window_.size(), pictureScale_);
        mark.outline = outline_;
        mark.layers.reserve(layers_.size());
        for (const Layer &layer : layers_)
            mark.layers.push_back(
                {layer.picture.cacheKey(),
                 QRectF(layer.at, layer.picture.deviceIndependentSize()).toAlignedRect()});
        return mark;
    }

    // Brings a buffer the compositor does not hold up to `mark`, redrawing
    // only where it differs from what it held, and attaches it, damaged
    // where it differs from what the stage showed. False when every buffer
    // is held: the picture then waits for a release.
    bool drawPicture(Stage &stage, const PictureMark &mark)
    {
        Canvas *canvas = freeCanvas(mark.size);
        waiting_ = canvas == nullptr;
        if (canvas == nullptr)
            return false;
        const QRect whole(QPoint(), mark.size);
        const QRegion damage = stage.shown ? changedArea(*stage.shown, mark) : QRegion(whole);
        // A buffer the compositor let go at once holds what the stage shows.
        const QRegion redraw = !canvas->holds                 ? QRegion(whole)
                               : canvas->holds == stage.shown ? damage
                                                              : changedArea(*canvas->holds, mark);
        if (!redraw.isEmpty()) {
            QImage &image = canvas->buffer->image();
            QPainter painter(&image);
            painter.setClipRegion(redraw);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(redraw.boundingRect(), Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setClipRegion(redraw & outline_);
            painter.fillRect(whole, background_);
            painter.scale(mark.scale, mark.scale);
            for (const Layer &layer : layers_)
                painter.drawPixmap(layer.at, layer.picture);
        }
        // A whole scale goes in the buffer's scale, any other through the
        // viewport: either way no device pixel is stretched.
        if (std::exchange(stage.bufferScale, mark.scale) != mark.scale) {
            const bool wholeScale = mark.scale == std::floor(mark.scale);
            wl_surface_set_buffer_scale(stage.toy(), wholeScale ? static_cast<int>(mark.scale) : 1);
            if (stage.toyView() != nullptr) {
                if (wholeScale)
                    wp_viewport_set_destination(stage.toyView(), -1, -1);
                else
                    wp_viewport_set_destination(stage.toyView(), window_.width(), window_.height());
            }
        }
        wl_surface_attach(stage.toy(), canvas->buffer->buffer(), 0, 0);
        for (const QRect &r : damage)
            wl_surface_damage_buffer(stage.toy(), r.x(), r.y(), r.width(), r.height());
        wl_surface_commit(stage.toy());
        canvas->buffer->attached();
        canvas->holds = mark;
        stage.shown = mark;
        return true;
    }

    Canvas *freeCanvas(QSize size)
    {
        for (Canvas &canvas : canvases_)
            if (!canvas.buffer->busy() && canvas.buffer->size() == size)
                return &canvas;
        // Pictures of another size are of no more use once let go.
        std::erase_if(canvases_, [size](const Canvas &canvas) {
            return !canvas.buffer->busy() && canvas.buffer->size() != size;
        });
        if (canvases_.size() >= kMostBuffers)
            return nullptr;
        auto made = ShmBuffer::make(display_->shm(), size);
        if (made == nullptr)
            return nullptr;
        made->onRelease(
            [](void *data) {
                auto *self = static_cast<WaylandToySurface *>(data);
                if (std::exchange(self->waiting_, false))
                    self->flush();
            },
            this);
        canvases_.push_back({std::move(made), std::nullopt});
        return &canvases_.back();
    }

    std::vector<std::unique_ptr<Stage>>::iterator
    destroyStage(std::vector<std::unique_ptr<Stage>>::iterator stage)
    {
        Stage &s = **stage;
        forgetFrame(); // the frame may be this stage's, which will never be drawn
        if (WaylandPointer *pointer = display_->pointer()) {
            if (pointer->holds(s.backdrop()))
                endDrag(s, *pointer);
            pointer->left(s.backdrop());
        }
        return stages_.erase(stage);
    }

    QWidget &window_;
    std::unique_ptr<WaylandDisplay> display_;
    WaylandCursor cursor_;
    bool prepared_ = false;
    // One for each output that shows part of the toy, and those it left
    // while the pointer still holds them.
    std::vector<std::unique_ptr<Stage>> stages_;
    std::vector<Canvas> canvases_;
    bool waiting_ = false;         // a picture waits for the compositor to release a buffer
    wl_callback *frame_ = nullptr; // asked with the last commit, till it is drawn
    QTimer frameLate_;             // runs while a change waits for that frame
    std::vector<Layer> layers_;
    std::optional<PictureMark> mark_; // of outline_ and layers_, till either changes
    QColor background_;
    QRegion outline_;     // in device pixels at pictureScale_
    QRegion inputRegion_; // the same in logical pixels
    double pictureScale_ = 1;
    QPoint position_;
    mutable std::optional<qreal> told_; // the ratio the toy last asked for
    std::function<void()> ratioChanged_;
};

} // namespace

std::unique_ptr<ToySurface> makeToySurface(QWidget &window, std::unique_ptr<WaylandDisplay> display)
{
    return std::make_unique<WaylandToySurface>(window, std::move(display));
}

} // namespace zorrel::platform::wayland
