// Tiles, quarter turns and the step test, checked against the openings read by direction.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "puzzle/board.h"
#include "puzzle/movement.h"

namespace tk {
namespace {

const std::string kPipes = "ABCDEFGHIJK";

// The openings written out by direction, independently of the per-letter table.
bool opensByDirectionTable(char c, int dir) {
    static const std::string byDir[4] = {"ACDEFHK", "ABDEGHI", "ABCEFIJ", "ABCDGJK"};
    return byDir[dir].find(c) != std::string::npos;
}

TEST(Tiles, OpeningsMatchTheTableReadByDirection) {
    for (int c = 0; c < 256; ++c)
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(opensToward(static_cast<char>(c), d),
                      c != 0 && opensByDirectionTable(static_cast<char>(c), d))
                << "letter " << c << " dir " << d;
    EXPECT_EQ(tileOpenings('L'), 0);
    EXPECT_EQ(tileOpenings('M'), 0);
    EXPECT_EQ(tileOpenings('a'), 0);  // letters are compared exactly
    EXPECT_EQ(tileIndex('A'), 0);
    EXPECT_EQ(tileIndex('K'), 10);
    EXPECT_EQ(tileIndex('M'), 12);
}

TEST(Tiles, QuarterTurnsRotateTheOpenings) {
    for (char c : kPipes) {
        const char cw = quarterTurn(c, true), ccw = quarterTurn(c, false);
        for (int d = 0; d < 4; ++d) {
            // Clockwise: left becomes up, up right, right down, down left.
            EXPECT_EQ(opensToward(cw, (d + 1) % 4), opensToward(c, d)) << c;
            EXPECT_EQ(opensToward(ccw, (d + 3) % 4), opensToward(c, d)) << c;
        }
        EXPECT_EQ(quarterTurn(cw, false), c);
        EXPECT_EQ(quarterTurn(ccw, true), c);
        char r = c;
        for (int i = 0; i < 4; ++i) r = quarterTurn(r, true);
        EXPECT_EQ(r, c);
    }
    EXPECT_EQ(quarterTurn('A', true), 'A');
    EXPECT_EQ(quarterTurn('F', false), 'G');
    EXPECT_EQ(quarterTurn('G', true), 'F');
}

TEST(Tiles, TurningANonPipeChangesNothing) {
    for (char c : std::string("LM a?\0", 6)) {
        EXPECT_EQ(quarterTurn(c, false), c);
        EXPECT_EQ(quarterTurn(c, true), c);
    }
}

TEST(Grids, ResetAndStoreCoverTheBorderRing) {
    TileGrid board;
    FlowGrid flow;
    board.Fill('A');
    flow.Fill(Water::Wet);
    resetGrids(board, flow);
    for (int x = -1; x <= 11; ++x)
        for (int y = -1; y <= 7; ++y) {
            EXPECT_EQ(board(x, y), 'M');
            EXPECT_EQ(flow(x, y), Water::Unset);
        }
    storeCell(board, 0, 0, "");
    EXPECT_EQ(board(0, 0), ' ');
    storeCell(board, 10, 6, "JKL");
    EXPECT_EQ(board(10, 6), 'J');
    // Off the grid: ignored, not a stray write into a neighbouring cell.
    const TileGrid before = board;
    storeCell(board, 12, 0, "A");
    storeCell(board, 0, -2, "A");
    storeCell(board, -2, 7, "A");
    EXPECT_EQ(board, before);
}

TEST(Movement, StepsAreSymmetricOverManyBoards) {
    std::mt19937 rng(20261209);
    const std::string alphabet = "ABCDEFGHIJKLMa? ";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 300; ++round) {
        TileGrid board;
        FlowGrid flow;
        resetGrids(board, flow);
        for (int x = 0; x < kCols; ++x)
            for (int y = 0; y < kRows; ++y) board(x, y) = alphabet[pick(rng)];
        for (int x = 0; x < kCols; ++x)
            for (int y = 0; y < kRows; ++y)
                for (int d = 0; d < 4; ++d) {
                    const int qx = x + dirDx(d), qy = y + dirDy(d);
                    const Direction way = static_cast<Direction>(d);
                    const bool there = canStep(board, x, y, way);
                    if (!InPlayArea(qx, qy)) {
                        EXPECT_FALSE(there) << "stepped off the field at " << x << "," << y;
                        continue;
                    }
                    ASSERT_EQ(there, canStep(board, qx, qy, opposite(way)))
                        << x << "," << y << " dir " << d;
                    // The step is allowed exactly when the letters' rows of the table
                    // read by direction join: leaving toward d, entering from opposite d.
                    EXPECT_EQ(there, opensByDirectionTable(board(x, y), d) &&
                                         opensByDirectionTable(board(qx, qy), opposite(d)))
                        << board(x, y) << board(qx, qy) << " dir " << d;
                }
    }
}

TEST(Movement, JoinsAndRefusals) {
    TileGrid board;
    FlowGrid flow;
    resetGrids(board, flow);
    board(2, 2) = 'I';
    board(3, 2) = 'K';
    EXPECT_TRUE(canStep(board, 2, 2, Direction::Right));
    EXPECT_TRUE(canStep(board, 3, 2, Direction::Left));
    board(3, 2) = 'G';
    board(2, 2) = 'F';
    EXPECT_FALSE(canStep(board, 2, 2, Direction::Right));
    // Corners: a cross opens outward, but the border ring holds "M".
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 6}, {10, 6}}) {
        board(x, y) = 'A';
        for (Direction d : {Direction::Left, Direction::Up, Direction::Right, Direction::Down}) {
            if (!InPlayArea(x + dirDx(d), y + dirDy(d))) {
                EXPECT_FALSE(canStep(board, x, y, d));
            }
        }
    }
    // A position far off the grid is refused rather than read.
    EXPECT_FALSE(canStep(board, 11, 3, Direction::Right));
    EXPECT_FALSE(canStep(board, 40, -9, Direction::Left));
}

}  // namespace
}  // namespace tk
