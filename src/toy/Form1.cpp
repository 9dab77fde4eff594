#include "toy/Form1.h"

#include "about/Form2.h"
#include "art/Layout.h"
#include "art/MenuLayout.h"
#include "platform/Platform.h"
#include "shape/ShapeComposer.h"

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

std::int16_t buttonCode(Qt::MouseButtons buttons)
{
    std::int16_t code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    std::int16_t code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

int toPixels(float twips) { return static_cast<int>(std::lround(twips / kTwips)); }

} // namespace

Form1::Form1()
    : timer_([this] { tick(); }), openHand_(art::handCursor(HandCursor::Open)),
      grabbingHand_(art::handCursor(HandCursor::Grabbing)), mPopupMenu_(this),
      effects_([this] { return SoundChecked(); })
{
    setWindowTitle(QStringLiteral("Zorrel"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setCursor(openHand_);
    setFixedSize(layout::kClientSize);
    sprites_ = std::make_unique<art::SpriteSet>(devicePixelRatioF());
    buildMenu();
}

Form1::~Form1() = default;

void Form1::start()
{
    toy_.Form_Load();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint client(screen.x() + (screen.width() - width()) / 2,
                        screen.y() + (screen.height() - height()) / 2);
    outerPos_ = client - layout::kClientOrigin;
    move(client);
    show();
    platform::keepOffTaskbar(*this);
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        sprites_ = std::make_unique<art::SpriteSet>(devicePixelRatioF());
        update();
    });
}

void Form1::buildMenu()
{
    mPopupMenu_.setObjectName(QStringLiteral("mPopupMenu"));
    mPopupMenu_.setTitle(QString::fromUtf8(art::menu::kPopupMenuCaption));
    for (const art::menu::MenuItem &item : art::menu::kPopupMenu) {
        if (item.command == art::menu::Command::Separator) {
            mPopupMenu_.addSeparator()->setObjectName(QString::fromUtf8(item.name));
            continue;
        }
        QAction *action = mPopupMenu_.addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromUtf8(item.name));
        action->setCheckable(item.checkable);
        action->setChecked(item.checkedAtStart);
        switch (item.command) {
        case art::menu::Command::WindItUp:
            connect(action, &QAction::triggered, this, [this] { toy_.mWindItUp_Click(); });
            break;
        case art::menu::Command::Sound:
            mSound_ = action;
            // The clockwork flips the mark itself; undo Qt's automatic toggle.
            connect(action, &QAction::triggered, this, [this](bool checked) {
                mSound_->setChecked(!checked);
                toy_.mSound_Click();
            });
            break;
        case art::menu::Command::About:
            connect(action, &QAction::triggered, this, [this] { toy_.mAbout_Click(); });
            break;
        case art::menu::Command::Exit:
            connect(action, &QAction::triggered, this, [this] { toy_.mExit_Click(); });
            break;
        case art::menu::Command::Separator:
            break;
        }
    }
}

void Form1::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.drawPixmap(layout::kHeadPic.topLeft(), sprites_->frame(FrameSet::Head, headFrame_));
    painter.drawPixmap(layout::kBodyPic.topLeft(), sprites_->body());
    painter.drawPixmap(layout::kBottomPic.topLeft(), sprites_->frame(FrameSet::Legs, legsFrame_));
    painter.drawPixmap(layout::kKeyPic.topLeft(), sprites_->frame(FrameSet::Key, keyFrame_));
}

Form1::Source Form1::sourceAt(QPointF clientPos) const
{
    const QPoint p = clientPos.toPoint();
    if (layout::kKeyPic.contains(p))
        return Source::KeyPic;
    if (layout::kBottomPic.contains(p))
        return Source::BottomPic;
    if (layout::kBodyPic.contains(p))
        return Source::BodyPic;
    if (layout::kHeadPic.contains(p))
        return Source::HeadPic;
    return Source::Form;
}

void Form1::mousePressEvent(QMouseEvent *event) { route(Phase::Down, event); }
void Form1::mouseMoveEvent(QMouseEvent *event) { route(Phase::Move, event); }
void Form1::mouseReleaseEvent(QMouseEvent *event) { route(Phase::Up, event); }

