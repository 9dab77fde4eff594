// Writes the toy's two sound effects as 16-bit PCM mono WAVE files at 44100 Hz:
//   Korrin0.wav  the winding click: a ratchet tooth snapping past its pawl
//   Korrin1.wav  the footstep: a soft, muted tap
// Usage: make_effects OUTPUT_FOLDER
// The waveforms are synthesised from fixed parameters and a fixed noise seed,
// so every build writes the same bytes.

#include "common/BuildInfo.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Small deterministic noise source (xorshift32), uniform in [-1, 1].
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483647.5 - 1.0;
    }

  private:
    std::uint32_t state_;
};

// One-pole low-pass filter.
class LowPass {
  public:
    explicit LowPass(double cutoffHz) : a_(1.0 - std::exp(-kTwoPi * cutoffHz / kRate)) {}
    double operator()(double x)
    {
        y_ += a_ * (x - y_);
        return y_;
    }

  private:
    double a_;
    double y_ = 0.0;
};

std::vector<double> silence(double seconds)
{
    // NOLINTNEXTLINE(modernize-return-braced-init-list): a size, not two elements
    return std::vector<double>(static_cast<std::size_t>(seconds * kRate), 0.0);
}

// A decaying sine partial starting at `start` seconds.
void addPartial(std::vector<double> &out, double start, double freqHz, double amp, double decayS)
{
    const auto first = static_cast<std::size_t>(start * kRate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        out[i] += amp * std::exp(-t / decayS) * std::sin(kTwoPi * freqHz * t);
    }
}

// A decaying, low-passed noise burst starting at `start` seconds.
void addNoiseBurst(std::vector<double> &out, double start, double amp, double decayS,
                   double cutoffHz, Noise &noise)
{
    LowPass lp1(cutoffHz);
    LowPass lp2(cutoffHz);
    const auto first = static_cast<std::size_t>(start * kRate);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = static_cast<double>(i - first) / kRate;
        out[i] += amp * std::exp(-t / decayS) * lp2(lp1(noise.next()));
    }
}

// Soft start and end so that no edge of the file clicks on its own, then
// scaling to the wanted peak.
std::vector<std::int16_t> finish(std::vector<double> signal, double peak)
{
    const std::size_t fadeIn = kRate / 5000; // 0.2 ms
    const std::size_t fadeOut = kRate / 200; // 5 ms
    const std::size_t n = signal.size();
    for (std::size_t i = 0; i < n; ++i) {
        double g = 1.0;
        if (i < fadeIn)
            g = static_cast<double>(i) / fadeIn;
        if (i + fadeOut > n)
            g *= 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(n - 1 - i) / fadeOut);
        signal[i] *= g;
    }
    double max = 0.0;
    for (const double v : signal)
        max = std::max(max, std::abs(v));
    std::vector<std::int16_t> pcm(n);
    for (std::size_t i = 0; i < n; ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(signal[i] / max * peak * 32767.0));
    return pcm;
}

// The winding click: a bright tick of the tooth, then the duller drop of the
// pawl 22 ms later, each a short metallic ring over a pinch of noise.
std::vector<std::int16_t> windingClick()
{
    Noise noise(0x5eed0001u);
    auto s = silence(0.085);
    const double ticks[2][2] = {{0.0, 1.0}, {0.022, 0.55}}; // start, level
    for (const auto &tick : ticks) {
        const double at = tick[0];
        const double level = tick[1];
        addNoiseBurst(s, at, 0.9 * level, 0.0018, 6000.0, noise);
        addPartial(s, at, 2350.0, 0.45 * level, 0.0055);
        addPartial(s, at, 3720.0, 0.30 * level, 0.0035);
        addPartial(s, at, 5310.0, 0.14 * level, 0.0022);
        addPartial(s, at, 880.0, 0.20 * level, 0.0090);
    }
    return finish(std::move(s), 0.55);
}

// The footstep: a low, quickly damped thump with a falling pitch, a muffled
// scuff of noise and a faint tick of the heel.
std::vector<std::int16_t> footstep()
{
    Noise noise(0x5eed0002u);
    auto s = silence(0.12);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double freq = 95.0 + 85.0 * std::exp(-t / 0.012);
        phase += kTwoPi * freq / kRate;
        s[i] += 0.8 * std::exp(-t / 0.022) * std::sin(phase);
    }
    addNoiseBurst(s, 0.0, 1.4, 0.010, 1400.0, noise);
    addPartial(s, 0.0, 1150.0, 0.08, 0.004);
    return finish(std::move(s), 0.45);
}

void putLe(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xffu));
}

bool writeWave(const std::string &path, const std::vector<std::int16_t> &pcm)
{
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string bytes = "RIFF";
    putLe(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    putLe(bytes, 16, 4);        // size of the format chunk
    putLe(bytes, 1, 2);         // PCM
    putLe(bytes, 1, 2);         // mono
    putLe(bytes, kRate, 4);     // frames per second
    putLe(bytes, kRate * 2, 4); // bytes per second
    putLe(bytes, 2, 2);         // bytes per frame
    putLe(bytes, 16, 2);        // bits per sample
    bytes += "data";
    putLe(bytes, dataBytes, 4);
    for (const std::int16_t v : pcm)
        putLe(bytes, static_cast<std::uint16_t>(v), 2);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_effects: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_effects OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = writeWave(folder + "/" + zorrel::build::kWindingClickFile, windingClick()) &&
                    writeWave(folder + "/" + zorrel::build::kFootstepFile, footstep());
    return ok ? 0 : 1;
}
