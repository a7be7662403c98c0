// The sound-effect generator: synthesizes the game's seven effects as 16-bit 44.1 kHz WAV files.
//
//   sfx SOUND_DIR
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "synth.h"

using namespace synth;

namespace {

std::vector<float> buffer(double seconds) { return std::vector<float>(static_cast<std::size_t>(seconds * kRate), 0.f); }

// A soft bell: two-operator FM whose brightness fades with the note.
void bell(std::vector<float>& out, double start, double hz, double decay, double amp, double ratio = 2.0,
          double index = 1.6) {
    const std::size_t s0 = static_cast<std::size_t>(start * kRate);
    const double len = decay * 7;
    for (std::size_t i = 0; i < static_cast<std::size_t>(len * kRate) && s0 + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double e = envAD(t, 0.003, decay, len);
        const double mod = index * std::exp(-t / (decay * 0.5)) * std::sin(kTau * hz * ratio * t);
        out[s0 + i] += static_cast<float>(amp * e * std::sin(kTau * hz * t + mod));
    }
}

// A plucked tone with a few harmonics, for warmer notes.
void pluck(std::vector<float>& out, double start, double hz, double decay, double amp) {
    const std::size_t s0 = static_cast<std::size_t>(start * kRate);
    const double len = decay * 7;
    for (std::size_t i = 0; i < static_cast<std::size_t>(len * kRate) && s0 + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double e = envAD(t, 0.004, decay, len);
        double v = 0;
        for (int h = 1; h <= 4; ++h) v += std::sin(kTau * hz * h * t) * std::exp(-t * h * 3.0) / h;
        out[s0 + i] += static_cast<float>(amp * e * v);
    }
}

// Menu accept: two quick bell notes upward.
std::vector<float> menu() {
    auto s = buffer(0.38);
    bell(s, 0.00, noteHz(76), 0.07, 0.6);
    bell(s, 0.06, noteHz(83), 0.09, 0.6);
    return s;
}

// Menu move: a soft, short wooden tick.
std::vector<float> menuMove() {
    auto s = buffer(0.09);
    Noise n(3);
    Biquad bp = Biquad::bandpass(2400, 3.0);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double tone = std::sin(kTau * 1320 * t) * envAD(t, 0.001, 0.012);
        const double click = bp.run(n.next()) * envAD(t, 0.0005, 0.004);
        s[i] = static_cast<float>(0.8 * tone + 0.9 * click);
    }
    return s;
}

// Level start: water rushing in under a rising four-note call.
std::vector<float> start() {
    auto s = buffer(1.0);
    Noise n(5);
    Biquad bp = Biquad::bandpass(400, 1.2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        bp.retune(400 + 2600 * std::pow(std::min(t / 0.6, 1.0), 1.5), 1.2, 2);
        const double e = envADSR(t, 0.15, 0.3, 0.5, 0.15, 0.55);
        s[i] = static_cast<float>(0.35 * bp.run(n.next()) * e);
    }
    const int notes[] = {72, 76, 79, 84};
    for (int k = 0; k < 4; ++k) pluck(s, 0.05 + 0.1 * k, noteHz(notes[k]), k == 3 ? 0.16 : 0.07, 0.28);
    return s;
}

// A quarter turn of a pipe: a ratchet of clicks over a short metallic whoosh.
std::vector<float> move() {
    auto s = buffer(0.24);
    Noise n(7);
    Biquad click = Biquad::bandpass(3000, 4.0);
    Biquad swish = Biquad::bandpass(900, 0.9);
    Biquad soften = Biquad::lowpass(4500);  // keeps the whoosh from hissing
    const double clicks[] = {0.0, 0.055, 0.11, 0.165};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double c = 0;
        for (double at : clicks) c += envAD(t - at, 0.0004, 0.005) * (at == 0.165 ? 1.3 : 1.0);
        const double x = n.next();
        swish.retune(700 + 1800 * t / 0.24, 0.9, 2);
        const double w = soften.run(swish.run(x)) * std::sin(std::min(t / 0.24, 1.0) * 3.14159);
        s[i] = static_cast<float>(click.run(x) * c * 1.6 + 0.45 * w);
        // A low knock of metal on metal as the pipe seats.
        const double knock = envAD(t - 0.165, 0.001, 0.025);
        s[i] += static_cast<float>(0.35 * knock * std::sin(kTau * 180 * (t - 0.165)));
    }
    return s;
}

// Clock warning: a dry tick, a little brighter than the menu's.
std::vector<float> timeTick() {
    auto s = buffer(0.12);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double e = envAD(t, 0.0008, 0.018);
        s[i] = static_cast<float>(e * (0.8 * std::sin(kTau * 1046.5 * t) + 0.35 * std::sin(kTau * 2793 * t)));
    }
    return s;
}

// Solved: a rising major arpeggio opening into a bright held chord.
std::vector<float> winner() {
    auto s = buffer(2.0);
    const int arp[] = {60, 64, 67, 72, 76};
    for (int k = 0; k < 5; ++k) bell(s, 0.09 * k, noteHz(arp[k]), 0.18, 0.3, 2.0, 1.2);
    const int chord[] = {60, 64, 67, 72, 79};
    for (int note : chord) {
        bell(s, 0.5, noteHz(note), 0.35, 0.17, 3.0, 0.8);
        pluck(s, 0.5, noteHz(note - 12), 0.4, 0.10);
    }
    return s;
}

// Time is up: a falling diminished line that sags at its end.
std::vector<float> looser() {
    auto s = buffer(1.9);
    const int line[] = {67, 63, 60};
    for (int k = 0; k < 3; ++k) pluck(s, 0.2 * k, noteHz(line[k]), 0.16, 0.4);
    // The last note droops a semitone and a half as it fades.
    const double t0 = 0.6;
    double phase = 0;
    for (std::size_t i = static_cast<std::size_t>(t0 * kRate); i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate - t0;
        const double hz = noteHz(54 - 1.5 * std::min(t / 1.0, 1.0));
        phase += kTau * hz / kRate;
        const double e = envADSR(t, 0.01, 0.2, 0.6, 0.25, 0.9);
        const double v = std::sin(phase) + 0.4 * std::sin(2 * phase) + 0.2 * std::sin(3 * phase);
        s[i] += static_cast<float>(0.3 * e * v);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sfx SOUND_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Effect {
        const char* name;
        std::vector<float> (*make)();
        double peakDb;  // balanced by ear and by RMS: short ticks sit lower than the fanfares
    };
    const Effect effects[] = {
        {"menu", menu, -11.0},     {"menumove", menuMove, -14.0}, {"start", start, -6.0},
        {"move", move, -9.0},     {"time", timeTick, -10.0},     {"winner", winner, -5.0},
        {"looser", looser, -7.5},
    };
    for (const Effect& e : effects) {
        std::vector<float> s = e.make();
        normalise(s, e.peakDb);
        fadeEnds(s);
        writeWav(dir + "/" + e.name + ".wav", s, 1);
    }
    return 0;
}
