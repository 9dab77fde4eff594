// Cost of the sound option in a very large shared settings file: the toy
// must not freeze when the option is toggled, even if other programs have
// filled the file with 50 MB of their own sections.
#include "settings/IniFile.h"
#include "settings/SoundOptionStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kFileBytes = 50'000'000;

// Other programs' sections, with the option's section in the middle of them.
QByteArray largeSettings()
{
    QByteArray text;
    text.reserve(kFileBytes + 1024);
    for (int section = 0; text.size() < kFileBytes; ++section) {
        if (section == 100'000)
            text += "[Coilwerks]\r\nZorrel Sound=True\r\n\r\n";
        text += "; saved by another toy\r\n[Other Toy " + QByteArray::number(section) +
                "]\r\nWindow Pos=10,20\r\nPath=\"C:\\Games\\Pocketfolk\\save1.dat\"\r\n\r\n";
    }
    return text;
}

// One toggle as the toy does it: read, edit, write beside, flush, rename.
void BM_ToggleIn50MbFile(benchmark::State &bench)
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
    QFile file(folder.filePath(QStringLiteral("Pocketfolk.ini")));
    const QByteArray text = largeSettings();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush()) {
        bench.SkipWithError("cannot write the settings file");
        return;
    }
    bool on = true;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        // The store writes on a thread of its own; its end waits for the write.
        zorrel::settings::SoundOptionStore().store(on = !on);
    }
    bench.SetBytesProcessed(bench.iterations() * kFileBytes);
}
BENCHMARK(BM_ToggleIn50MbFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same edit in memory only: what the scan and the copy cost.
void BM_EditIn50MbText(benchmark::State &bench)
{
    const QByteArray text = largeSettings();
    bool on = true;
    // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): the loop variable is the idiom
    for (auto _ : bench) {
        benchmark::DoNotOptimize(zorrel::settings::withIniEntry(text, "Coilwerks", "Zorrel Sound",
                                                                (on = !on) ? "True" : "False"));
    }
    bench.SetBytesProcessed(bench.iterations() * kFileBytes);
}
BENCHMARK(BM_EditIn50MbText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
