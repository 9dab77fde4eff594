// The toy widget without a window manager: how pointer events reach the toy,
// and the timer that paces it.

#include "TestSupport.h"
#include "about/AboutBox.h"
#include "platform/ToySurface.h"
#include "widget/PacedTimer.h"
#include "widget/ScreenPlacement.h"
#include "widget/ToyWidget.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

using zorrel::widget::ToyWidget;

// The application, with a settings folder of the program's own.
void startApplication()
{
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    zorrel::test::testApplication<QApplication>();
}

class ToyWidgetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { startApplication(); }

    void SetUp() override { widget_.start(); }

    // Sends a mouse event at a point given relative to the client area's
    // top-left corner as it is now.
    void send(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF global = widget_.geometry().topLeft() + client;
        QMouseEvent event(type, QPointF(client), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget_, &event);
    }
    void press(QPoint at, Qt::MouseButton b, Qt::MouseButtons held = {})
    {
        send(QEvent::MouseButtonPress, at, b, held | b);
    }
    void release(QPoint at, Qt::MouseButton b, Qt::MouseButtons held = {})
    {
        send(QEvent::MouseButtonRelease, at, b, held);
    }
    void moveTo(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }

    [[nodiscard]] QPointF grab() const
    {
        return {widget_.toy().state().grabX, widget_.toy().state().grabY};
    }

    ToyWidget widget_;
};

TEST_F(ToyWidgetTest, APressReachesTheToyFromThePartUnderIt)
{
    // Client point pressed, and the origin of the part there.
    const std::pair<QPoint, QPoint> presses[] = {
        {{30, 20}, {0, 0}},   // head
        {{20, 60}, {10, 55}}, // body
        {{20, 80}, {2, 72}},  // legs
        {{55, 60}, {49, 55}}, // key, over the legs' picture
        {{5, 60}, {0, 0}},    // the window outside the parts
    };
    for (const auto &[at, origin] : presses) {
        press(at, Qt::LeftButton);
        EXPECT_EQ(grab(), QPointF(at - origin)) << at.x() << "," << at.y();
        release(at, Qt::LeftButton);
        EXPECT_FALSE(widget_.toy().state().dragging);
    }
}

// A right click during the hold winds, and leaves the held part as it was:
// moves, even far outside the window, and the release go to it.
TEST_F(ToyWidgetTest, MovesAndReleaseGoToThePressedPartEvenOutsideTheWindow)
{
    const QPoint start = widget_.pos();
    press({55, 60}, Qt::LeftButton);                  // key
    press({20, 60}, Qt::RightButton, Qt::LeftButton); // over the body: a wind step
    EXPECT_EQ(widget_.toy().state().windLevel, 40);
    release({20, 60}, Qt::RightButton, Qt::LeftButton);
    moveTo({55 + 100, 60 + 50});
    EXPECT_EQ(widget_.pos(), start + QPoint(100, 50)) << "measured from the key, as pressed";
    release({-200, -200}, Qt::LeftButton);
    EXPECT_FALSE(widget_.toy().state().dragging);
}

