// The figure's walk to a chosen cell: the fewest steps through joined pipes, the preferred
// one of equally short ways, and no way to a cell out of reach or off the board.
#include <gtest/gtest.h>

#include <string>

#include "puzzle/movement.h"
#include "puzzle/walk.h"

namespace tk {
namespace {

// A ring of pipes in the top left corner with a long way and a short way round, and a
// cross beside it that no pipe joins.
TileGrid ring() {
    TileGrid board;
    board.Fill(kBlankTile);
    const std::string rows[] = {"AFFFA", "GLALG", "AFFFA"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) board(x, y) = rows[y][static_cast<std::size_t>(x)];
    return board;
}

constexpr Direction L = Direction::Left, U = Direction::Up, R = Direction::Right, D = Direction::Down;

TEST(Walk, TakesTheFewestStepsAndPrefersLeftUpRightDown) {
    const TileGrid board = ring();
    using Steps = std::vector<Direction>;
    EXPECT_EQ(shortestWalk(board, {0, 0}, {4, 0}), Steps({R, R, R, R})) << "straight, not round the ring";
    EXPECT_EQ(shortestWalk(board, {0, 0}, {4, 2}), Steps({R, R, R, R, D, D})) << "right before down";
    EXPECT_EQ(shortestWalk(board, {4, 2}, {0, 0}), Steps({L, L, L, L, U, U})) << "left before up";
    EXPECT_EQ(shortestWalk(board, {0, 2}, {0, 0}), Steps({U, U}));
    EXPECT_EQ(shortestWalk(board, {3, 0}, {3, 0}), Steps{});
    // Every walk found is one play would allow, step by step.
    Cell at{4, 2};
    const auto walk = shortestWalk(board, at, {1, 0});
    ASSERT_TRUE(walk);
    EXPECT_EQ(walk->size(), 5u);
    for (Direction d : *walk) {
        ASSERT_TRUE(canStep(board, at.x, at.y, d));
        at = {at.x + dirDx(d), at.y + dirDy(d)};
    }
    EXPECT_EQ(at, (Cell{1, 0}));
}

TEST(Walk, FindsNoWayToACellOutOfReachOrOffTheBoard) {
    TileGrid board = ring();
    EXPECT_FALSE(shortestWalk(board, {0, 0}, {2, 1})) << "a cross no pipe joins";
    EXPECT_FALSE(shortestWalk(board, {0, 0}, {8, 5}));
    EXPECT_FALSE(shortestWalk(board, {0, 0}, {kCols, 0}));
    EXPECT_FALSE(shortestWalk(board, {0, 0}, {-1, 0}));
    // A pipe turned across the way cuts the ring: the long way round is all that is left.
    board(2, 0) = 'G';
    EXPECT_EQ(shortestWalk(board, {0, 0}, {4, 0})->size(), 8u);
}

}  // namespace
}  // namespace tk
