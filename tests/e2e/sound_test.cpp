// What the toy plays, recorded from the private sound server's only sink.
// The sounds come from the program's own folder, so each test runs a copy of
// the program in a folder of its own.

#include "e2e/support/ToyFixture.h"

namespace zorrel::e2e {
namespace {

constexpr int kAudible = 1000; // of 32767
constexpr int kSilent = 50;

LaunchOptions copied(bool withWindingClick = true)
{
    LaunchOptions options;
    options.copyProgram = true;
    options.withWindingClick = withWindingClick;
    return options;
}

class Sound : public ToyFixture {
  protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToyFixture::SetUp());
        ASSERT_TRUE(sink_.available()) << "ZORREL_SINK_RAW is not set";
        // Nothing of an earlier program may still be on its way to the sink.
        ASSERT_TRUE(sink_.waitForQuiet(300ms, 5s));
    }

    SinkRecording sink_;
};

TEST_F(Sound, WindingClicks)
{
    ASSERT_NO_FATAL_FAILURE(launch(copied()));
    const std::int64_t before = sink_.mark();
    ASSERT_TRUE(holdAndWind(1));
    const int peak = sink_.peakWithin(before, 3s, kAudible);
    EXPECT_GT(peak, kAudible) << "recorded " << sink_.mark() - before << " bytes";
}

TEST_F(Sound, WindingIsSilentWithoutItsSoundFile)
{
    ASSERT_NO_FATAL_FAILURE(launch(copied(false)));
    const std::int64_t before = sink_.mark();
    ASSERT_TRUE(holdAndWind(1));
    EXPECT_LT(sink_.peakWithin(before, 2500ms, kSilent), kSilent);

    // The footstep at the release is still there: the sound works otherwise.
    const std::int64_t release = sink_.mark();
    ASSERT_TRUE(mouseUp(1));
    EXPECT_GT(sink_.peakWithin(release, 3s, kAudible), kAudible) << "no footstep at the release";
}

TEST_F(Sound, StoredOptionOffSilencesWindingAndWalking)
{
    LaunchOptions options = copied();
    options.storedSettings = "[Coilwerks]\nZorrel%20Sound=False\n";
    ASSERT_NO_FATAL_FAILURE(launch(options));
    const std::int64_t before = sink_.mark();
    ASSERT_TRUE(holdAndWind(3));
    pause(300ms);
    ASSERT_TRUE(mouseUp(1));
    // Winding, the release and the first footsteps (one per 11 ticks).
    EXPECT_LT(sink_.peakWithin(before, 3s, kSilent), kSilent);
    EXPECT_LT(position().x(), 477 - 40) << "it did not walk";
    EXPECT_EQ(storedSoundOption(toy_->iniPath()), "False");
}

} // namespace
} // namespace zorrel::e2e
