// The way the figure walks to a cell it was sent to: the fewest steps through joined pipes.
#pragma once

#include <optional>
#include <vector>

#include "puzzle/board.h"

namespace tk {

// The steps, in order, of a shortest walk from `from` to `to` that play would allow one
// step at a time (canStep); empty when the two are the same cell, none when `to` cannot
// be reached or lies outside the play area. Of equally short walks, the one whose first
// differing step comes first in the order left, up, right, down.
std::optional<std::vector<Direction>> shortestWalk(const TileGrid& board, Cell from, Cell to);

}  // namespace tk
