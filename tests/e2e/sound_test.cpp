// What the toy plays, recorded from the private sound server's only sink.
// The sounds and the audio module come from the program's own folder.

#include "e2e/support/ToyFixture.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace zorrel::e2e {
namespace {

// `wave`, with the 44-byte header of the built sound files, holding `samples` instead.
std::string withSamples(std::string wave, const std::vector<std::int16_t> &samples)
{
    const auto size = static_cast<std::uint32_t>(samples.size() * 2), riff = size + 36;
    wave.resize(44);
    wave.replace(4, 4, reinterpret_cast<const char *>(&riff), 4);
    wave.replace(40, 4, reinterpret_cast<const char *>(&size), 4);
    return wave.append(reinterpret_cast<const char *>(samples.data()), size);
}

class Sound : public ToyFixture {
  protected:
    [[nodiscard]] std::string clickFile() const
    {
        return dir_.filePath("Korrin0.wav").toStdString();
    }
};

TEST_F(Sound, StoredOptionOffSilencesWindingAndWalking)
{
    ASSERT_NO_FATAL_FAILURE(launch("[Coilwerks]\nZorrel%20Sound=False\n", true));
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
    ASSERT_NO_FATAL_FAILURE(launch({}, true));
    ASSERT_GT(peakAfter([&] { return holdAndWind(1); }, 3s, kAudible), kAudible);
    ASSERT_TRUE(xdo("mouseup 1") && sinkQuiet());

    ASSERT_TRUE(restartSoundServer());
    // A footstep of the walk that met no server makes the toy wait a second
    // before it tries again; each try is one wind, well short of the limit.
    int heard = 0;
    for (int tries = 0; tries < 4 && heard <= kAudible; ++tries) {
        heard = peakAfter([&] { return holdAndWind(1); }, 2500ms, kAudible);
        ASSERT_TRUE(xdo("mouseup 1"));
    }
    EXPECT_GT(heard, kAudible);
}

// The sound file as it is at each wind, the audio libraries only once there
// is something to play. Without its file the winding is silent, but the
// footstep at the release is still heard.
TEST_F(Sound, EveryWindPlaysTheSoundFileAsItIsNow)
{
    ASSERT_NO_FATAL_FAILURE(launch({}, true));
    const auto loaded = [this] {
        return run("grep -c libpulse /proc/" + std::to_string(pid_) + "/maps").out != "0\n";
    };
    EXPECT_FALSE(loaded()) << "the audio libraries are loaded before the first effect";
    std::ifstream in(clickFile(), std::ios::binary);
    const std::string original(std::istreambuf_iterator<char>(in), {});
    std::vector<std::int16_t> samples = samplesOf(clickFile().c_str(), 44);
    for (std::int16_t &sample : samples)
        sample /= 8;
    const std::string quiet = withSamples(original, samples); // at an eighth of the level
    const std::tuple<const char *, const std::string *, int, int> rows[] = {
        // The file (none: deleted), and the range of the peak heard: as
        // built, loud but never clipped.
        {"as built", &original, 8000, 31999},
        {"an eighth as loud", &quiet, kAudible, 8000},
        {"as built again", &original, 8000, 31999},
        {"deleted", nullptr, 0, kSilent}};
    bool held = false;
    for (const auto &[name, contents, low, high] : rows) {
        SCOPED_TRACE(name);
        if (contents != nullptr)
            std::ofstream(clickFile(), std::ios::binary | std::ios::trunc) << *contents;
        else
            std::filesystem::remove(clickFile());
        const int heard = peakAfter(
            [&] { return std::exchange(held, true) ? xdo("click 3") : holdAndWind(1); }, 2s);
        EXPECT_TRUE(heard >= low && heard <= high) << heard;
    }
    EXPECT_TRUE(loaded());
    const int footstep = peakAfter([] { return xdo("mouseup 1"); }, 3s);
    EXPECT_TRUE(footstep > 8000 && footstep < 32000) << "the footstep at the release: " << footstep;
}

TEST_F(Sound, ANewEffectCutsOffTheOneStillSounding)
{
    ASSERT_NO_FATAL_FAILURE(launch({}, true));
    // A click file of a 3 s tone: the second wind's must take the first's place.
    constexpr int kRate = 44100;
    std::vector<std::int16_t> tone(3 * kRate);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<std::int16_t>(16000 * std::sin(2 * 3.14159265 * 440 * i / kRate));
    std::string wave(44, '\0');
    std::ifstream(clickFile(), std::ios::binary).read(wave.data(), 44);
    std::ofstream(clickFile(), std::ios::binary | std::ios::trunc) << withSamples(wave, tone);

    const std::int64_t before = sinkSize();
    ASSERT_TRUE(holdAndWind(1));
    ASSERT_GT(peak(before, 2s, kAudible), kAudible);
    ASSERT_TRUE(xdo("click 3"));
    sleep_for(7s); // long enough for both tones one after the other
    // The span from the first loud sample to the last: both tones in turn
    // would take 6 s, the second cutting in, one tone and the pause between
    // the winds.
    const std::vector<std::int16_t> heard = samplesOf(nullptr, before);
    const auto loud = [](std::int16_t sample) { return std::abs(int{sample}) > kAudible; };
    const auto first = std::find_if(heard.begin(), heard.end(), loud);
    const auto last = std::find_if(heard.rbegin(), heard.rend(), loud).base();
    ASSERT_NE(first, heard.end());
    EXPECT_LT(static_cast<double>(last - first) / kRate, 4.5);
}

// A sound server that takes the connection and never answers holds the
// sound thread for seconds; closing the toy then still ends it at once, and
// cleanly (the sanitizer build reports any use of what the end freed).
TEST_F(Sound, ClosingWhileTheSoundServerNeverAnswersEndsAtOnce)
{
    const std::string silent = dir_.filePath("silent-server").toStdString();
    const int listener = silentServer(silent);
    ASSERT_GE(listener, 0);
    setenv("PULSE_SERVER", ("unix:" + silent).c_str(), 1);
    launch({}, true);
    unsetenv("PULSE_SERVER");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(holdAndWind(1) && xdo("mouseup 1"));
    // The click and the footstep wait for the server, which takes the
    // connection and says nothing.
    pollfd waiting{listener, POLLIN, 0};
    ASSERT_EQ(poll(&waiting, 1, 3000), 1) << "the toy never reached the server";
    const int connection = accept(listener, nullptr, nullptr);
    sleep_for(100ms);
    const auto asked = Clock::now();
    requestClose(window_);
    int status = -1;
    ASSERT_TRUE(waitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 10s));
    const auto took = Clock::now() - asked;
    pid_ = 0;
    close(connection);
    close(listener);
    EXPECT_EQ(status, 0) << "wait status";
    // The wait for the sound thread at the end is 3 s.
    EXPECT_LT(took / 1ms, 2500) << "the end waited for the silent server";
    EXPECT_EQ(toyErrors().find("did not stop"), std::string::npos) << toyErrors();
}

} // namespace
} // namespace zorrel::e2e
