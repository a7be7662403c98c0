// Whether the figure may step from a cell to a neighbour: the two pipes must join.
#pragma once

#include "puzzle/board.h"

namespace tk {

// True when the tile at (x, y) opens toward `d` and the neighbour that way opens back.
// (x, y) lies in the play area; anything further out is refused.
bool canStep(const TileGrid& board, int x, int y, Direction d);

}  // namespace tk
