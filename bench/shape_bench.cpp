// Cost of composing the window's outline, alone and applied to a window.
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"
#include "toy/ToyWidget.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// Composes the next walking pose (legs frame after legs frame) and hands the
// outline to the window's slot of the region table.
QRegion composeNextPose(zorrel::shape::Pose &pose, zorrel::shape::RegionTable &regions)
{
    pose.legFrame = static_cast<std::int16_t>((pose.legFrame + 1) % 11);
    zorrel::shape::OutlineBuffer buffer;
    zorrel::shape::composeShape(pose, buffer, regions);
    regions.giveToWindow(buffer.shapeRegion);
    return regions.windowRegion();
}

// All seven outlines: key frame 0 has both holes.
void BM_ComposeShape(benchmark::State &bench)
{
    zorrel::shape::Pose pose;
    zorrel::shape::RegionTable regions;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        benchmark::DoNotOptimize(composeNextPose(pose, regions));
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
    zorrel::shape::RegionTable regions;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        window.setMask(composeNextPose(pose, regions).translated(-3, -22));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ComposeAndApplyShape);

// One walking tick of the real toy window: frames, move, outline, repaint.
void BM_WalkingTick(benchmark::State &bench)
{
    zorrel::toy::ToyWidget toy;
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
