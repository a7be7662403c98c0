// Helpers for the menu and screen scenarios: keys on the virtual clock, fixture levels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/game_fixture.h"

namespace tk::test {

// Keys are spaced well apart so that each one is dispatched on its own.
inline constexpr std::uint64_t kKeyGap = 100;

// Presses the keys one after another from `at`; returns the time after the last one.
inline std::uint64_t pressAll(HeadlessPlatform& plat, std::uint64_t at, std::initializer_list<Key> keys,
                              int shift = 0) {
    for (Key k : keys) {
        plat.Press(at, k, shift);
        at += kKeyGap;
    }
    return at;
}

// The first time the window was put on screen after `t` (with `t` itself when `from`).
inline std::uint64_t presentedAfter(const HeadlessPlatform& plat, std::uint64_t t, bool from = false) {
    for (const Recorded& r : plat.LogOf("present"))
        if (r.at > t || (from && r.at == t)) return r.at;
    return kNoDeadline;
}

inline int count(const std::vector<std::string>& v, const std::string& what) {
    return static_cast<int>(std::count(v.begin(), v.end(), what));
}

// Sounds recorded in the half-open time window [from, to).
inline std::vector<std::string> soundsBetween(const HeadlessPlatform& plat, std::uint64_t from,
                                              std::uint64_t to) {
    std::vector<std::string> out;
    for (const Recorded& r : plat.LogOf("sound"))
        if (r.at >= from && r.at < to) out.push_back(r.detail);
    return out;
}

// Sound files for every effect, so that each one played is recorded whatever the
// data folder holds.
inline void provideSounds(const ProgramFolder& folder) {
    folder.makeWritable("sound");
    for (const char* name : {"menu", "menumove", "start", "move", "time", "winner", "looser"})
        folder.write(std::string("sound/") + name + ".wav", "RIFF");
}

// A fixture whose sound effects are all recorded.
struct UiFixture : GameFixture {
    explicit UiFixture(HeadlessOptions options = {}) : GameFixture(options) { provideSounds(folder); }
};

// Which menu line is highlighted (-1: no menu shows).
inline int highlightedLine(Program& program) {
    const MenuView& menu = program.view().menu;
    return menu.shown ? menu.highlight : -1;
}

// The five lines of the left column (the options screen's side line is lines[kSideLine]).
inline std::vector<std::string> captions(Program& program) {
    const MenuView& menu = program.view().menu;
    return std::vector<std::string>(std::begin(menu.lines), std::begin(menu.lines) + 5);
}

// A level file in the fixture's levels folder. The board is floor everywhere but the
// source cell (0, 0), which holds a straight pipe and the player: one quarter turn
// there re-evaluates the water and solves the level.
inline void writeLevel(const ProgramFolder& folder, const std::string& name, const std::string& title,
                       int seconds, const std::string& next) {
    std::string text = title + "\r\n" + std::to_string(seconds) + "\r\n";
    text += "FLLLLLLLLLL\r\n";
    for (int row = 1; row < 7; ++row) text += "LLLLLLLLLLL\r\n";
    text += "0,0\r\n0,0\r\n-\r\n1\r\n" + next + "\r\n";
    folder.write("levels/" + name + ".kulap", text);
}

// Holds Ctrl and Right from `at` for `ms`: the pipe under the figure turns clockwise
// as soon as play begins (held keys survive the key flush at the start of a level).
inline void turnPipe(HeadlessPlatform& plat, std::uint64_t at, std::uint64_t ms) {
    plat.KeyDown(at, Key::Control);
    plat.KeyDown(at, Key::Right);
    plat.KeyUp(at + ms, Key::Right);
    plat.KeyUp(at + ms, Key::Control);
}

// Calls `onPlay(attempt, now)` each time play of a level begins (the figure can move),
// watching the virtual clock from `from` to `to`; attempts count from 0 across levels.
inline void watchPlays(HeadlessPlatform& plat, const Program& program, std::uint64_t from, std::uint64_t to,
                       std::function<void(int attempt, std::uint64_t now)> onPlay) {
    // One check pending at a time, each scheduling the next, keeps the script short.
    struct Watch {
        HeadlessPlatform& plat;
        const Program& program;
        std::uint64_t to;
        std::function<void(int, std::uint64_t)> onPlay;
        bool playing = false;
        int attempts = 0;
        void check(std::shared_ptr<Watch> self, std::uint64_t t) {
            const bool now = inPlay(program.play().phase());
            if (now && !playing) onPlay(attempts++, t);
            playing = now;
            if (t + 10 < to) plat.AtIfReached(t + 10, [self, t] { self->check(self, t + 10); });
        }
    };
    auto watch = std::make_shared<Watch>(Watch{plat, program, to, std::move(onPlay)});
    plat.At(from, [watch, from] { watch->check(watch, from); });
}

inline std::vector<std::uint64_t> timesOf(const HeadlessPlatform& plat, const std::string& sound) {
    std::vector<std::uint64_t> out;
    for (const Recorded& r : plat.LogOf("sound"))
        if (r.detail == sound) out.push_back(r.at);
    return out;
}

}  // namespace tk::test
