// The level generator: grows a wet pipe network, turns some pipes out of place, and measures the result against a difficulty band.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "puzzle/level_file.h"
#include "puzzle/rating.h"

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

enum class Difficulty { Any, Easy, Medium, Hard, Expert };

// The name used on the command line ("easy" ...), and back; Any for an unknown name.
const char* difficultyName(Difficulty d);
Difficulty difficultyNamed(std::string_view name);

// What a level of each difficulty must measure (see rateLevel): a score band, and the
// rules every level above easy keeps (no win in two actions or fewer), and hard and
// expert keep (the naive and the exploring player lose, and no more than 70 % of the plan
// is walking).
struct DifficultyBand {
    double minScore = 0, maxScore = 1e9;
    int minActions = 1;          // the shortest plan found has at least this many actions
    bool naiveLoses = false;     // the naive player and the exploring player must lose
    int maxWalkPercent = 100;    // the share of the plan's actions that are steps, at most
    int minPipes = 1, maxPipes = 77;  // the network's size when --pipes is not given
    int scramble = 1;  // pipes turned out of place at first, when --scramble is not given
};
DifficultyBand bandOf(Difficulty d);

struct GenerateOptions {
    std::uint64_t seed = 1;
    Difficulty difficulty = Difficulty::Any;  // Any: no band, just a solvable level
    int pipes = 0;           // cells of the pipe network, 2..77; 0 picks from the band (Any: 20)
    int scramble = 0;        // pipes turned out of place; 0 picks from the band (Any: 6)
    std::string titleCs = "Nová úroveň";
    std::string titleEn = "New level";
    int background = 0;      // 1..7; 0 picks one from the seed
    std::string next = "end";
    int time = 0;            // seconds; 0 picks a limit from the plan and the difficulty
    std::size_t solverStates = 100000;  // the solver's budget for each try, in states
    // A level that seems to meet the band is measured again with rate's own budget, so
    // that `rate` finds the score that was met.
    std::size_t rateStates = RateOptions{}.maxStates;
    int maxTries = 200;      // tries with each seed
    int seeds = 4;           // seeds tried in turn: seed, seed + 1, ...
};

struct Generated {
    bool ok = false;
    std::string error;         // when not ok: why, and nothing is to be written
    LevelFile level;
    std::array<std::string, kRows> solution;  // the network as grown, before any pipe was turned
    std::string plan;          // the shortest plan found for `level`
    Rating rating;             // its measures (with rateStates, when a band was asked for)
    std::uint64_t seed = 0;    // the seed that made it
    int tries = 0;
};

Generated generateLevel(const GenerateOptions& options);

// A time limit a person can live with: half a minute and half a second per pipe to read
// the board, six seconds per quarter turn of the plan, half a minute more when the level
// needs thought (the naive player loses), in whole ten seconds; never under a minute or
// twice the plan's play time, never over twenty times the shortest plan's play time (when
// that is over a minute) or ten minutes. Whatever those caps say, the reading time stays:
// never under half a minute, half a second per pipe and three seconds per quarter turn,
// rounded up to ten seconds. `lowerBound`, when above 0, is the fewest actions any plan
// can have where the plan is not proven the shortest: the caps then count those. Returns
// 0 when twice the plan's play time exceeds ten minutes.
int suggestedTimeLimit(std::string_view plan, int pipes, bool needsThought = false, int lowerBound = 0);

}  // namespace tk
