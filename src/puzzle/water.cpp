// Water spreading from the source, pass by pass, and the win test.
#include "puzzle/water.h"

namespace tk {

namespace {

// How far the water's spreading has got with a cell: not reached, reached in the last pass
// (its neighbours are examined in this one), reached in this pass, done.
enum class Reach : std::uint8_t { None, Front, Next, Done };

// Neighbours are examined in this order; it decides nothing about the result but is
// kept so that every evaluation visits cells the same way.
constexpr Direction kExamineOrder[4] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};

}  // namespace

bool spreadWater(const TileGrid& board, FlowGrid& flow, int sourceX, int sourceY,
                 const std::function<void(int x, int y)>& changed) {
    Grid<Reach> reach;
    reach.Fill(Reach::None);
    // The source is wet whatever its letter, even "M" while its tile is being turned.
    // A source off the field wets nothing.
    if (InPlayArea(sourceX, sourceY)) reach(sourceX, sourceY) = Reach::Front;

    bool marked = true;
    while (marked) {
        marked = false;
        for (int x = 0; x < kCols; ++x) {
            for (int y = 0; y < kRows; ++y) {
                if (reach(x, y) != Reach::Front) continue;
                reach(x, y) = Reach::Done;
                const char here = board(x, y);
                for (Direction d : kExamineOrder) {
                    const int nx = x + dirDx(d), ny = y + dirDy(d);
                    // The border holds "M" and stops the water by itself; the play-area
                    // test only guards against a board whose ring was overwritten.
                    if (!InPlayArea(nx, ny)) continue;
                    if (opensToward(here, d) && reach(nx, ny) == Reach::None &&
                        opensToward(board(nx, ny), opposite(d))) {
                        reach(nx, ny) = Reach::Next;
                        marked = true;
                    }
                }
            }
        }
        // Cells reached in this pass are examined only in the next one, so the water
        // grows by one step of pipe per pass.
        for (int x = 0; x < kCols; ++x)
            for (int y = 0; y < kRows; ++y)
                if (reach(x, y) == Reach::Next) reach(x, y) = Reach::Front;
    }

    bool unsolved = false;
    for (int x = 0; x < kCols; ++x) {
        for (int y = 0; y < kRows; ++y) {
            Water& f = flow(x, y);
            if (reach(x, y) == Reach::None && f != Water::Dry) {
                f = Water::Dry;
                if (changed) changed(x, y);
            }
            if (reach(x, y) == Reach::Done && f != Water::Wet) {
                f = Water::Wet;
                if (changed) changed(x, y);
            }
            if (board(x, y) != kFloorTile && f == Water::Dry) unsolved = true;
        }
    }
    return !unsolved;
}

}  // namespace tk
