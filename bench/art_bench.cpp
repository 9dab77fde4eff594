// Cost of the artwork at start-up: the sprite set the toy window builds, every
// frame it may show later, and the program icon as the window system asks for
// it. With --peak-rss=none|start|all it instead builds that much art once and
// prints the process's peak resident memory, for comparing builds.
#include "art/Frames.h"
#include "art/Layout.h"
#include "art/Sprites.h"
#include "art/SvgPicture.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QSvgRenderer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

using zorrel::art::FrameSet;
namespace layout = zorrel::art::layout;

// Touches every frame, as a full walk with head shakes and winding would.
void showEveryFrame(const zorrel::art::SpriteSet &sprites)
{
    for (int i = 0; i < layout::kHeadFrames; ++i)
        benchmark::DoNotOptimize(sprites.frame(FrameSet::Head, i).cacheKey());
    for (int i = 0; i < layout::kLegsFrames; ++i)
        benchmark::DoNotOptimize(sprites.frame(FrameSet::Legs, i).cacheKey());
    for (int i = 0; i < layout::kKeyFrames; ++i)
        benchmark::DoNotOptimize(sprites.frame(FrameSet::Key, i).cacheKey());
    benchmark::DoNotOptimize(sprites.body().cacheKey());
}

// What the window system does with a window icon: every size the icon has,
// or a few standard ones for a scalable icon.
void useAsWindowIcon(const QIcon &icon)
{
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(32, 32), QSize(64, 64), QSize(128, 128)};
    for (const QSize &size : sizes)
        benchmark::DoNotOptimize(icon.pixmap(size, 1.0).cacheKey());
}

// The toy window's start: the sprite set for the rest pose on screen.
void BM_SpriteSetStart(benchmark::State &bench)
{
    const qreal ratio = static_cast<qreal>(bench.range(0)) / 2.0;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        zorrel::art::SpriteSet sprites(ratio);
        benchmark::DoNotOptimize(sprites.frame(FrameSet::Head, 0).cacheKey());
    }
}
BENCHMARK(BM_SpriteSetStart)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->ArgName("ratio_x2")
    ->Unit(benchmark::kMillisecond);

// A sprite set that has shown every frame once.
void BM_SpriteSetEveryFrame(benchmark::State &bench)
{
    const qreal ratio = static_cast<qreal>(bench.range(0)) / 2.0;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        zorrel::art::SpriteSet sprites(ratio);
        showEveryFrame(sprites);
    }
}
BENCHMARK(BM_SpriteSetEveryFrame)
    ->Arg(2)
    ->Arg(4)
    ->ArgName("ratio_x2")
    ->Unit(benchmark::kMillisecond);

// The first program icon of the process, which pays for any plugin it loads.
// Runs once, so it is a single noisy sample: compare several runs.
void BM_ProgramIconFirst(benchmark::State &bench)
{
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench)
        useAsWindowIcon(zorrel::art::programIcon());
}
BENCHMARK(BM_ProgramIconFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

// Later program icons, as the about box asks for them.
void BM_ProgramIcon(benchmark::State &bench)
{
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench)
        useAsWindowIcon(zorrel::art::programIcon());
}
BENCHMARK(BM_ProgramIcon)->Unit(benchmark::kMillisecond);

// A frame's drawing in two parts: parsing its picture, and drawing the parsed
// picture. Keeping parsed pictures would spare only the first part, and only
// when a frame is drawn twice, i.e. at a second ratio.
void BM_ParsePicture(benchmark::State &bench)
{
    const QString path = zorrel::art::framePath(FrameSet::Head, 1);
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        QSvgRenderer renderer(path);
        benchmark::DoNotOptimize(renderer.isValid());
    }
}
BENCHMARK(BM_ParsePicture)->Unit(benchmark::kMicrosecond);

void BM_DrawParsedPicture(benchmark::State &bench)
{
    QSvgRenderer renderer(zorrel::art::framePath(FrameSet::Head, 1));
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench)
        benchmark::DoNotOptimize(zorrel::art::renderSvg(renderer, layout::kHeadPic.size(), 1.0,
                                                        QImage::Format_RGB32, Qt::black)
                                     .constBits());
}
BENCHMARK(BM_DrawParsedPicture)->Unit(benchmark::kMicrosecond);

long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Builds the art named by `what` once at ratio 1 and prints the peak RSS.
int measurePeakRss(std::string_view what)
{
    if (what == "start" || what == "all") {
        const zorrel::art::SpriteSet sprites(1.0);
        if (what == "all") {
            showEveryFrame(sprites);
            useAsWindowIcon(zorrel::art::programIcon());
            benchmark::DoNotOptimize(zorrel::art::handCursor(zorrel::art::HandCursor::Open, 1.0));
            benchmark::DoNotOptimize(
                zorrel::art::handCursor(zorrel::art::HandCursor::Grabbing, 1.0));
            benchmark::DoNotOptimize(zorrel::art::pointingHandCursor());
        }
        std::printf("peak RSS after %s art: %ld kB\n", what.data(), peakRssKb());
        return 0;
    }
    std::printf("peak RSS without art: %ld kB\n", peakRssKb());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    constexpr std::string_view kPeakRss = "--peak-rss=";
    if (argc > 1 && std::string_view(argv[1]).starts_with(kPeakRss))
        return measurePeakRss(std::string_view(argv[1]).substr(kPeakRss.size()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
