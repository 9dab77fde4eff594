// Cost of composing the window's outline, alone and applied to a window.
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"
#include "toy/Form1.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

// All seven outlines: key frame 0 has both holes.
void BM_ComposeShape(benchmark::State &bench)
{
    zorrel::toy::ToyState state;
    zorrel::shape::RegionTable regions;
    std::int16_t legs = 0;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        state.LegFrame = legs;
        legs = static_cast<std::int16_t>((legs + 1) % 11);
        zorrel::shape::ComposeShape(state, regions);
        regions.giveToWindow(state.ShapeRegion);
        benchmark::DoNotOptimize(regions.windowRegion());
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
    std::int16_t legs = 0;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        state.LegFrame = legs;
        legs = static_cast<std::int16_t>((legs + 1) % 11);
        zorrel::shape::ComposeShape(state, regions);
        regions.giveToWindow(state.ShapeRegion);
        window.setMask(regions.windowRegion().translated(-3, -22));
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
