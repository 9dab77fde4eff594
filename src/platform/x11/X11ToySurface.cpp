#include "platform/x11/X11Canvas.h"
#include "platform/x11/X11Connection.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPainter>
#include <QWidget>

#include <xcb/shape.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <utility>
#include <vector>

// The toy window on X11. Qt's own path costs about a hundred requests and
// two round trips per walking tick: a move rewrites the size hints, every
// mask change exposes the window piecemeal and each exposed rectangle is
// flushed on its own. Here a tick is one configure request with the
// position alone, one shape request, the copies of the changed parts
// (X11Canvas) and one clear, with no reply awaited; the window's own Expose and ConfigureNotify
// events are answered here, not by Qt.
//
// Where the window is comes from a second connection of the surface's own,
// which alone hears the window's structure events once it is mapped. Qt
// would wake the program for each of them, twice a tick while walking; the
// surface reads them without waiting whenever the toy asks for its place.
namespace zorrel::platform::x11 {
namespace {

// How many moves may be on their way to the server at once before the
// oldest is forgotten; a tick makes one.
constexpr std::size_t kMovesInFlight = 32;

class X11ToySurface : public ToySurface, private QAbstractNativeEventFilter {
  public:
    X11ToySurface(QWidget &window, xcb_connection_t *connection)
        : window_(window), connection_(connection), canvas_(connection)
    {
        // An ARGB window wherever the server offers one: see X11Canvas.
        window_.setAttribute(Qt::WA_TranslucentBackground);
        // The input hint and the missing WM_TAKE_FOCUS keep the focus from
        // the toy on X11. Showing "without activating" would only add a
        // user time of 0, which KWin and mutter take for an activation
        // they refused, and flag the window as demanding attention.
        window_.setAttribute(Qt::WA_ShowWithoutActivating, false);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~X11ToySurface() override
    {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        if (listener_ != nullptr)
            xcb_disconnect(listener_);
    }

    void prepare() override
    {
        id_ = static_cast<xcb_window_t>(window_.winId());
        // Set on the unmapped window, so that any window manager, one that
        // starts later included, finds them when it takes the window on.
        // Qt adds its own states to these when it maps the window.
        const xcb_atom_t states[] = {atom(connection_, "_NET_WM_STATE_SKIP_TASKBAR"),
                                     atom(connection_, "_NET_WM_STATE_SKIP_PAGER"),
                                     atom(connection_, "_NET_WM_STATE_STICKY")};
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id_,
                            atom(connection_, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                            std::size(states), states);
        // The "no input" model: the window manager neither focuses the toy
        // nor asks it to take the focus when it is clicked.
        const xcb_atom_t protocols[] = {atom(connection_, "WM_DELETE_WINDOW")};
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id_,
                            atom(connection_, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32,
                            std::size(protocols), protocols);
        const std::uint32_t everyDesktop = 0xFFFFFFFF;
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id_,
                            atom(connection_, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                            &everyDesktop);
        // The server paints exposed parts from the background by itself;
        // Expose events would only wake the program up to do nothing.
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, id_), nullptr);
        if (attributes != nullptr) {
            qtEventMask_ = attributes->your_event_mask & ~XCB_EVENT_MASK_EXPOSURE;
            xcb_change_window_attributes(connection_, id_, XCB_CW_EVENT_MASK, &qtEventMask_);
        }
        std::free(attributes);
        listen();
        // A native window made anew needs its background set again.
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, id_), nullptr);
        canvas_.attach(id_, geometry != nullptr ? geometry->depth : 24,
                       window_.palette().color(QPalette::Window).rgb());
        std::free(geometry);
        outline_.clear();
        outlineChanged_ = false;
        confirmed_ = window_.pos();
    }

    void shown() override
    {
        // Window managers that were already running when the window was
        // mapped may only listen to requests about it.
        sendStates();
    }

    void move(QPoint clientPos) override
    {
        if (clientPos == position())
            return;
        pending_.push_back(clientPos);
        if (pending_.size() > kMovesInFlight)
            pending_.pop_front();
        const QPoint device = toDevice(clientPos);
        const std::int32_t values[] = {device.x(), device.y()};
        xcb_configure_window(connection_, id_, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    }

    [[nodiscard]] QPoint position() const override
    {
        readStructureEvents();
        return pending_.empty() ? confirmed_ : pending_.back();
    }
    // The simplest versions; the window follows Qt's screen.
    [[nodiscard]] qreal deviceRatio() const override { return window_.devicePixelRatioF(); }
    void onRatioChanged(std::function<void()> /*changed*/) override {}
    void setCursor(const QCursor &cursor) override { window_.setCursor(cursor); }

    void setShape(const QRegion &region) override
    {
        if (id_ == 0)
            return; // prepare() is yet to come, and the widget reshapes after it
        outline_.clear();
        outline_.reserve(static_cast<std::size_t>(region.rectCount()));
        for (const QRect &r : region)
            outline_.push_back({static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
                                static_cast<std::uint16_t>(r.width()),
                                static_cast<std::uint16_t>(r.height())});
        canvas_.setOutline(region, outline_);
        outlineChanged_ = true;
    }

    void setLayers(std::span<const Layer> layers) override
    {
        layers_.assign(layers.begin(), layers.end());
    }

    void paint(QPainter &painter) override
    {
        for (const Layer &layer : layers_)
            painter.drawPixmap(layer.at, layer.picture);
    }

    // The picture is shown while the old outline still holds, and only then
    // is the window cut to the new one: what the old outline showed and the
    // new one leaves out becomes transparent in the window's own pixels,
    // which compositors that ignore the outline show; what the new outline
    // adds the server paints from the background on its own.
    void flush() override
    {
        if (id_ != 0) {
            const QRect changed = canvas_.draw(layers_, window_.devicePixelRatioF(),
                                               window_.size() * window_.devicePixelRatioF());
            if (!changed.isEmpty())
                xcb_clear_area(connection_, 0, id_, static_cast<std::int16_t>(changed.x()),
                               static_cast<std::int16_t>(changed.y()),
                               static_cast<std::uint16_t>(changed.width()),
                               static_cast<std::uint16_t>(changed.height()));
            if (std::exchange(outlineChanged_, false))
                xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
                                     XCB_CLIP_ORDERING_YX_BANDED, id_, 0, 0,
                                     static_cast<std::uint32_t>(outline_.size()), outline_.data());
        }
        xcb_flush(connection_);
        listened_ = false;
    }

  private:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr * /*result*/) override
    {
        if (id_ == 0 || type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        switch (event->response_type & 0x7F) {
        case XCB_EXPOSE:
            // The server repaints the window from its background, which
            // holds the picture; there is nothing left to draw.
            return reinterpret_cast<const xcb_expose_event_t *>(event)->window == id_;
        case XCB_MAP_NOTIFY:
            // Qt takes the window for shown once it sees it mapped; from then
            // on the surface's own connection hears the rest.
            if (listener_ != nullptr &&
                reinterpret_cast<const xcb_map_notify_event_t *>(event)->window == id_) {
                const std::uint32_t mask = qtEventMask_ & ~XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(connection_, id_, XCB_CW_EVENT_MASK, &mask);
            }
            return false;
        case XCB_CONFIGURE_NOTIFY:
            if (reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window != id_)
                return false;
            if (listener_ == nullptr)
                structureEvent(event);
            return true;
        case XCB_REPARENT_NOTIFY:
            if (listener_ == nullptr)
                structureEvent(event);
            return false;
        case XCB_PROPERTY_NOTIFY: {
            // A window manager that starts later is told again.
            const auto *property = reinterpret_cast<const xcb_property_notify_event_t *>(event);
            if (property->window == rootWindow() &&
                property->atom == atom(connection_, "_NET_SUPPORTING_WM_CHECK"))
                sendStates();
            return false;
        }
        default:
            return false;
        }
    }

    // The surface's own connection hears the window's structure events from
    // before it is first mapped. Without it, they come through Qt.
    void listen()
    {
        if (listener_ == nullptr)
            listener_ = connectAgain();
        if (listener_ == nullptr)
            return;
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        // Checked, so that the window manager cannot frame the window before
        // the server takes note.
        std::free(xcb_request_check(listener_, xcb_change_window_attributes_checked(
                                                   listener_, id_, XCB_CW_EVENT_MASK, &mask)));
        framed_ = false;
    }

    // Asks the socket once per event the toy handles, which may ask for
    // its place several times over.
    void readStructureEvents() const
    {
        if (listener_ == nullptr || listened_)
            return;
        listened_ = true;
        // One read takes what has come; the rest of it is in xcb's buffer.
        for (xcb_generic_event_t *event = xcb_poll_for_event(listener_); event != nullptr;
             event = xcb_poll_for_queued_event(listener_)) {
            structureEvent(event);
            std::free(event);
        }
    }

    void structureEvent(const xcb_generic_event_t *event) const
    {
        switch (event->response_type & 0x7F) {
        case XCB_CONFIGURE_NOTIFY: {
            const auto *configure = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
            // Synthetic events carry desktop coordinates; real ones are
            // relative to the parent, which is the desktop only when no
            // window manager framed the window.
            if (configure->window == id_ && ((event->response_type & 0x80) != 0 || !framed_))
                reported(fromDevice(QPoint(configure->x, configure->y)));
            break;
        }
        case XCB_REPARENT_NOTIFY: {
            const auto *reparent = reinterpret_cast<const xcb_reparent_notify_event_t *>(event);
            if (reparent->window == id_)
                framed_ = reparent->parent != rootWindow();
            break;
        }
        default:
            break;
        }
    }

    // A place the server reports: one of ours arriving, or a move by
    // somebody else, which then wins over the ones still on their way.
    void reported(QPoint clientPos) const
    {
        const auto ours = std::find(pending_.begin(), pending_.end(), clientPos);
        if (ours != pending_.end())
            pending_.erase(pending_.begin(), ours + 1);
        else
            pending_.clear();
        confirmed_ = clientPos;
    }

    void sendStates()
    {
        const xcb_window_t root = rootWindow();
        const auto send = [&](xcb_atom_t type, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = id_;
            event.type = type;
            event.data.data32[0] = a;
            event.data.data32[1] = b;
            event.data.data32[2] = c;
            event.data.data32[3] = 1; // from an application
            xcb_send_event(connection_, 0, root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char *>(&event));
        };
        const xcb_atom_t state = atom(connection_, "_NET_WM_STATE");
        send(state, 1, atom(connection_, "_NET_WM_STATE_SKIP_TASKBAR"),
             atom(connection_, "_NET_WM_STATE_SKIP_PAGER"));
        send(state, 1, atom(connection_, "_NET_WM_STATE_STICKY"), 0);
        send(atom(connection_, "_NET_WM_DESKTOP"), 0xFFFFFFFF, 0, 0);
        xcb_flush(connection_);
    }

    [[nodiscard]] xcb_window_t rootWindow() const
    {
        return xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    [[nodiscard]] QPoint toDevice(QPoint logical) const
    {
        const qreal ratio = window_.devicePixelRatioF();
        return {static_cast<int>(std::lround(logical.x() * ratio)),
                static_cast<int>(std::lround(logical.y() * ratio))};
    }
    [[nodiscard]] QPoint fromDevice(QPoint device) const
    {
        const qreal ratio = window_.devicePixelRatioF();
        return {static_cast<int>(std::lround(device.x() / ratio)),
                static_cast<int>(std::lround(device.y() / ratio))};
    }

    QWidget &window_;
    xcb_connection_t *connection_;
    xcb_window_t id_ = 0;
    std::uint32_t qtEventMask_ = 0;
    xcb_connection_t *listener_ = nullptr;
    std::vector<Layer> layers_;
    X11Canvas canvas_;
    std::vector<xcb_rectangle_t> outline_; // in device pixels
    bool outlineChanged_ = false;

    // What the server has said about the window's place, taken in as the
    // toy asks for it: reading it is no change of the surface.
    mutable bool listened_ = false;
    mutable bool framed_ = false;
    mutable QPoint confirmed_;
    mutable std::deque<QPoint> pending_;
};

} // namespace

std::unique_ptr<ToySurface> makeToySurface(QWidget &window)
{
    return std::make_unique<X11ToySurface>(window, connection());
}

} // namespace zorrel::platform::x11
