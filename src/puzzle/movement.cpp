// The step test: the figure only walks where two pipes join across their common side.
#include "puzzle/movement.h"

namespace tk {

bool lzeTam(const TileGrid& board, int x, int y, int smer) {
    if (smer < 0 || smer > 3) return false;
    const int nx = x + dirDx(smer), ny = y + dirDy(smer);
    // The border ring makes every neighbour of a play-area cell a real cell; a caller
    // that strays further gets a refusal rather than a read outside the grid.
    if (!TileGrid::Contains(x, y) || !TileGrid::Contains(nx, ny)) return false;
    return opensToward(board(x, y), smer) && opensToward(board(nx, ny), opposite(smer));
}

}  // namespace tk
