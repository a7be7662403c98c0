// Levels made while the player waits: a smaller solver budget and network, a few tries per seed, then the next seed.
#include "puzzle/play_generator.h"

namespace tk {

namespace {

// The solver's budget for each try, in states: some 20 ms of search, where the levels tool
// spends 100,000 and rates again with 1,000,000. A level that needs more is not counted
// solved, and another try or seed comes instead; the band is measured with this budget.
constexpr std::size_t kPlayStates = 20'000;
constexpr int kTriesPerSeed = 5;
// Seeds tried in a band before a level of no band is made; none of a hundred seeds per
// band has come near it (bench/play_generator_bench.cpp).
constexpr int kSeedsInBand = 64;

// The network's size: the band's, but for the two hard bands only its smaller part, where
// a level of the band comes in a few tries within the budget (larger networks mostly
// need more states than it allows).
int pipesFor(Difficulty band, std::uint64_t seed) {
    const DifficultyBand b = bandOf(band);
    int low = b.minPipes, high = b.maxPipes;
    if (band == Difficulty::Hard) high = 34;
    if (band == Difficulty::Expert) high = 40;
    // A stream of its own, so that the generator's own numbers for the seed stay as they are.
    SplitMix64 rng(seed ^ 0x70697065735f706cull);
    return low + rng.Below(high - low + 1);
}

}  // namespace

GenerateOptions playOptions(Difficulty band, std::uint64_t seed) {
    GenerateOptions options;
    options.seed = seed;
    options.difficulty = band;
    options.pipes = band == Difficulty::Any ? 0 : pipesFor(band, seed);
    options.solverStates = kPlayStates;
    options.rateStates = kPlayStates;
    options.maxTries = kTriesPerSeed;
    options.seeds = 1;
    return options;
}

Generated generateForPlay(Difficulty band, std::uint64_t seed) {
    int tries = 0;
    for (int k = 0; k < kSeedsInBand; ++k) {
        Generated made = generateLevel(playOptions(band, seed + static_cast<std::uint64_t>(k)));
        tries += made.tries;
        if (made.ok) {
            made.tries = tries;
            return made;
        }
    }
    // Never seen; a solvable level of no band comes at the first try or so.
    for (std::uint64_t s = seed;; ++s) {
        Generated made = generateLevel(playOptions(Difficulty::Any, s));
        tries += made.tries;
        if (made.ok) {
            made.tries = tries;
            return made;
        }
    }
}

}  // namespace tk
