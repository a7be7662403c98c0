// The music generator: a small sequencer and synthesizer that renders the game's looping tune to a WAV file.
//
//   music OUT.wav        (tools/music/make.sh encodes it to MP3 with lame)
//
// The piece is rendered twice in a row and the second pass is kept: every tail of the
// end (notes ringing on, the reverb) is then already mixed into the start, so the loop
// seam is as continuous as any other moment of the tune.
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../sound/synth.h"

using namespace synth;

namespace {

constexpr double kBpm = 120.0;
constexpr double kEighth = 60.0 / kBpm / 2.0;
constexpr int kBars = 32;
constexpr double kBar = kEighth * 8;
constexpr double kLoop = kBars * kBar;  // 64 s

enum Inst { kKalimba, kWhistle, kPiano, kPad, kBass, kKick, kSnare, kHat, kOpenHat };

struct Note {
    double start, dur, midi, vel, pan;
    Inst inst;
};

std::vector<Note> score;

void add(Inst inst, double start, double dur, double midi, double vel, double pan) {
    score.push_back({start, dur, midi, vel, pan, inst});
}

// "C5", "F#4", "Bb3" to MIDI numbers.
int midiOf(const std::string& name) {
    static const std::map<char, int> base = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    int n = base.at(name[0]);
    std::size_t i = 1;
    if (name[i] == '#') ++n, ++i;
    else if (name[i] == 'b') --n, ++i;
    return n + 12 * (std::stoi(name.substr(i)) + 1);
}

// A melody line of "NOTE:EIGHTHS" tokens ("r" rests), starting at bar `bar`.
void line(Inst inst, int bar, const std::string& text, double vel, double pan, int transpose = 0) {
    std::istringstream in(text);
    std::string tok;
    double t = bar * kBar;
    while (in >> tok) {
        const auto colon = tok.find(':');
        const std::string name = tok.substr(0, colon);
        const int eighths = std::stoi(tok.substr(colon + 1));
        if (name != "r") add(inst, t, eighths * kEighth, midiOf(name) + transpose, vel, pan);
        t += eighths * kEighth;
    }
}

// Chords of the tune, two halves per bar (the same chord twice for a whole bar).
struct Chord {
    int root;           // MIDI of the bass root, octave 2
    int tones[3];       // chord tones for the keys, around middle C
};
const std::map<std::string, Chord> kChords = {
    {"C", {36, {60, 64, 67}}},  {"Am", {45, {57, 60, 64}}}, {"F", {41, {57, 60, 65}}}, {"G", {43, {55, 59, 62}}},
    {"Dm", {38, {57, 62, 65}}}, {"Em", {40, {55, 59, 64}}}, {"G7", {43, {55, 59, 65}}},
};
const char* kProgression[kBars][2] = {
    // A
    {"C", "C"}, {"Am", "Am"}, {"F", "F"}, {"G", "G"}, {"C", "C"}, {"Am", "Am"}, {"Dm", "G"}, {"C", "C"},
    // B
    {"F", "F"}, {"G", "G"}, {"Em", "Em"}, {"Am", "Am"}, {"Dm", "Dm"}, {"G", "G"}, {"C", "C"}, {"G7", "G7"},
    // A again
    {"C", "C"}, {"Am", "Am"}, {"F", "F"}, {"G", "G"}, {"C", "C"}, {"Am", "Am"}, {"Dm", "G"}, {"C", "C"},
    // Bridge, turning back to the start
    {"Am", "Am"}, {"F", "F"}, {"C", "C"}, {"G", "G"}, {"Am", "Am"}, {"F", "F"}, {"Dm", "Dm"}, {"G", "G"},
};

const std::string kMelodyA[8] = {
    "G4:1 C5:1 E5:2 D5:1 C5:1 E5:2", "A5:3 G5:1 E5:2 C5:2",         "F5:2 A5:1 G5:1 F5:2 E5:1 D5:1",
    "D5:3 E5:1 D5:2 B4:2",           "G4:1 C5:1 E5:2 D5:1 C5:1 G5:2", "A5:2 C6:2 B5:1 A5:1 G5:2",
    "F5:2 A5:1 F5:1 D5:2 B4:2",      "C5:6 r:2",
};
const std::string kMelodyB[8] = {
    "A4:1 C5:1 F5:2 F5:1 E5:1 F5:2", "G5:2 D5:2 B4:2 D5:2",         "E5:2 G5:1 B5:1 G5:2 E5:2",
    "A5:3 G5:1 E5:2 C5:2",           "D5:1 E5:1 F5:2 A5:2 F5:2",     "G5:1 F5:1 E5:1 D5:1 B4:2 G4:2",
    "C5:2 E5:2 G5:2 C6:2",           "B5:3 A5:1 G5:2 D5:2",
};
const std::string kMelodyBridge[8] = {
    "E5:4 C5:2 E5:2", "F5:4 A5:2 F5:2",      "G5:4 E5:2 C5:2", "D5:6 r:2",
    "E5:2 A5:2 C6:2 B5:2", "A5:4 F5:2 A5:2", "F5:2 E5:2 D5:2 F5:2", "G5:2 F5:1 E5:1 D5:2 B4:1 G4:1",
};
// A counter-line a third or sixth under the tune for the second A.
const std::string kHarmonyA[8] = {
    "r:2 C5:2 B4:1 A4:1 C5:2", "E5:3 E5:1 C5:2 A4:2",      "C5:2 F5:1 E5:1 C5:2 C5:1 A4:1",
    "B4:3 C5:1 B4:2 G4:2",      "r:2 C5:2 B4:1 A4:1 E5:2", "E5:2 A5:2 G5:1 E5:1 E5:2",
    "D5:2 F5:1 D5:1 B4:2 G4:2", "G4:6 r:2",
};

void compose() {
    for (int b = 0; b < 8; ++b) {
        line(kKalimba, b, kMelodyA[b], 0.9, 0.1);
        line(kKalimba, 8 + b, kMelodyB[b], 0.9, 0.1);
        line(kWhistle, 8 + b, kMelodyB[b], 0.35, -0.35, -12);
        line(kKalimba, 16 + b, kMelodyA[b], 0.9, 0.1);
        line(kWhistle, 16 + b, kHarmonyA[b], 0.45, -0.4);
        line(kWhistle, 24 + b, kMelodyBridge[b], 0.8, 0.0);
        line(kKalimba, 24 + b, kMelodyBridge[b], 0.45, 0.3, 12);
    }

    for (int bar = 0; bar < kBars; ++bar) {
        const bool bridge = bar >= 24;
        for (int half = 0; half < 2; ++half) {
            const Chord& c = kChords.at(kProgression[bar][half]);
            const double t = bar * kBar + half * 4 * kEighth;
            // Bass: root, a bounce to the octave, the fifth.
            add(kBass, t, 2 * kEighth * 0.9, c.root, 0.9, 0.0);
            add(kBass, t + 2 * kEighth, kEighth * 0.8, c.root + 12, 0.6, 0.0);
            add(kBass, t + 3 * kEighth, kEighth * 0.8, c.root + 7, 0.7, 0.0);
            if (bridge) {
                // The bridge holds its chords: a soft pad instead of the off-beat keys.
                if (half == 0)
                    for (int tone : c.tones) add(kPad, t, 8 * kEighth, tone, 0.5, 0.0);
            } else {
                for (int k = 0; k < 2; ++k)
                    for (int tone : c.tones) add(kPiano, t + (2 * k + 1) * kEighth, kEighth * 0.7, tone, 0.45, -0.3);
            }
        }
        // Drums.
        const double t = bar * kBar;
        add(kKick, t, 0.3, 0, 1.0, 0.0);
        if (!bridge) add(kKick, t + 4 * kEighth, 0.3, 0, 0.9, 0.0);
        if (bar % 4 == 3 && !bridge) add(kKick, t + 7 * kEighth, 0.3, 0, 0.6, 0.0);
        if (bridge) {
            add(kSnare, t + 4 * kEighth, 0.3, 0, 0.8, 0.05);
        } else {
            add(kSnare, t + 2 * kEighth, 0.3, 0, 0.8, 0.05);
            add(kSnare, t + 6 * kEighth, 0.3, 0, 0.8, 0.05);
        }
        for (int e = 0; e < 8; ++e) {
            const bool open = !bridge && e == 7 && bar % 2 == 1;
            add(open ? kOpenHat : kHat, t + e * kEighth, 0.1, 0, (e % 2) ? 0.55 : 0.35, 0.3);
        }
    }
    // A snare roll at the end of the bridge hands over to the start of the tune.
    const double fill = (kBars - 1) * kBar + 6 * kEighth;
    for (int k = 0; k < 4; ++k) add(kSnare, fill + k * kEighth / 2, 0.2, 0, 0.35 + 0.12 * k, 0.05);
}

// ---- voices -------------------------------------------------------------------

struct Voice {
    double tail;  // seconds the voice rings on after its note
    bool reverb;
};

Voice voiceOf(Inst i) {
    switch (i) {
        case kKalimba: return {0.9, true};
        case kWhistle: return {0.2, true};
        case kPiano: return {0.35, true};
        case kPad: return {0.8, true};
        case kBass: return {0.08, false};
        case kKick: return {0.0, false};
        case kSnare: return {0.0, true};
        case kHat: return {0.0, false};
        case kOpenHat: return {0.0, false};
    }
    return {0, false};
}

// One sample of a note at time t after its start.
class NoteSynth {
public:
    explicit NoteSynth(const Note& n, std::uint32_t seed)
        : n_(n), hz_(noteHz(n.midi)), noise_(seed), hp_(Biquad::highpass(7000, 0.7)),
          bp_(Biquad::bandpass(1800, 0.8)), lp_(Biquad::lowpass(1400, 0.6)) {}