// Hands the event to the handler of the part it concerns. The first press
// picks the part; it keeps the moves and releases until every button is up.
// Coordinates come from the global pointer and the window position as last
// set, so a drag never sees the window system's lag.
void Form1::route(Phase phase, QMouseEvent *event)
{
    const QPointF client = event->globalPosition() - QPointF(outerPos_ + layout::kClientOrigin);
    if (phase == Phase::Down && event->buttons() == event->button())
        pressedSource_ = sourceAt(client);
    QPoint origin;
    switch (pressedSource_) {
    case Source::Form:
        break;
    case Source::HeadPic:
        origin = layout::kHeadPic.topLeft();
        break;
    case Source::BodyPic:
        origin = layout::kBodyPic.topLeft();
        break;
    case Source::BottomPic:
        origin = layout::kBottomPic.topLeft();
        break;
    case Source::KeyPic:
        origin = layout::kKeyPic.topLeft();
        break;
    }
    const auto x = static_cast<float>((client.x() - origin.x()) * kTwips);
    const auto y = static_cast<float>((client.y() - origin.y()) * kTwips);
    const std::int16_t button =
        buttonCode(phase == Phase::Move ? event->buttons() : Qt::MouseButtons(event->button()));
    const std::int16_t shift = shiftCode(event->modifiers());

    using Handler = void (Toy::*)(std::int16_t, std::int16_t, float, float);
    static constexpr Handler kHandlers[5][3] = {
        {&Toy::Form_MouseDown, &Toy::Form_MouseMove, &Toy::Form_MouseUp},
        {&Toy::HeadPic_MouseDown, &Toy::HeadPic_MouseMove, &Toy::HeadPic_MouseUp},
        {&Toy::BodyPic_MouseDown, &Toy::BodyPic_MouseMove, &Toy::BodyPic_MouseUp},
        {&Toy::BottomPic_MouseDown, &Toy::BottomPic_MouseMove, &Toy::BottomPic_MouseUp},
        {&Toy::KeyPic_MouseDown, &Toy::KeyPic_MouseMove, &Toy::KeyPic_MouseUp},
    };
    const Handler handler = kHandlers[static_cast<int>(pressedSource_)][static_cast<int>(phase)];
    (toy_.*handler)(button, shift, x, y);
    commitPosition();
}

void Form1::tick()
{
    toy_.Timer1_Timer();
    commitPosition();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Unload();
}

void Form1::commitPosition()
{
    if (!positionDirty_)
        return;
    positionDirty_ = false;
    move(outerPos_ + layout::kClientOrigin);
}

void Form1::SetWindowSize(float widthTwips, float heightTwips)
{
    // Without frame and title bar only the client area is left.
    const QSize outer(toPixels(widthTwips), toPixels(heightTwips));
    const QPoint origin = layout::kClientOrigin;
    setFixedSize(outer - QSize(2 * origin.x(), origin.y() + origin.x()));
}

void Form1::SetBackColor(unsigned bgr)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window,
                     QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8U) & 0xFFU),
                            static_cast<int>((bgr >> 16U) & 0xFFU)));
    setPalette(palette);
    setAutoFillBackground(true);
}

void Form1::MakeTopMost() { setWindowFlag(Qt::WindowStaysOnTopHint, true); }

void Form1::SetTimerInterval(int milliseconds) { timer_.setInterval(milliseconds); }

void Form1::ShowFrame(FrameSet set, int frame)
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
    update();
}

void Form1::SetHandCursor(HandCursor cursor)
{
    setCursor(cursor == HandCursor::Open ? openHand_ : grabbingHand_);
}

float Form1::Left() const { return static_cast<float>(outerPos_.x()) * kTwips; }
float Form1::Top() const { return static_cast<float>(outerPos_.y()) * kTwips; }

void Form1::SetLeft(float twips)
{
    outerPos_.setX(toPixels(twips));
    positionDirty_ = true;
}

void Form1::SetTop(float twips)
{
    outerPos_.setY(toPixels(twips));
    positionDirty_ = true;
}

float Form1::DesktopLeft() const
{
    const int left = QGuiApplication::primaryScreen()->virtualGeometry().left();
    return static_cast<float>(left) * kTwips;
}

void Form1::PlayEffect(std::string_view fileName) { effects_.PlayEffect(fileName); }

void Form1::UpdateShape()
{
    ToyState &state = toy_.ShapeState();
    shape::ComposeShape(state, regions_);
    regions_.giveToWindow(state.ShapeRegion);
    setMask(regions_.windowRegion().translated(-layout::kClientOrigin));
}

void Form1::ShowPopupMenu()
{
    commitPosition();
    mPopupMenu_.exec(QCursor::pos());
}

void Form1::DoEvents()
{
    commitPosition();
    QCoreApplication::processEvents();
}

bool Form1::SoundChecked() const { return mSound_->isChecked(); }
void Form1::SetSoundChecked(bool checked) { mSound_->setChecked(checked); }
bool Form1::LoadStoredSound(bool designDefault) { return soundOption_.Load(designDefault); }
void Form1::StoreSound(bool soundOn) { soundOption_.Store(soundOn); }

void Form1::SetEnabled(bool enabled) { setEnabled(enabled); }

void Form1::ShowAbout()
{
    auto *about = new about::Form2([toy = QPointer<Form1>(this)] {
        if (toy)
            toy->setEnabled(true);
    });
    about->show();
}

void Form1::Unload() { QCoreApplication::exit(0); }

} // namespace zorrel::toy
