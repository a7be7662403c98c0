// A tiny synthesizer shared by the sound-effect and music tools: oscillators, envelopes, filters, WAV output.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace synth {

constexpr int kRate = 44100;
constexpr double kTau = 6.283185307179586;

inline double noteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// Deterministic white noise in -1..1.
class Noise {
public:
    // A xorshift state of 0 would stay 0 for ever: silence instead of noise.
    explicit Noise(std::uint32_t seed) : s_(seed * 747796405u + 2891336453u) {
        if (s_ == 0) s_ = 0x9E3779B9u;
    }
    double next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return (s_ & 0xFFFFFF) / double(0x800000) - 1.0;
    }

private:
    std::uint32_t s_;
};

// Second-order filter (RBJ cookbook forms).
class Biquad {
public:
    static Biquad lowpass(double hz, double q = 0.707) { return make(hz, q, 0); }
    static Biquad highpass(double hz, double q = 0.707) { return make(hz, q, 1); }
    static Biquad bandpass(double hz, double q = 1.0) { return make(hz, q, 2); }
    double run(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }
    // Retune without losing state, for sweeps.
    void retune(double hz, double q, int kind) { *this = withState(make(hz, q, kind)); }

private:
    static Biquad make(double hz, double q, int kind) {
        Biquad f;
        hz = std::clamp(hz, 10.0, kRate * 0.45);
        const double w = kTau * hz / kRate, cw = std::cos(w), alpha = std::sin(w) / (2 * q);
        double b0, b1, b2;
        if (kind == 0) {
            b0 = (1 - cw) / 2, b1 = 1 - cw, b2 = (1 - cw) / 2;
        } else if (kind == 1) {
            b0 = (1 + cw) / 2, b1 = -(1 + cw), b2 = (1 + cw) / 2;
        } else {
            b0 = alpha, b1 = 0, b2 = -alpha;
        }
        const double a0 = 1 + alpha;
        f.b0_ = b0 / a0, f.b1_ = b1 / a0, f.b2_ = b2 / a0, f.a1_ = -2 * cw / a0, f.a2_ = (1 - alpha) / a0;
        return f;
    }
    Biquad withState(Biquad f) const {
        f.x1_ = x1_, f.x2_ = x2_, f.y1_ = y1_, f.y2_ = y2_;
        return f;
    }
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Attack, then exponential decay with the given time constant; a short release at `len`.
inline double envAD(double t, double attack, double decay, double len = 1e9) {
    if (t < 0 || t >= len) return 0;
    double e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    const double rel = 0.01;
    if (len - t < rel) e *= (len - t) / rel;
    return e;
}

// Attack-decay-sustain-release, gate closes at `hold`.
inline double envADSR(double t, double a, double d, double s, double r, double hold) {
    if (t < 0) return 0;
    double level;
    if (t < a)
        level = t / a;
    else if (t < a + d)
        level = 1 - (1 - s) * (t - a) / d;
    else
        level = s;
    if (t > hold) {
        const double at = std::min(hold, a + d + 1e9);
        const double held = at < a ? at / a : (at < a + d ? 1 - (1 - s) * (at - a) / d : s);
        level = held * std::exp(-(t - hold) / r);
    }
    return level;
}

// Mono or stereo 16-bit PCM.
inline void writeWav(const std::string& path, const std::vector<float>& samples, int channels) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    auto u32 = [&](std::uint32_t v) {
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [&](std::uint16_t v) {
        unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(static_cast<std::uint16_t>(channels));
    u32(kRate);
    u32(static_cast<std::uint32_t>(kRate * channels * 2));
    u16(static_cast<std::uint16_t>(channels * 2));
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(static_cast<double>(s), -1.0, 1.0) * 32767.0);
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    std::fclose(f);
}

// Scales so the loudest sample sits at `peakDb` below full scale.
inline void normalise(std::vector<float>& s, double peakDb) {
    double peak = 0;
    for (float v : s) peak = std::max(peak, static_cast<double>(std::fabs(v)));
    if (peak <= 0) return;
    const double k = std::pow(10.0, peakDb / 20.0) / peak;
    for (float& v : s) v = static_cast<float>(v * k);
}

// Short fades at both ends so an effect never starts or stops with a click.
inline void fadeEnds(std::vector<float>& s, double inSec = 0.002, double outSec = 0.01) {
    const std::size_t in = static_cast<std::size_t>(inSec * kRate), out = static_cast<std::size_t>(outSec * kRate);
    for (std::size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<float>(i) / in;
    for (std::size_t i = 0; i < out && i < s.size(); ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

}  // namespace synth
