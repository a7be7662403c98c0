// A player who never plans: the yardstick for whether a level needs thought.
#pragma once

#include <string>

#include "puzzle/level_file.h"

namespace tk {

struct NaivePlay {
    bool won = false;
    std::string plan;  // what it did, in plan letters; wins at its last action when won
};

// The naive player looks at one pipe at a time and no further: for every pipe the
// figure can walk to and every other way that pipe could point, it sees what the water
// would do. It turns the pipe that way which leaves the most cells wet, if that is more
// than are wet now (or wins); failing that, the one that lets the figure walk to the
// most cells, if that is more than now. Ties go to the fewer actions (steps there plus
// quarter turns), then to the pipe first in reading order, then to the way first in
// the order of the quarter-turn cycle. It walks there by a shortest way and turns the
// shorter way round (clockwise for a half turn). It loses when no pipe helps, when a
// board and figure position come back, or after `maxActions` actions.
NaivePlay playNaively(const LevelFile& level, int maxActions = 1000);

// The exploring player is the naive player with one more idea and a memory: when no
// turn adds water, it turns the pipe that keeps every wet cell wet and opens the most
// cells to the figure that it could not walk to before, if any (a turn that loses water
// it never makes); and it never makes a turn that brings back a board it has had before,
// taking the next best instead. Ties go as for the naive player. It loses when no turn
// is left to make, or after `maxActions` actions.
NaivePlay playExploring(const LevelFile& level, int maxActions = 1000);

}  // namespace tk
