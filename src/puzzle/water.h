// Water spreading from the source through joined pipes, and the win test.
#pragma once

#include <functional>

#include "puzzle/board.h"

namespace tk {

// Spreads the water from (sourceX, sourceY) in passes and brings `flow` of every
// play-area cell up to date (1 wet, 0 dry), calling `changed(x, y)` right after each
// cell whose value changed, column by column (x 0..10, within it y 0..6). Returns
// true when every play-area cell other than "L" is wet. A source outside the play
// area wets nothing.
bool spreadWater(const TileGrid& board, FlowGrid& flow, int sourceX, int sourceY,
                 const std::function<void(int x, int y)>& changed = {});

}  // namespace tk
