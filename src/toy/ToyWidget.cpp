#include "toy/ToyWidget.h"

#include "about/AboutBox.h"
#include "art/Layout.h"
#include "art/MenuLayout.h"
#include "platform/Platform.h"
#include "shape/ShapeComposer.h"
#include "toy/Clockwork.h"
#include "toy/ScreenPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace zorrel::toy {
namespace {

namespace layout = art::layout;

constexpr float kTwips = static_cast<float>(layout::kTwipsPerPixel);

int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= clockwork::kLeftButton;
    if (buttons & Qt::RightButton)
        code |= clockwork::kRightButton;
    if (buttons & Qt::MiddleButton)
        code |= clockwork::kMiddleButton;
    return code;
}

// Origin of the part image under a client point; the window's own outside
// them. Later parts lie over earlier ones.
QPoint partOriginAt(QPoint client)
{
    for (const QRect &part :
         {layout::kKeyPic, layout::kBottomPic, layout::kBodyPic, layout::kHeadPic})
        if (part.contains(client))
            return part.topLeft();
    return {};
}

int toPixels(float twips) { return static_cast<int>(std::lround(twips / kTwips)); }

QList<QRect> screenRects()
{
    QList<QRect> rects;
    for (const QScreen *screen : QGuiApplication::screens())
        rects.append(screen->geometry());
    return rects;
}

} // namespace

ToyWidget::ToyWidget()
    : timer_([this] { tick(); }), menu_(this), effects_([this] { return soundChecked(); })
{
    setWindowTitle(QStringLiteral("Zorrel"));
    // The toy has no keyboard use: it never takes the focus from the window
    // the user is typing in, at start or on a click.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setFixedSize(layout::kClientSize);
    surface_ = platform::makeToySurface(*this);
    connect(&idleDrawing_, &QTimer::timeout, this, [this] {
        if (!sprites_->drawNextMissing())
            idleDrawing_.stop();
    });
    applyDeviceRatio();
    buildMenu();
}

ToyWidget::~ToyWidget() = default;

void ToyWidget::start()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + (screen.width() - width()) / 2,
         screen.y() + (screen.height() - height()) / 2);
    move(placeOnScreens(geometry(), screenRects()));
    toy_.load();
    surface_->prepare();
    updateShape();
    commit();
    show();
    surface_->shown();
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        applyDeviceRatio();
        updateShape();
        commit();
    });
    watchScreens();
}

// The window manager, too, reacts to a change of the screens and may push
// the toy to a corner where little of it shows: the toy looks once the
// change has settled.
void ToyWidget::watchScreens()
{
    const auto watch = [this](QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, &ToyWidget::keepOnScreen,
                Qt::QueuedConnection);
    };
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen *screen) {
        watch(screen);
        keepOnScreen();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &ToyWidget::keepOnScreen,
            Qt::QueuedConnection);
}

void ToyWidget::keepOnScreen()
{
    const QPoint client = clientPos();
    const QPoint placed = placeOnScreens(QRect(client, size()), screenRects());
    if (placed == client)
        return;
    outerPos_ = placed - layout::kClientOrigin;
    positionDirty_ = true;
    commit();
}

// Pictures, cursors and outline follow the screen's device-pixel ratio.
void ToyWidget::applyDeviceRatio()
{
    const qreal ratio = devicePixelRatioF();
    sprites_ = std::make_unique<art::SpriteSet>(ratio);
    const bool grabbing = cursor().pixmap().cacheKey() == grabbingHand_.pixmap().cacheKey();
    openHand_ = art::handCursor(HandCursor::Open, ratio);
    grabbingHand_ = art::handCursor(HandCursor::Grabbing, ratio);
    setCursor(grabbing ? grabbingHand_ : openHand_);
    regions_.setPlacement(layout::kClientOrigin, ratio);
    pictureDirty_ = true;
}

bool ToyWidget::event(QEvent *event)
{
    // Qt made a new native window: it needs its manners and outline again.
    if (event->type() == QEvent::WinIdChange && surface_ && isVisible()) {
        surface_->prepare();
        updateShape();
        pictureDirty_ = true;
        commit();
    }
    return QWidget::event(event);
}