#ifndef Q_OS_WIN // the settings file of the Unix desktops; Windows has the registry
// Another program holding the settings file's lock keeps the option from
// being stored for a while. The toy walks on meanwhile, and stores the
// option once the lock is free, with every other byte of the file kept.
TEST_F(ToyWidgetTest, AHeldSettingsLockNeitherHoldsUpTheToyNorLosesTheOption)
{
    using zorrel::test::readFile;
    const QString ini = QFile::decodeName(qgetenv("XDG_CONFIG_HOME")) + "/Pocketfolk.ini";
    const QByteArray others = "[Other Toy]\r\nWindow Pos=10,20\r\n";
    const bool soundOn = widget_.toy().state().soundOn;
    const QByteArray before =
        others + "[Coilwerks]\r\nZorrel Sound=" + (soundOn ? "True" : "False") + "\r\n";
    // The toy's start may still be storing the first run's option off the
    // GUI thread: the file is written only once its lock is ours.
    QLockFile held(ini + ".lock");
    ASSERT_TRUE(held.tryLock(5000));
    ASSERT_TRUE(zorrel::test::writeFile(ini, before));

    press({20, 60}, Qt::LeftButton);
    press({20, 60}, Qt::RightButton, Qt::LeftButton);
    release({20, 60}, Qt::RightButton, Qt::LeftButton);
    release({20, 60}, Qt::LeftButton);
    const int startX = widget_.pos().x();
    auto *sound = widget_.findChild<QAction *>("sound");
    ASSERT_NE(sound, nullptr);
    QElapsedTimer clock;
    clock.start();
    sound->trigger();
    EXPECT_EQ(widget_.toy().state().soundOn, !soundOn);
    // Every 10 ms, as the toy's ticks would: the longest wait between two.
    qint64 last = clock.elapsed(), longest = last;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    probe.start(10);
    QTest::qWait(1000);
    EXPECT_LT(longest, 100) << "ms without a tick while the lock was held";
    EXPECT_LT(widget_.pos().x(), startX) << "the toy stopped walking";
    EXPECT_EQ(readFile(ini), before) << "written past the lock";

    held.unlock();
    const QByteArray after =
        others + "[Coilwerks]\r\nZorrel Sound=" + (soundOn ? "False" : "True") + "\r\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return readFile(ini) == after; }, 5000))
        << readFile(ini).data();
    sound->trigger(); // as it was, for the other cases
}
#endif

// The surface holds its own pictures: the set they came from may be
// replaced, as when the screen's ratio changes, before it next paints.
TEST_F(ToyWidgetTest, TheSurfaceKeepsItsPicturesPastTheirSource)
{
    QWidget window;
    window.resize(20, 20);
    const std::unique_ptr<zorrel::platform::ToySurface> surface =
        zorrel::platform::makeQtToySurface(window);
    {
        auto sprites = std::make_unique<QPixmap>(10, 10);
        sprites->fill(Qt::red);
        const zorrel::platform::ToySurface::Layer layers[] = {{*sprites, {5, 5}}};
        surface->setLayers(layers);
    }
    QImage shown(20, 20, QImage::Format_RGB32);
    QPainter painter(&shown);
    surface->paint(painter);
    painter.end();
    EXPECT_EQ(shown.pixelColor(7, 7), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(2, 2), window.palette().color(QPalette::Window));
}

// A surface of a window system's own, as the Wayland surface is: it alone
// knows where the toy is and at what ratio, and Qt's window stays off the
// screen, where Qt's copy of its place and screen goes stale.
class OwnSurface : public zorrel::platform::ToySurface {
  public:
    explicit OwnSurface(QWidget &window) { window.setAttribute(Qt::WA_DontShowOnScreen); }

    void prepare() override { preparedAt = at; }
    void shown() override {}
    void move(QPoint clientPos) override { at = clientPos; }
    [[nodiscard]] QPoint position() const override { return at; }
    [[nodiscard]] qreal deviceRatio() const override { return ratio; }
    void onRatioChanged(std::function<void()> changed) override { ratioChanged = changed; }
    void setCursor(const QCursor &shape) override { cursor = shape; }
    void setShape(const QRegion &region) override { shape = region; }
    void setLayers(std::span<const Layer> given) override
    {
        layers.assign(given.begin(), given.end());
    }
    void paint(QPainter & /*painter*/) override {}
    void flush() override {}

    // The surface went to a screen of another ratio.
    void rescale(qreal to)
    {
        ratio = to;
        ratioChanged();
    }

    QPoint at{-1000, -1000}; // nowhere the widget would put it itself
    std::optional<QPoint> preparedAt;
    qreal ratio = 1.0;
    std::function<void()> ratioChanged;
    QCursor cursor;
    QRegion shape;
    std::vector<Layer> layers;
};

