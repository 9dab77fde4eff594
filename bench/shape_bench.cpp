// Cost of composing the window's outline, alone and applied to a window.
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"
#include "toy/Form1.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// Composes the next walking pose (legs frame after legs frame) and hands the
// outline to the window's slot of the region table.
QRegion composeNextPose(zorrel::toy::ToyState &state, zorrel::shape::RegionTable &regions)
{
    state.LegFrame = static_cast<std::int16_t>((state.LegFrame + 1) % 11);
    zorrel::shape::ComposeShape(state, regions);
    regions.giveToWindow(state.ShapeRegion);
    return regions.windowRegion();
}

// All seven outlines: key frame 0 has both holes.
void BM_ComposeShape(benchmark::State &bench)
{
    zorrel::toy::ToyState state;
    zorrel::shape::RegionTable regions;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        benchmark::DoNotOptimize(composeNextPose(state, regions));
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
    zorrel::toy::ToyState state;
    zorrel::shape::RegionTable regions;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        window.setMask(composeNextPose(state, regions).translated(-3, -22));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ComposeAndApplyShape);

// One walking tick of the real toy window: frames, move, outline, repaint.
void BM_WalkingTick(benchmark::State &bench)
{
    zorrel::toy::Form1 form;
    form.start();
    QApplication::processEvents();
    auto *wind = form.findChild<QAction *>(QStringLiteral("mWindItUp"));
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        bench.PauseTiming();
        if (form.toy().State().WindLevel < 2) {
            for (int i = 0; i < 10; ++i)
                wind->trigger();
            for (int i = 0; i < 9; ++i)
                form.tick();
        }
        bench.ResumeTiming();
        form.tick();
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
