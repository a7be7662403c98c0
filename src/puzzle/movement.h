// Whether the figure may step from a cell to a neighbour: the two pipes must join.
#pragma once

#include "puzzle/board.h"

namespace tk {

// True when the tile at (x, y) opens toward `smer` and the neighbour opens back;
// false for every code outside 0..3. (x, y) lies in the play area.
bool lzeTam(const TileGrid& board, int x, int y, int smer);

}  // namespace tk