class ToyWidgetOnItsOwnSurface : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { startApplication(); }

    void SetUp() override { widget_.start(); }

    // A pointer event at `global` on the desktop, sent to the widget as the
    // Wayland surface sends its events.
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF local = QPointF(global - surface_->at);
        QMouseEvent event(type, local, local, QPointF(global), button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget_, &event);
    }
    [[nodiscard]] QRect toy() const { return {surface_->at, widget_.size()}; }

    OwnSurface *surface_ = nullptr;
    ToyWidget widget_{[this](QWidget &window) {
        auto made = std::make_unique<OwnSurface>(window);
        surface_ = made.get();
        return made;
    }};
};

// The toy starts centred on the primary screen, placed through the surface
// before it is made ready; its pictures, outline and hands follow the
// surface's ratio, whatever Qt's window says.
TEST_F(ToyWidgetOnItsOwnSurface, PlaceAndRatioComeFromTheSurfaceAlone)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(surface_->preparedAt.has_value());
    const QPoint centre = QRect(*surface_->preparedAt, widget_.size()).center();
    EXPECT_LE((centre - screen.center()).manhattanLength(), 1) << "centred on the primary screen";
    ASSERT_FALSE(surface_->layers.empty());
    const QRect outlineAt1 = surface_->shape.boundingRect();
    ASSERT_EQ(widget_.devicePixelRatioF(), 1.0) << "Qt's window stays at ratio 1";

    surface_->rescale(2.0);
    EXPECT_EQ(surface_->shape.boundingRect().size(), outlineAt1.size() * 2);
    for (const auto &layer : surface_->layers)
        EXPECT_EQ(layer.picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(surface_->cursor.pixmap().devicePixelRatio(), 2.0) << "the hand is drawn anew";

    // A drag moves the surface; the walk's limit and the pointer's part are
    // measured from where the surface is, not from Qt's window.
    const QPoint start = surface_->at;
    send(QEvent::MouseButtonPress, start + QPoint(20, 60), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(surface_->cursor.pixmap().devicePixelRatio(), 2.0);
    send(QEvent::MouseMove, start + QPoint(20 + 70, 60 - 40), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(20 + 70, 60 - 40), Qt::LeftButton, {});
    EXPECT_EQ(surface_->at, start + QPoint(70, -40));
    surface_->rescale(1.0);
    EXPECT_EQ(surface_->shape.boundingRect().size(), outlineAt1.size());
}

// Over a surface of its own, which may lie above every X window, the menu
// opens beside the toy at the pointer's height and clear of the toy.
TEST_F(ToyWidgetOnItsOwnSurface, TheMenuOpensBesideTheToyAtThePointersHeight)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows has no surface of the toy's own, and its test screen is too small "
                    "for anything beside the toy";
#endif
    const QPoint pointer = surface_->at + QPoint(30, 20);
    QRect menuAt;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            menuAt = menu->geometry();
            menu->close();
        }
    });
    send(QEvent::MouseButtonPress, pointer, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, pointer, Qt::RightButton, {});
    ASSERT_FALSE(menuAt.isNull()) << "the menu did not open";
    EXPECT_FALSE(menuAt.intersects(toy()));
    EXPECT_EQ(menuAt.left(), toy().right() + 1);
    EXPECT_EQ(menuAt.top(), pointer.y());
}

// The about box opens beside the toy; while it is open the toy takes no
// pointer input, not even the events its own surface sends.
TEST_F(ToyWidgetOnItsOwnSurface, TheAboutBoxOpensBesideTheToyThatTakesNoInputMeanwhile)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows has no surface of the toy's own, and its test screen is too small "
                    "for anything beside the toy";