void ToyWidget::buildMenu()
{
    // Each command, like every event, ends by sending what it changed.
    const auto command = [this](void (Toy::*operation)()) {
        return [this, operation] {
            (toy_.*operation)();
            commit();
        };
    };
    menu_.setObjectName(QString::fromUtf8(art::menu::kPopupMenuName));
    for (const art::menu::MenuItem &item : art::menu::kPopupMenu) {
        if (item.command == art::menu::Command::Separator) {
            menu_.addSeparator()->setObjectName(QString::fromUtf8(item.name));
            continue;
        }
        QAction *action = menu_.addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromUtf8(item.name));
        action->setCheckable(item.checkable);
        action->setChecked(item.checkedAtStart);
        switch (item.command) {
        case art::menu::Command::WindItUp:
            connect(action, &QAction::triggered, this, command(&Toy::windItUp));
            break;
        case art::menu::Command::Sound:
            soundAction_ = action;
            // The clockwork flips the mark itself; undo Qt's automatic toggle.
            connect(action, &QAction::triggered, this,
                    [this, toggle = command(&Toy::toggleSound)](bool checked) {
                        soundAction_->setChecked(!checked);
                        toggle();
                    });
            break;
        case art::menu::Command::About:
            connect(action, &QAction::triggered, this, command(&Toy::showAbout));
            break;
        case art::menu::Command::Exit:
            connect(action, &QAction::triggered, this, [this] { toy_.exit(); });
            break;
        case art::menu::Command::Separator:
            break;
        }
    }
}

void ToyWidget::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    surface_->paint(painter);
}

// The four part pictures, back to front.
void ToyWidget::renderPicture()
{
    using Layer = platform::ToySurface::Layer;
    const Layer layers[] = {
        {&sprites_->frame(FrameSet::Head, headFrame_), layout::kHeadPic.topLeft()},
        {&sprites_->body(), layout::kBodyPic.topLeft()},
        {&sprites_->frame(FrameSet::Legs, legsFrame_), layout::kBottomPic.topLeft()},
        {&sprites_->frame(FrameSet::Key, keyFrame_), layout::kKeyPic.topLeft()},
    };
    surface_->setLayers(layers);
}

// The first press of a gesture picks the part; it keeps the moves and the
// release until every button is up. Coordinates come from the global
// pointer and the window position as last set, so a drag never sees the
// window system's lag.
void ToyWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == event->button())
        pressedOrigin_ = partOriginAt((event->globalPosition() - QPointF(clientPos())).toPoint());
    const QPointF at = fromPressedPart(event);
    toy_.pointerPressed(buttonCode(event->button()), float(at.x()), float(at.y()));
    commit();
}

void ToyWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = fromPressedPart(event);
    toy_.pointerMoved(buttonCode(event->buttons()), float(at.x()), float(at.y()));
    commit();
}

void ToyWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = fromPressedPart(event);
    toy_.pointerReleased(buttonCode(event->button()), float(at.x()), float(at.y()));
    commit();
}

QPointF ToyWidget::fromPressedPart(const QMouseEvent *event) const
{
    return (event->globalPosition() - QPointF(clientPos() + pressedOrigin_)) * kTwips;
}

void ToyWidget::tick()
{
    toy_.tick();
    commit();
}

void ToyWidget::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}

QPoint ToyWidget::clientPos() const
{
    return positionDirty_ ? outerPos_ + layout::kClientOrigin : surface_->position();
}

void ToyWidget::commit()
{
    if (positionDirty_) {
        positionDirty_ = false;
        surface_->move(outerPos_ + layout::kClientOrigin);
    }
    if (pictureDirty_) {
        pictureDirty_ = false;
        renderPicture();
    }
    surface_->flush();
}

void ToyWidget::setWindowSize(float widthTwips, float heightTwips)
{
    // Without frame and title bar only the client area is left.
    const QSize outer(toPixels(widthTwips), toPixels(heightTwips));
    const QPoint origin = layout::kClientOrigin;
    setFixedSize(outer - QSize(2 * origin.x(), origin.y() + origin.x()));
}

