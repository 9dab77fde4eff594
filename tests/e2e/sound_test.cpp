// What the toy plays, recorded from the private sound server's only sink.
// The sounds and the audio module come from the program's own folder.

#include "e2e/support/SoundServer.h"
#include "e2e/support/ToyFixture.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <unistd.h>

namespace zorrel::e2e {
namespace {

constexpr int kAudible = 1000; // of 32767
constexpr int kSilent = 50;

class Sound : public ToyFixture {
  protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToyFixture::SetUp());
        ASSERT_TRUE(std::getenv("ZORREL_SINK_RAW"));
        // Nothing of an earlier program may still be on its way to the sink.
        ASSERT_TRUE(waitUntil([] { return peak(sinkSize(), 300ms, kSilent) <= kSilent; }, 5s));
    }
    // The program's copy gets its audio module beside it, as installed.
    void launch(bool windingClick = true, const std::string &ini = {})
    {
        const std::filesystem::path built = std::filesystem::path(ZORREL_BINARY).parent_path();
        std::filesystem::copy_file(built / ZORREL_SOUND_MODULE_NAME,
                                   dir_.path().toStdString() + "/" ZORREL_SOUND_MODULE_NAME);
        ToyFixture::launch(windingClick, ini);
    }
};

TEST_F(Sound, WindingClicks)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    EXPECT_GT(peak(before, 3s, kAudible), kAudible);
}

TEST_F(Sound, WindingIsSilentWithoutItsSoundFile)
{
    ASSERT_NO_FATAL_FAILURE(launch(false));
    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    EXPECT_LT(peak(before, 2500ms, kSilent), kSilent);
    // The footstep at the release is still there: the sound works otherwise.
    const std::int64_t release = sinkSize();
    ASSERT_TRUE(xdo("mouseup 1"));
    EXPECT_GT(peak(release, 3s, kAudible), kAudible) << "no footstep at the release";
}

// A click "file" that would hold the sound thread for ever (a fifo) or fill
// the memory (a link to an endless device) is silence, and the footstep at
// the release still plays.
class HostileClickFile : public Sound, public ::testing::WithParamInterface<std::string> {};

TEST_P(HostileClickFile, IsSilentAndTheFootstepStillPlays)
{
    ASSERT_NO_FATAL_FAILURE(launch(false));
    const std::string click = dir_.path().toStdString() + "/Korrin0.wav";
    ASSERT_EQ(GetParam() == "fifo" ? mkfifo(click.c_str(), 0600)
                                   : symlink("/dev/zero", click.c_str()),
              0);
    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    EXPECT_LT(peak(before, 2500ms, kSilent), kSilent);
    const std::int64_t release = sinkSize();
    ASSERT_TRUE(xdo("mouseup 1"));
    EXPECT_GT(peak(release, 3s, kAudible), kAudible) << "no footstep at the release";
}

INSTANTIATE_TEST_SUITE_P(Sound, HostileClickFile, ::testing::Values("fifo", "device"),
                         [](const auto &info) { return info.param; });

TEST_F(Sound, StoredOptionOffSilencesWindingAndWalking)
{
    ASSERT_NO_FATAL_FAILURE(launch(true, "[Coilwerks]\nZorrel%20Sound=False\n"));
    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(3));
    sleep_for(300ms);
    ASSERT_TRUE(xdo("mouseup 1"));
    // Winding, the release and the first footsteps (one per 11 ticks).
    EXPECT_LT(peak(before, 3s, kSilent), kSilent);
    EXPECT_LT(where().x(), 477 - 40) << "it did not walk";
    EXPECT_EQ(stored(), "False");
}

TEST_F(Sound, WindingClicksAgainAfterTheSoundServerRestarts)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    ASSERT_GT(peak(before, 3s, kAudible), kAudible);
    ASSERT_TRUE(xdo("mouseup 1"));
    ASSERT_TRUE(waitUntil([] { return peak(sinkSize(), 300ms, kSilent) <= kSilent; }, 5s));

    ASSERT_TRUE(restartSoundServer());
    // A footstep of the walk that met no server makes the toy wait a second
    // before it tries again; each try is one wind, well short of the limit.
    int heard = 0;
    for (int tries = 0; tries < 4 && heard <= kAudible; ++tries) {
        before = sinkSize();
        ASSERT_TRUE(holdAndWind(1));
        heard = peak(before, 2500ms, kAudible);
        ASSERT_TRUE(xdo("mouseup 1"));
    }
    EXPECT_GT(heard, kAudible);
}