#endif
    auto *about = widget_.findChild<QAction *>("about");
    ASSERT_NE(about, nullptr);
    about->trigger();
    zorrel::about::AboutBox *box = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<zorrel::about::AboutBox *>(window);
            found && found->isVisible())
            box = found;
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->frameGeometry().intersects(toy())) << "the box is over the toy";
    const QPoint part = surface_->at + QPoint(20, 60);
    send(QEvent::MouseButtonPress, part, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(widget_.toy().state().dragging) << "the toy took a press past the about box";
    send(QEvent::MouseButtonRelease, part, Qt::LeftButton, {});
    box->close();
    send(QEvent::MouseButtonPress, part, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(widget_.toy().state().dragging) << "the toy stays deaf after the box closed";
    send(QEvent::MouseButtonRelease, part, Qt::LeftButton, {});
}

// The toy is put back wholly on a screen, moved as little as it can be.
TEST(ScreenPlacement, BringsTheWholeToyOntoTheScreenThatShowsMostOfIt)
{
    using zorrel::widget::placeOnScreens;
    const QSize toy(69, 96);
    const QList<QRect> small = {{0, 0, 640, 480}};
    const QList<QRect> pair = {{0, 384, 512, 384}, {512, 0, 512, 768}};
    const struct {
        QPoint at;
        QList<QRect> screens;
        QPoint placed;
    } rows[] = {
        {{300, 200}, small, {300, 200}},      // whole: left where it is
        {{634, 471}, small, {571, 384}},      // a corner showing: both ways
        {{900, 300}, small, {571, 300}},      // its height kept
        {{-60, 100}, small, {0, 100}},        // off the left edge
        {{2000, 2000}, small, {571, 384}},    // off every screen: the nearest
        {{470, 500}, pair, {443, 500}},       // across the two: the one with most of it
        {{480, 100}, pair, {512, 100}},       // the right one alone reaches that high
        {{10, 10}, {{0, 0, 50, 50}}, {0, 0}}, // larger than its screen
        {{10, 10}, {}, {10, 10}},             // no screen known: left alone
    };
    for (const auto &[at, screens, placed] : rows)
        EXPECT_EQ(placeOnScreens(QRect(at, toy), screens), placed) << at.x() << "," << at.y();
}

// A menu or dialog beside the toy: wholly on the toy's screen, never over it.
TEST(ScreenPlacement, BesideTheToyOnItsScreenAndClearOfIt)
{
    using zorrel::widget::placeBesideToy;
    const QSize toy(69, 96);
    const QSize menu(150, 120);
    const QList<QRect> one = {{0, 0, 1024, 768}};
    const QList<QRect> pair = {{0, 0, 1024, 768}, {1024, 0, 800, 600}};
    const struct {
        const char *why;
        QPoint toyAt;
        int top;
        QList<QRect> screens;
        QPoint placed;
    } rows[] = {
        {"right of it, at the pointer's height", {400, 300}, 340, one, {469, 340}},
        {"left of it where the right has no room", {900, 300}, 340, one, {750, 340}},
        {"the right just fits", {805, 300}, 300, one, {874, 300}},
        {"the right misses by one", {806, 300}, 300, one, {656, 300}},
        {"moved up to end at the screen's bottom", {400, 660}, 700, one, {469, 648}},
        {"partly off the left edge: still right of it", {-30, 100}, 120, one, {39, 120}},
        {"on the right screen of two, its own", {1100, 450}, 500, pair, {1169, 480}},
        {"at the right screen's right edge: left of it, not on the left screen",
         {1755, 100},
         150,
         pair,
         {1605, 150}},
        {"mostly on the left screen: that one's bottom", {990, 640}, 700, pair, {840, 648}},
        {"no room on either side: below it", {0, 0}, 20, {{0, 0, 200, 400}}, {0, 96}},
        {"nor below: above it", {0, 280}, 300, {{0, 0, 200, 400}}, {0, 160}},
    };
    for (const auto &[why, toyAt, top, screens, placed] : rows) {
        const QRect toyRect(toyAt, toy);
        const QPoint at = placeBesideToy(toyRect, menu, top, screens);
        EXPECT_EQ(at, placed) << why;
        EXPECT_FALSE(QRect(at, menu).intersects(toyRect)) << why;
    }
}

// A tick that sets its own pace again must not push the next tick back, or
// the walk would drift slower.
TEST_F(ToyWidgetTest, AnUnchangedPaceKeepsTheTimersSchedule)
{
    int ticks = 0;
    zorrel::widget::PacedTimer timer([&] { ++ticks; });
    timer.setInterval(50);
    QThread::msleep(10);
    timer.setInterval(50);
    EXPECT_LE(timer.remainingTime(), 45);
    EXPECT_EQ(ticks, 0);
}

} // namespace
