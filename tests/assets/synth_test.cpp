// The synthesizer behind the sound and music tools: WAV output the game can read, levels, envelopes, filters, noise.
#include <SDL.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "../../tools/sound/synth.h"

namespace {

std::string tempWav(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("tk-synth-") + name + ".wav")).string();
}

// Amplitude of a filter's steady answer to a sine of `hz`.
double gainAt(synth::Biquad f, double hz) {
    double peak = 0;
    for (int i = 0; i < synth::kRate / 2; ++i) {
        const double y = f.run(std::sin(synth::kTau * hz * i / synth::kRate));
        if (i > synth::kRate / 4) peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

TEST(Synth, WavFilesReadBackAsSixteenBitPcmWithTheirSamplesAndClampedPeaks) {
    const std::string path = tempWav("roundtrip");
    const std::vector<float> stereo = {0.f, 0.f, 0.5f, -0.5f, 1.5f, -1.5f, -0.25f, 0.25f};
    synth::writeWav(path, stereo, 2);

    SDL_AudioSpec audio{};
    Uint8* buf = nullptr;
    Uint32 len = 0;
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &audio, &buf, &len), nullptr) << SDL_GetError();
    EXPECT_EQ(audio.format, AUDIO_S16LSB);
    EXPECT_EQ(audio.freq, 44100);
    EXPECT_EQ(audio.channels, 2);
    ASSERT_EQ(len, stereo.size() * 2);
    const auto* s = reinterpret_cast<const Sint16*>(buf);
    EXPECT_EQ(s[2], 16384);
    EXPECT_EQ(s[3], -16384);
    // Out-of-range samples clip to full scale instead of wrapping round to the other sign.
    EXPECT_EQ(s[4], 32767);
    EXPECT_EQ(s[5], -32767);
    EXPECT_EQ(s[6], -8192);
    SDL_FreeWAV(buf);
    std::filesystem::remove(path);

    // Mono, and an empty file is still a valid wave.
    synth::writeWav(path, {}, 1);
    ASSERT_NE(SDL_LoadWAV(path.c_str(), &audio, &buf, &len), nullptr) << SDL_GetError();
    EXPECT_EQ(audio.channels, 1);
    EXPECT_EQ(len, 0u);
    SDL_FreeWAV(buf);
    std::filesystem::remove(path);
}

TEST(Synth, LevelsAndFades) {
    std::vector<float> s(1000);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<float>(0.3 * std::sin(i * 0.1));
    synth::normalise(s, -6.0);
    double peak = 0;
    for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
    EXPECT_NEAR(peak, std::pow(10.0, -6.0 / 20.0), 1e-4);

    // Silence stays silence: no division by a zero peak.
    std::vector<float> quiet(100, 0.f);
    synth::normalise(quiet, -3.0);
    for (float v : quiet) EXPECT_EQ(v, 0.f);

    // Fades end on zero at both sides, also when the sound is shorter than the fades.
    std::vector<float> loud(2000, 0.8f);
    synth::fadeEnds(loud);
    EXPECT_EQ(loud.front(), 0.f);
    EXPECT_EQ(loud.back(), 0.f);
    EXPECT_FLOAT_EQ(loud[1000], 0.8f);
    std::vector<float> tiny(5, 0.8f);
    synth::fadeEnds(tiny);
    EXPECT_EQ(tiny.front(), 0.f);
    EXPECT_EQ(tiny.back(), 0.f);
}

TEST(Synth, EnvelopesNeverJumpWhenTheGateCloses) {
    struct Case {
        double a, d, s, r, hold;
    };
    // Release after sustain, during decay, and during the attack itself.
    const Case cases[] = {{0.01, 0.1, 0.6, 0.2, 0.5}, {0.01, 0.3, 0.5, 0.1, 0.1}, {0.2, 0.1, 0.7, 0.1, 0.05}};
    for (const Case& c : cases) {
        const double before = synth::envADSR(c.hold - 1e-6, c.a, c.d, c.s, c.r, c.hold);
        const double after = synth::envADSR(c.hold + 1e-6, c.a, c.d, c.s, c.r, c.hold);
        EXPECT_NEAR(before, after, 1e-3) << "hold " << c.hold;
        EXPECT_LT(synth::envADSR(c.hold + 10 * c.r, c.a, c.d, c.s, c.r, c.hold), 1e-3);
    }
    EXPECT_EQ(synth::envADSR(-0.1, 0.01, 0.1, 0.5, 0.1, 1.0), 0.0);
    // The attack-decay envelope fades to nothing before its end instead of stopping dead.
    EXPECT_LT(synth::envAD(0.4999, 0.01, 10.0, 0.5), 0.02);
    EXPECT_EQ(synth::envAD(0.5, 0.01, 10.0, 0.5), 0.0);
    EXPECT_NEAR(synth::envAD(0.01, 0.01, 10.0, 0.5), 1.0, 1e-9);
}

TEST(Synth, FiltersPassAndStopTheRightBands) {
    EXPECT_GT(gainAt(synth::Biquad::lowpass(1000), 100), 0.95);
    EXPECT_LT(gainAt(synth::Biquad::lowpass(1000), 8000), 0.05);
    EXPECT_LT(gainAt(synth::Biquad::highpass(7000), 500), 0.02);
    EXPECT_GT(gainAt(synth::Biquad::highpass(7000), 15000), 0.8);
    const synth::Biquad band = synth::Biquad::bandpass(1800, 2.0);
    EXPECT_GT(gainAt(band, 1800), 0.9);
    EXPECT_LT(gainAt(band, 200), 0.2);
    EXPECT_LT(gainAt(band, 12000), 0.2);
    // Cut-offs beyond what the rate can carry are clamped, not turned into an unstable filter.
    EXPECT_LT(gainAt(synth::Biquad::lowpass(40000), 1000), 1.1);
    EXPECT_NEAR(synth::noteHz(69), 440.0, 1e-9);
    EXPECT_NEAR(synth::noteHz(81), 880.0, 1e-9);
}

TEST(Synth, NoiseIsRepeatableCentredAndNeverFallsSilent) {
    synth::Noise a(42), b(42), c(43);
    bool differs = false;
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        const double x = a.next();
        EXPECT_EQ(x, b.next());
        differs |= x != c.next();
        ASSERT_GE(x, -1.0);
        ASSERT_LT(x, 1.0);
        sum += x;
    }
    EXPECT_TRUE(differs);
    EXPECT_NEAR(sum / 20000, 0.0, 0.03);

    // The one seed whose scrambled state is zero would leave a xorshift stuck at zero for ever.
    std::uint32_t inverse = 747796405u;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 747796405u * inverse;
    const std::uint32_t badSeed = (0u - 2891336453u) * inverse;
    ASSERT_EQ(badSeed * 747796405u + 2891336453u, 0u);
    synth::Noise stuck(badSeed);
    double energy = 0;
    for (int i = 0; i < 100; ++i) energy += std::fabs(stuck.next());
    EXPECT_GT(energy, 10.0);
}

}  // namespace