void ToyWidget::setBackColor(unsigned bgr)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window,
                     QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8U) & 0xFFU),
                            static_cast<int>((bgr >> 16U) & 0xFFU)));
    setPalette(palette);
    setAutoFillBackground(true);
}

void ToyWidget::makeTopMost() { setWindowFlag(Qt::WindowStaysOnTopHint, true); }

void ToyWidget::setTimerInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void ToyWidget::showFrame(FrameSet set, int frame)
{
    switch (set) {
    case FrameSet::Head:
        headFrame_ = frame;
        break;
    case FrameSet::Legs:
        legsFrame_ = frame;
        break;
    case FrameSet::Key:
        keyFrame_ = frame;
        break;
    }
    pictureDirty_ = true;
    if (frame != 0 && !sprites_->complete() && !idleDrawing_.isActive())
        idleDrawing_.start(0);
}

void ToyWidget::setHandCursor(HandCursor cursor)
{
    setCursor(cursor == HandCursor::Open ? openHand_ : grabbingHand_);
}

// Read back from the window system, unless this event has moved it already.
float ToyWidget::left() const
{
    return static_cast<float>((clientPos() - layout::kClientOrigin).x()) * kTwips;
}
float ToyWidget::top() const
{
    return static_cast<float>((clientPos() - layout::kClientOrigin).y()) * kTwips;
}

void ToyWidget::setLeft(float twips)
{
    outerPos_ = clientPos() - layout::kClientOrigin;
    outerPos_.setX(toPixels(twips));
    positionDirty_ = true;
}

void ToyWidget::setTop(float twips)
{
    outerPos_ = clientPos() - layout::kClientOrigin;
    outerPos_.setY(toPixels(twips));
    positionDirty_ = true;
}

// The left edge of the run of monitors the toy can walk along: its own
// monitor, and each monitor further left that touches it and shows the
// toy's whole height. Areas no monitor shows are never walked into.
float ToyWidget::desktopLeft() const
{
    const QRect toy(clientPos(), size());
    const QList<QScreen *> screens = QGuiApplication::screens();
    const QScreen *own = nullptr;
    int overlap = 0;
    for (const QScreen *screen : screens) {
        const QRect common = screen->geometry() & toy;
        if (common.width() * common.height() > overlap) {
            overlap = common.width() * common.height();
            own = screen;
        }
    }
    if (own == nullptr) // off every monitor: the whole desktop's edge
        return static_cast<float>(QGuiApplication::primaryScreen()->virtualGeometry().left()) *
               kTwips;
    int left = own->geometry().left();
    for (bool extended = true; extended;) {
        extended = false;
        for (const QScreen *screen : screens) {
            const QRect g = screen->geometry();
            if (g.right() + 1 == left && g.top() <= toy.top() && g.bottom() >= toy.bottom()) {
                left = g.left();
                extended = true;
            }
        }
    }
    return static_cast<float>(left) * kTwips;
}

void ToyWidget::playEffect(std::string_view fileName) { effects_.playEffect(fileName); }

void ToyWidget::updateShape()
{
    ToyState &state = toy_.mutableState();
    shape::composeShape(state.pose(), state.outline, regions_);
    regions_.giveToWindow(state.outline.shapeRegion);
    surface_->setShape(regions_.windowRegion());
}

void ToyWidget::showPopupMenu()
{
    commit();
    menu_.exec(QCursor::pos());
}

void ToyWidget::doEvents()
{
    commit();
    QCoreApplication::processEvents();
}

bool ToyWidget::soundChecked() const { return soundAction_->isChecked(); }
void ToyWidget::setSoundChecked(bool checked) { soundAction_->setChecked(checked); }
bool ToyWidget::loadStoredSound(bool designDefault) { return soundOption_.load(designDefault); }
void ToyWidget::storeSound(bool soundOn) { soundOption_.store(soundOn); }

void ToyWidget::setInputEnabled(bool enabled) { setEnabled(enabled); }

void ToyWidget::openAboutBox()
{
    auto *about = new about::AboutBox([toy = QPointer<ToyWidget>(this)] {
        if (toy)
            toy->setEnabled(true);
    });
    about->show();
}

void ToyWidget::endProgram() { QCoreApplication::exit(0); }

} // namespace zorrel::toy