// The sound file as it is at each wind, the audio libraries only once there
// is something to play.
TEST_F(Sound, EveryWindPlaysTheSoundFileAsItIsNow)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    const std::string click = dir_.path().toStdString() + "/Korrin0.wav";
    const auto loaded = [this] {
        return run("grep -c libpulse /proc/" + std::to_string(pid_) + "/maps").out != "0\n";
    };
    EXPECT_FALSE(loaded()) << "the audio libraries are loaded before the first effect";
    std::ifstream in(click, std::ios::binary);
    const std::string original(std::istreambuf_iterator<char>(in), {});
    std::string quiet = original; // the same click at an eighth of its level
    for (std::size_t at = 44; at + 1 < quiet.size(); at += 2) {
        const auto sample = static_cast<std::int16_t>((quiet[at] & 0xff) | (quiet[at + 1] << 8));
        const auto scaled = static_cast<std::uint16_t>(sample / 8);
        quiet[at] = static_cast<char>(scaled & 0xff);
        quiet[at + 1] = static_cast<char>(scaled >> 8);
    }
    struct Row {
        const char *file;
        const std::string *contents; // none: the file is deleted
        int low, high;               // the peak heard, within
    };
    const Row rows[] = {{"as built", &original, 8000, 32767},
                        {"an eighth as loud", &quiet, kAudible, 8000},
                        {"as built again", &original, 8000, 32767},
                        {"deleted", nullptr, 0, kSilent}};
    bool held = false;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        if (row.contents != nullptr)
            std::ofstream(click, std::ios::binary | std::ios::trunc) << *row.contents;
        else
            std::filesystem::remove(click);
        const std::int64_t before = sinkSize();
        ASSERT_TRUE(held ? xdo("click 3") : holdAndWind(1));
        held = true;
        const int heard = peak(before, 2s, 32767);
        EXPECT_TRUE(heard >= row.low && heard <= row.high) << heard;
    }
    EXPECT_TRUE(loaded());
}

TEST_F(Sound, ANewEffectCutsOffTheOneStillSounding)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    // A click file of a 3 s tone: the second wind's must take the first's place.
    constexpr int kRate = 44100;
    constexpr int kSamples = 3 * kRate;
    std::string wave = "RIFF....WAVEfmt ";
    const auto le = [&wave](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            wave += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    // Format chunk size, PCM, mono, frames and bytes per second, frame size, bits.
    for (const auto &[value, bytes] :
         {std::pair{16, 4}, {1, 2}, {1, 2}, {kRate, 4}, {2 * kRate, 4}, {2, 2}, {16, 2}})
        le(value, bytes);
    wave += "data";
    le(2 * kSamples, 4);
    for (int i = 0; i < kSamples; ++i)
        le(static_cast<std::uint16_t>(
               static_cast<std::int16_t>(16000 * std::sin(2 * 3.14159265 * 440 * i / kRate))),
           2);
    std::ofstream(dir_.path().toStdString() + "/Korrin0.wav", std::ios::binary) << wave;

    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    ASSERT_GT(peak(before, 2s, kAudible), kAudible);
    ASSERT_TRUE(xdo("click 3"));
    sleep_for(7s); // long enough for both tones one after the other
    // The span from the first loud sample to the last: both tones in turn
    // would take 6 s, the second cutting in, one tone and the pause between
    // the winds.
    std::ifstream in(std::getenv("ZORREL_SINK_RAW"), std::ios::binary);
    in.seekg(before);
    std::int64_t first = -1, last = -1;
    std::int16_t sample = 0;
    for (std::int64_t at = 0; in.read(reinterpret_cast<char *>(&sample), 2); ++at) {
        if (std::abs(int{sample}) <= kAudible)
            continue;
        if (first < 0)
            first = at;
        last = at;
    }
    ASSERT_GE(first, 0);
    EXPECT_LT(static_cast<double>(last - first) / kRate, 4.5);
}

} // namespace
} // namespace zorrel::e2e
