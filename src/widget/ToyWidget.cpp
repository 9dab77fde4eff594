#include "widget/ToyWidget.h"

#include "about/AboutBox.h"
#include "art/Layout.h"
#include "platform/OutputLayout.h"
#include "platform/Platform.h"
#include "shape/Outline.h"
#include "toy/MenuCommands.h"
#include "widget/ScreenPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include <optional>
#include <span>

namespace zorrel::widget {
namespace {

namespace layout = art::layout;
namespace menu = toy::menu;
using toy::Button;
using toy::HandCursor;
using toy::HeldButtons;
using toy::PixelPoint;
using toy::Toy;

// The toy's name of a button; none for the buttons it ignores.
std::optional<Button> toyButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return Button::Left;
    case Qt::RightButton:
        return Button::Right;
    case Qt::MiddleButton:
        return Button::Middle;
    default:
        return std::nullopt;
    }
}

HeldButtons heldButtons(Qt::MouseButtons buttons)
{
    return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
            buttons.testFlag(Qt::MiddleButton)};
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

QList<QRect> screenRects()
{
    // A const list: walking a temporary one would copy it to detach.
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> rects;
    rects.reserve(screens.size());
    for (const QScreen *screen : screens)
        rects.append(screen->geometry());
    return rects;
}

// Where windows may go: the screens less their panels.
QList<QRect> availableScreenRects()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> rects;
    rects.reserve(screens.size());
    for (const QScreen *screen : screens)
        rects.append(screen->availableGeometry());
    return rects;
}

} // namespace

ToyWidget::ToyWidget(const SurfaceMaker &makeSurface)
    : timer_([this] { tick(); }), menu_(this), effects_([this] { return toy_.state().soundOn; })
{
    setWindowTitle(QStringLiteral("Zorrel"));
    // The toy has no keyboard use: it never takes the focus from the window
    // the user is typing in, at start or on a click.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    QPalette background = palette();
    background.setColor(QPalette::Window, layout::kBackground);
    setPalette(background);
    setAutoFillBackground(true);
    surface_ = makeSurface(*this);
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
    toy_.load();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint centred(screen.x() + (screen.width() - width()) / 2,
                         screen.y() + (screen.height() - height()) / 2);
    // The surface takes its first place before it is made ready to show.
    surface_->move(placeOnScreens(QRect(centred, size()), screenRects()));
    surface_->onRatioChanged([this] {
        applyDeviceRatio();
        showPose(toy_.state().pose());
        commit();
    });
    applyDeviceRatio();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    surface_->prepare();
    showPose(toy_.state().pose());
    commit();
    show();
    surface_->shown();
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
    position_ = placed;
    positionDirty_ = true;
    commit();
}

// Pictures, cursors and outline follow the screen's device-pixel ratio.
void ToyWidget::applyDeviceRatio()
{
    const qreal ratio = surface_->deviceRatio();
    if (sprites_ && ratio == picturesRatio_)
        return; // another screen of the same scale
    picturesRatio_ = ratio;
    sprites_ = std::make_unique<art::SpriteSet>(ratio);
    openHand_ = art::handCursor(HandCursor::Open, ratio);
    grabbingHand_ = art::handCursor(HandCursor::Grabbing, ratio);
    // The hand follows the toy: grabbing only while the left button holds it.
    surface_->setCursor(toy_.state().dragging ? grabbingHand_ : openHand_);
    pictureDirty_ = true;
}

bool ToyWidget::event(QEvent *event)
{
    // Qt made a new native window: it needs its manners and outline again.
    if (event->type() == QEvent::WinIdChange && surface_ && isVisible()) {
        surface_->prepare();
        showPose(toy_.state().pose());
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
    menu_.setObjectName(QString::fromUtf8(menu::kPopupMenuName));
    for (const menu::MenuItem &item : menu::kPopupMenu) {
        if (item.command == menu::Command::Separator) {
            menu_.addSeparator()->setObjectName(QString::fromUtf8(item.name));
            continue;
        }
        QAction *action = menu_.addAction(
            QCoreApplication::translate(menu::kCaptionContext, item.caption.data()));
        action->setObjectName(QString::fromUtf8(item.name));
        action->setCheckable(item.checkable);
        switch (item.command) {
        case menu::Command::WindItUp:
            connect(action, &QAction::triggered, this, command(&Toy::windItUp));
            break;
        case menu::Command::Sound:
            soundAction_ = action;
            // Qt's own toggle of the mark is overwritten by the commit.
            connect(action, &QAction::triggered, this, command(&Toy::toggleSound));
            break;
        case menu::Command::About:
            connect(action, &QAction::triggered, this, command(&Toy::showAbout));
            break;
        case menu::Command::Exit:
            connect(action, &QAction::triggered, this, [this] { toy_.exit(); });
            break;
        case menu::Command::Separator:
            break;
        }
    }
}

void ToyWidget::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    surface_->paint(painter);
}

void ToyWidget::renderPicture()
{
    using Layer = platform::ToySurface::Layer;
    using art::FrameSet;
    const shape::Pose pose = toy_.state().pose();
    const Layer layers[] = {
        {sprites_->frame(FrameSet::Head, pose.headFrame), layout::kHeadPic.topLeft()},
        {sprites_->body(), layout::kBodyPic.topLeft()},
        {sprites_->frame(FrameSet::Legs, pose.legFrame), layout::kBottomPic.topLeft()},
        {sprites_->frame(FrameSet::Key, pose.keyFrame), layout::kKeyPic.topLeft()},
    };
    surface_->setLayers(layers);
}

