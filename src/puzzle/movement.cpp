// The step test: the figure only walks where two pipes join across their common side.
#include "puzzle/movement.h"

namespace tk {

bool canStep(const TileGrid& board, int x, int y, Direction d) {
    const int nx = x + dirDx(d), ny = y + dirDy(d);
    // The border ring makes every neighbour of a play-area cell a real cell; a caller
    // that strays further gets a refusal rather than a read outside the grid.
    if (!TileGrid::Contains(x, y) || !TileGrid::Contains(nx, ny)) return false;
    return opensToward(board(x, y), d) && opensToward(board(nx, ny), opposite(d));
}

}  // namespace tk
