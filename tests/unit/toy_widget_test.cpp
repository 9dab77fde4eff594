// The toy widget without a window manager: how pointer events reach the toy,
// and the timer that paces it.

#include "TestSupport.h"
#include "platform/ToySurface.h"
#include "widget/PacedTimer.h"
#include "widget/ScreenPlacement.h"
#include "widget/ToyWidget.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

namespace {

using zorrel::widget::ToyWidget;

class ToyWidgetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        zorrel::test::testApplication<QApplication>();
    }

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
