// Levels made for play while the player waits: a level of a band from a seed within a small budget, never an error.
#pragma once

#include <cstdint>

#include "puzzle/generator.h"

namespace tk {

// What the game asks of the generator for one seed: the levels tool's solver budget, with
// fewer tries per seed, so that a seed that gives nothing quickly gives way to the next.
GenerateOptions playOptions(Difficulty band, std::uint64_t seed);

// A level of `band` (never Any) from `seed`. When that seed gives none within its budget
// the seeds after it are tried in turn, so the same seed gives the same level on every
// machine; should a long run of seeds give none, the level is one of no band from the
// first seed that gives any. Always ok; `seed` of the result says which seed made it.
Generated generateForPlay(Difficulty band, std::uint64_t seed);

}  // namespace tk
