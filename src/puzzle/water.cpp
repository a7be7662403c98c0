// Water spreading from the source, pass by pass, and the win test.
#include "puzzle/water.h"

namespace tk {

namespace {

constexpr std::uint8_t reachNone = 0, reachFront = 1, reachNext = 2, reachDone = 3;

// Neighbours are examined in this order; it decides nothing about the result but is
// kept so that every evaluation visits cells the same way.
constexpr Direction kExamineOrder[4] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};

}  // namespace

bool spreadWater(const TileGrid& board, FlowGrid& flow, int sourceX, int sourceY,
                 const std::function<void(int x, int y)>& changed) {
    FlowGrid reach;
    reach.Fill(reachNone);
    // The source is wet whatever its letter, even "M" while its tile is being turned.
    // A source off the field wets nothing.
    if (InPlayArea(sourceX, sourceY)) reach(sourceX, sourceY) = reachFront;

    bool marked = true;
    while (marked) {
        marked = false;
        for (int x = 0; x < kCols; ++x) {
            for (int y = 0; y < kRows; ++y) {
                if (reach(x, y) != reachFront) continue;
                reach(x, y) = reachDone;
                const char here = board(x, y);
                for (Direction d : kExamineOrder) {
                    const int nx = x + dirDx(d), ny = y + dirDy(d);
                    // The border holds "M" and stops the water by itself; the play-area
                    // test only guards against a board whose ring was overwritten.
                    if (!InPlayArea(nx, ny)) continue;
                    if (opensToward(here, d) && reach(nx, ny) == reachNone &&
                        opensToward(board(nx, ny), opposite(d))) {
                        reach(nx, ny) = reachNext;
                        marked = true;
                    }
                }
            }
        }
        // Cells reached in this pass are examined only in the next one, so the water
        // grows by one step of pipe per pass.
        for (int x = 0; x < kCols; ++x)
            for (int y = 0; y < kRows; ++y)
                if (reach(x, y) == reachNext) reach(x, y) = reachFront;
    }

    bool unsolved = false;
    for (int x = 0; x < kCols; ++x) {
        for (int y = 0; y < kRows; ++y) {
            std::uint8_t& f = flow(x, y);
            if (reach(x, y) == reachNone && f != flowDry) {
                f = flowDry;
                if (changed) changed(x, y);
            }
            if (reach(x, y) == reachDone && f != flowWet) {
                f = flowWet;
                if (changed) changed(x, y);
            }
            if (board(x, y) != kFloorTile && f == flowDry) unsolved = true;
        }
    }
    return !unsolved;
}

}  // namespace tk
