// The level generator: grows a wet pipe network, scrambles it by a walk of the figure, and checks it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "puzzle/level_file.h"

namespace tk {

// splitmix64: the same numbers on every machine and library, unlike std::random_device
// or the standard distributions.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // A number in 0..n-1 (n > 0); the tiny modulo bias does not matter for levels.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

struct GenerateOptions {
    std::uint64_t seed = 1;
    int pipes = 20;          // cells of the pipe network, 1..77; the rest is floor
    int scramble = 8;        // turning stops of the figure's walk that mixes the board
    std::string titleCs = "Nová úroveň";
    std::string titleEn = "New level";
    int background = 0;      // 1..7; 0 picks one from the seed
    std::string next = "end";
    int time = 0;            // seconds; 0 picks a limit from the solver's plan
    std::size_t solverStates = 300000;  // the check's budget, in states, so it is repeatable
};

struct Generated {
    bool ok = false;
    std::string error;         // when not ok
    LevelFile level;
    std::string plan;          // the solver's plan for `level`
};

Generated generateLevel(const GenerateOptions& options);

// A time limit a person can live with: a minute to look, five seconds per action of the
// solver's plan (a person rarely finds its way at once) and two per pipe to take in,
// never under twice the plan's play time, in whole half minutes, at most ten minutes.
// Returns 0 when even twice the plan's play time exceeds ten minutes.
int suggestedTimeLimit(std::string_view plan, int pipes);

}  // namespace tk
