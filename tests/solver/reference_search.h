// A slow, plain reference for the solver's tests: breadth first over every board and figure position.
#pragma once

#include <cstddef>
#include <string_view>

#include "puzzle/level_file.h"

namespace tk::test {

struct ReferenceAnswer {
    bool decided = false;  // false when the state limit was reached
    int shortest = -1;     // actions of the shortest winning plan; -1 when none exists
};

// Plays every action from every reachable position by the game's own rule (applyAction)
// until a turn wins. Shares no code with the solver's search, so the two can be held
// against each other.
ReferenceAnswer referenceShortest(const LevelFile& level, std::size_t maxStates);

// Cells that hold water on a board of the level, by the game's own water.
int wetCells(const TileGrid& board, const LevelFile& level);

// The level as it stands after a player made these actions (a refused one is skipped;
// the caller passes actions a plan allows): the board turned, the figure moved.
LevelFile afterActions(const LevelFile& level, std::string_view actions);

}  // namespace tk::test