    double at(double t) {
        const double d = n_.dur;
        switch (n_.inst) {
            case kKalimba: {
                const double e = envAD(t, 0.004, 0.45) * 0.75 + 0.25 * envADSR(t, 0.004, 0.1, 0.6, 0.15, d);
                const double rel = t > d ? std::exp(-(t - d) / 0.18) : 1.0;
                const double mod = 1.1 * std::exp(-t / 0.08) * std::sin(kTau * hz_ * 3.0 * t);
                return 0.30 * e * rel * (std::sin(kTau * hz_ * t + mod) + 0.18 * std::sin(kTau * hz_ * 2 * t));
            }
            case kWhistle: {
                const double vib = t > 0.15 ? 0.004 * std::sin(kTau * 5.5 * t) * std::min(1.0, (t - 0.15) / 0.2) : 0;
                phase_ += kTau * hz_ * (1 + vib) / kRate;
                const double e = envADSR(t, 0.05, 0.1, 0.8, 0.07, d);
                return 0.22 * e * (std::sin(phase_) + 0.08 * std::sin(2 * phase_) + 0.01 * noise_.next());
            }
            case kPiano: {
                const double e = envADSR(t, 0.003, 0.15, 0.35, 0.08, d);
                const double mod = 1.4 * std::exp(-t / 0.12) * std::sin(kTau * hz_ * t);
                return 0.11 * e * std::sin(kTau * hz_ * t + mod);
            }
            case kPad: {
                const double e = envADSR(t, 0.35, 0.4, 0.7, 0.35, d);
                double v = 0;
                for (int h = 1; h <= 7; ++h) {
                    const double det = 1.0 + 0.0025 * std::sin(0.7 * t + h);
                    v += std::sin(kTau * hz_ * h * det * t) / (h * h * 0.8 + 0.2);
                }
                return 0.06 * e * v;
            }
            case kBass: {
                const double e = envADSR(t, 0.006, 0.12, 0.6, 0.03, d);
                const double tri = 2.0 / 3.14159 * std::asin(std::sin(kTau * hz_ * t));
                return 0.34 * e * (std::sin(kTau * hz_ * t) + 0.35 * tri);
            }
            case kKick: {
                phase_ += kTau * (48 + 90 * std::exp(-t / 0.03)) / kRate;
                return 0.55 * std::exp(-t / 0.16) * std::sin(phase_) * (t < 0.002 ? t / 0.002 : 1.0);
            }
            case kSnare: {
                const double x = noise_.next();
                const double body = std::exp(-t / 0.05) * std::sin(kTau * 190 * t);
                return 0.22 * (bp_.run(x) * 1.6 * std::exp(-t / 0.11) + 0.5 * body);
            }
            case kHat:
                return 0.10 * hp_.run(noise_.next()) * std::exp(-t / 0.025);
            case kOpenHat:
                return 0.08 * hp_.run(noise_.next()) * std::exp(-t / 0.12);
        }
        return 0;
    }

private:
    Note n_;
    double hz_, phase_ = 0;
    Noise noise_;
    Biquad hp_, bp_, lp_;
};

// A small plate-like reverb: parallel combs into series all-passes, one set per side.
class Reverb {
public:
    explicit Reverb(int spread) {
        const int combs[4] = {1557, 1617, 1491, 1422};
        const int alls[2] = {225, 556};
        for (int c : combs) comb_.push_back(Line(c + spread));
        for (int a : alls) all_.push_back(Line(a + spread));
    }
    double run(double x) {
        double out = 0;
        for (Line& c : comb_) {
            const double y = c.buf[c.pos];
            c.store = y * 0.8 + c.store * 0.2;  // damping
            c.buf[c.pos] = x + c.store * 0.8;
            c.pos = (c.pos + 1) % c.buf.size();
            out += y;
        }
        out *= 0.25;
        for (Line& a : all_) {
            const double b = a.buf[a.pos];
            a.buf[a.pos] = out + b * 0.5;
            a.pos = (a.pos + 1) % a.buf.size();
            out = b - out * 0.5;
        }
        return out;
    }

private:
    struct Line {
        explicit Line(int n) : buf(static_cast<std::size_t>(n), 0.0) {}
        std::vector<double> buf;
        std::size_t pos = 0;
        double store = 0;
    };
    std::vector<Line> comb_, all_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: music OUT.wav\n");
        return 2;
    }
    compose();
    const std::size_t loopLen = static_cast<std::size_t>(std::llround(kLoop * kRate));
    const std::size_t total = 2 * loopLen;
    std::vector<double> left(total, 0), right(total, 0), send(total, 0);

