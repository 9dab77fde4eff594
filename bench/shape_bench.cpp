// Cost of composing the window's outline, alone and applied to a window.
#include "shape/Outline.h"
#include "widget/ToyWidget.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// The outline of the next walking pose (legs frame after legs frame).
QRegion composeNextPose(zorrel::shape::Pose &pose)
{
    pose.legFrame = static_cast<std::int16_t>((pose.legFrame + 1) % 11);
    return zorrel::shape::outline(pose, 1.0);
}

// All seven outlines: key frame 0 has both holes.
void BM_ComposeShape(benchmark::State &bench)
{
    zorrel::shape::Pose pose;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        benchmark::DoNotOptimize(composeNextPose(pose));
    }
}
BENCHMARK(BM_ComposeShape);

// The same composition set as the mask of a mapped window.
void BM_ComposeAndApplyShape(benchmark::State &bench)
{
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.resize(69, 96);
    window.show();
    QApplication::processEvents();
    zorrel::shape::Pose pose;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        window.setMask(composeNextPose(pose));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ComposeAndApplyShape);

// One walking tick of the real toy window: frames, move, outline, repaint.
void BM_WalkingTick(benchmark::State &bench)
{
    zorrel::widget::ToyWidget toy;
    toy.start();
    QApplication::processEvents();
    auto *wind = toy.findChild<QAction *>(QStringLiteral("windItUp"));
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        bench.PauseTiming();
        if (toy.toy().state().windLevel < 2) {
            for (int i = 0; i < 10; ++i)
                wind->trigger();
            for (int i = 0; i < 9; ++i)
                toy.tick();
        }
        bench.ResumeTiming();
        toy.tick();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WalkingTick);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