// The first press of a gesture picks the part; it keeps the moves and the
// release until every button is up. Coordinates come from the global
// pointer and the window position as last set, so a drag never sees the
// window system's lag.
void ToyWidget::mousePressEvent(QMouseEvent *event)
{
    lastPointer_ = event->globalPosition().toPoint();
    if (event->buttons() == event->button())
        pressedOrigin_ = partOriginAt((event->globalPosition() - QPointF(clientPos())).toPoint());
    const QPointF at = fromPressedPart(event);
    if (const std::optional<Button> button = toyButton(event->button()))
        toy_.pointerPressed(*button, float(at.x()), float(at.y()));
    commit();
}

void ToyWidget::mouseMoveEvent(QMouseEvent *event)
{
    lastPointer_ = event->globalPosition().toPoint();
    const QPointF at = fromPressedPart(event);
    toy_.pointerMoved(heldButtons(event->buttons()), float(at.x()), float(at.y()));
    commit();
}

void ToyWidget::mouseReleaseEvent(QMouseEvent *event)
{
    lastPointer_ = event->globalPosition().toPoint();
    if (const std::optional<Button> button = toyButton(event->button()))
        toy_.pointerReleased(*button);
    commit();
}

QPointF ToyWidget::fromPressedPart(const QMouseEvent *event) const
{
    return event->globalPosition() - QPointF(clientPos() + pressedOrigin_);
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

bool ToyWidget::drawnBySurface() const { return testAttribute(Qt::WA_DontShowOnScreen); }

QPoint ToyWidget::clientPos() const { return positionDirty_ ? position_ : surface_->position(); }

void ToyWidget::commit()
{
    if (positionDirty_) {
        positionDirty_ = false;
        surface_->move(position_);
    }
    if (pictureDirty_) {
        pictureDirty_ = false;
        renderPicture();
    }
    // Qt tells every widget that shows the action of each change it is
    // told of, so the mark is set only when the option changed.
    if (soundAction_->isChecked() != toy_.state().soundOn)
        soundAction_->setChecked(toy_.state().soundOn);
    surface_->flush();
}

void ToyWidget::setSize(int width, int height) { setFixedSize(width, height); }

void ToyWidget::setTimerInterval(int milliseconds) { timer_.setInterval(milliseconds); }

// The outline goes to the surface at once; the picture, read from the toy's
// state, when the event ends.
void ToyWidget::showPose(const shape::Pose &pose)
{
    surface_->setShape(shape::outline(pose, surface_->deviceRatio()));
    pictureDirty_ = true;
    if (pose != shape::Pose{} && !sprites_->complete() && !idleDrawing_.isActive())
        idleDrawing_.start(0);
}

void ToyWidget::setHandCursor(HandCursor cursor)
{
    surface_->setCursor(cursor == HandCursor::Open ? openHand_ : grabbingHand_);
}

// Read back from the window system, unless this event has moved it already.
PixelPoint ToyWidget::position() const
{
    const QPoint at = clientPos();
    return {at.x(), at.y()};
}

void ToyWidget::moveTo(PixelPoint position)
{
    position_ = QPoint(position.x, position.y);
    positionDirty_ = true;
}

// The walk's left limit among the monitors (platform::walkLeftLimit).
int ToyWidget::desktopLeft() const
{
    const QList<QRect> screens = screenRects();
    return platform::walkLeftLimit(QRect(clientPos(), size()),
                                   std::span<const QRect>(screens.data(), screens.size()));
}

void ToyWidget::playEffect(std::string_view fileName) { effects_.playEffect(fileName); }

// Where Qt's own window shows the toy, the menu opens at the pointer, over
// the toy. A surface of its own may lie above every X window, Qt's menu
// included, so there the menu opens beside the toy, at the height of the
// pointer as the toy's last event gave it: Xwayland does not see the
// pointer over a Wayland surface, and QCursor::pos() is stale.
void ToyWidget::showPopupMenu()
{
    commit();
    if (!drawnBySurface()) {
        menu_.exec(QCursor::pos());
        return;
    }
    menu_.ensurePolished();
    menu_.exec(placeBesideToy(QRect(clientPos(), size()), menu_.sizeHint(), lastPointer_.y(),
                              availableScreenRects()));
}

bool ToyWidget::loadStoredSound(bool firstRunDefault) { return soundOption_.load(firstRunDefault); }
void ToyWidget::storeSound(bool soundOn) { soundOption_.store(soundOn); }

void ToyWidget::setInputEnabled(bool enabled) { setEnabled(enabled); }

void ToyWidget::openAboutBox()
{
    auto *about = new about::AboutBox([toy = QPointer<ToyWidget>(this)] {
        if (toy)
            toy->setEnabled(true);
    });
    // Above an X window as it may be, the toy would hide part of the box.
    // A window manager may centre the box whatever place it asks for (sway
    // does, over the toy that starts in the middle); one it does not manage
    // goes where it is put. Such a box cannot take the focus (sway's X
    // window manager gives it back to the window it chose), so it holds the
    // keyboard until it closes, as a menu does: Enter and Esc still work.
    if (drawnBySurface()) {
        about->setWindowFlag(Qt::BypassWindowManagerHint, true);
        about->setPlacement([toy = QPointer<ToyWidget>(this)](QSize frame) {
            if (!toy)
                return QPoint();
            const QRect at(toy->clientPos(), toy->size());
            return placeBesideToy(at, frame, at.center().y() - frame.height() / 2,
                                  availableScreenRects());
        });
        about->show();
        about->grabKeyboard();
        return;
    }
    about->show();
}

void ToyWidget::endProgram() { QCoreApplication::exit(0); }

} // namespace zorrel::widget
