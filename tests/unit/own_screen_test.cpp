// The screen of Qt's that shows most of the toy, on two screens side by
// side, the right one at twice the scale: the surfaces that show the toy on
// Qt's screens take their ratio from it.

#include "TestSupport.h"
#include "platform/ToySurface.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class OwnScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        // Qt's offscreen platform takes its screens from a file.
        static QTemporaryDir folder;
        const QString config = folder.filePath("screens.json");
        ASSERT_TRUE(zorrel::test::writeFile(config, R"({"screens": [
              {"name": "left", "x": 0, "y": 0, "width": 800, "height": 600, "dpr": 1},
              {"name": "right", "x": 800, "y": 0, "width": 1600, "height": 1200, "dpr": 2}]})"));
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
        zorrel::test::testApplication<QApplication>();
    }
};

TEST_F(OwnScreenTest, TheRatioFollowsTheToyFromScreenToScreen)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    const QRect left = screens[0]->geometry();
    const QRect right = screens[1]->geometry();
    ASSERT_EQ(screens[1]->devicePixelRatio(), 2.0);
    ASSERT_EQ(right.left(), left.right() + 1) << "side by side";

    QWidget window;
    window.resize(69, 96);
    const std::unique_ptr<zorrel::platform::ToySurface> surface =
        zorrel::platform::makeQtToySurface(window);
    int told = 0;
    surface->onRatioChanged([&] { ++told; });

    const struct {
        const char *where;
        QPoint at;
        qreal ratio;
        int told;
    } moves[] = {
        {"on the left screen", left.topLeft() + QPoint(100, 100), 1.0, 0},
        {"across the seam, mostly left", QPoint(right.left() - 40, 100), 1.0, 0},
        {"across the seam, mostly right", QPoint(right.left() - 30, 100), 2.0, 1},
        {"further right", right.topLeft() + QPoint(300, 200), 2.0, 1},
        {"back left", left.topLeft() + QPoint(10, 10), 1.0, 2},
    };
    for (const auto &[where, at, ratio, toldThen] : moves) {
        surface->move(at);
        surface->flush();
        EXPECT_EQ(surface->deviceRatio(), ratio) << where;
        QCoreApplication::processEvents();
        EXPECT_EQ(told, toldThen) << where;
    }
}

// The news comes after the event at hand: the toy redraws itself then, not
// in the middle of the move that took it there.
TEST_F(OwnScreenTest, AChangeIsToldOnceTheEventIsOver)
{
    const QRect right = QGuiApplication::screens()[1]->geometry();
    QWidget window;
    window.resize(69, 96);
    const std::unique_ptr<zorrel::platform::ToySurface> surface =
        zorrel::platform::makeQtToySurface(window);
    int told = 0;
    surface->onRatioChanged([&] { ++told; });
    surface->move(right.topLeft() + QPoint(50, 50));
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return told == 1; }, 1000));
}

} // namespace
