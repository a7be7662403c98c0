// A breadth-first search over the cells the figure can reach, backwards from the goal so
// that the walk can be read off forwards with the preferred step first.
#include "puzzle/walk.h"

#include <deque>

#include "puzzle/movement.h"

namespace tk {

std::optional<std::vector<Direction>> shortestWalk(const TileGrid& board, Cell from, Cell to) {
    if (!InPlayArea(to.x, to.y) || !TileGrid::Contains(from.x, from.y)) return std::nullopt;
    // Steps from every cell to the goal; -1 where it cannot be reached. A step joins both
    // ways, so searching out from the goal finds the cells that can walk to it.
    Grid<int> distance;
    distance.Fill(-1);
    constexpr Direction kOrder[] = {Direction::Left, Direction::Up, Direction::Right, Direction::Down};

    std::deque<Cell> queue{to};
    distance(to.x, to.y) = 0;
    while (!queue.empty()) {
        const Cell c = queue.front();
        queue.pop_front();
        if (c == from) break;
        for (Direction d : kOrder) {
            const Cell n{c.x + dirDx(d), c.y + dirDy(d)};
            if (!canStep(board, c.x, c.y, d) || distance(n.x, n.y) >= 0) continue;
            distance(n.x, n.y) = distance(c.x, c.y) + 1;
            queue.push_back(n);
        }
    }
    if (distance(from.x, from.y) < 0) return std::nullopt;

    std::vector<Direction> steps;
    for (Cell c = from; !(c == to);) {
        for (Direction d : kOrder) {
            const Cell n{c.x + dirDx(d), c.y + dirDy(d)};
            if (canStep(board, c.x, c.y, d) && distance(n.x, n.y) == distance(c.x, c.y) - 1) {
                steps.push_back(d);
                c = n;
                break;
            }
        }
    }
    return steps;
}

}  // namespace tk