    // Two passes of the score; notes of the second pass that would ring past its end belong
    // to a third pass's start, which the first pass's tails already stand for.
    std::uint32_t seed = 1;
    for (int pass = 0; pass < 2; ++pass)
        for (const Note& n : score) {
            const Voice v = voiceOf(n.inst);
            const double startSec = n.start + pass * kLoop;
            const std::size_t s0 = static_cast<std::size_t>(std::llround(startSec * kRate));
            const double len = n.dur + v.tail + (n.inst >= kKick ? 0.35 : 0.0);
            const std::size_t count = static_cast<std::size_t>(len * kRate);
            NoteSynth syn(n, seed++);
            const double gl = std::sqrt(0.5 * (1 - n.pan)), gr = std::sqrt(0.5 * (1 + n.pan));
            for (std::size_t i = 0; i < count && s0 + i < total; ++i) {
                const double x = n.vel * syn.at(static_cast<double>(i) / kRate);
                left[s0 + i] += x * gl;
                right[s0 + i] += x * gr;
                if (v.reverb) send[s0 + i] += x;
            }
        }

    Reverb revL(0), revR(23);
    std::vector<float> out;
    out.reserve(loopLen * 2);
    double peak = 0;
    std::vector<double> mixL(loopLen), mixR(loopLen);
    for (std::size_t i = 0; i < total; ++i) {
        const double wl = revL.run(send[i] * 0.5), wr = revR.run(send[i] * 0.5);
        if (i < loopLen) continue;
        const double l = left[i] + 0.30 * wl, r = right[i] + 0.30 * wr;
        mixL[i - loopLen] = l;
        mixR[i - loopLen] = r;
        peak = std::max({peak, std::fabs(l), std::fabs(r)});
    }
    const double gain = 0.72 / peak;  // under -3 dBFS: the effects must stay audible over it
    for (std::size_t i = 0; i < loopLen; ++i) {
        out.push_back(static_cast<float>(mixL[i] * gain));
        out.push_back(static_cast<float>(mixR[i] * gain));
    }
    writeWav(argv[1], out, 2);
    return 0;
}
