// The solver's board helpers against the game's own water: the quick measure after one turn must agree.
#include <gtest/gtest.h>

#include "puzzle/generator.h"
#include "puzzle/search_board.h"
#include "puzzle/water.h"

namespace tk {
namespace {

using namespace search;

int dryByTheGame(const Letters& b, int source) {
    TileGrid board;
    FlowGrid flow;
    board.Fill(kBlankTile);
    flow.Fill(Water::Unset);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) board(x, y) = b[cellOf(x, y)];
    spreadWater(board, flow, cellX(source), cellY(source));
    int dry = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) dry += board(x, y) != kFloorTile && flow(x, y) == Water::Dry;
    return dry;
}

TEST(WaterMap, DryCellsAfterAnyTurnAgreeWithTheWaterRunAfresh) {
    // Random fields, thin and full, with loops and dead ends; every quarter turn of
    // every pipe, wet or dry, source or not.
    SplitMix64 rng(99);
    const std::string tiles = "ABCDEFGHIJK";
    for (int round = 0; round < 60; ++round) {
        LevelFile level;
        const int floorOdds = 2 + round % 5;
        for (auto& row : level.rows) {
            row.clear();
            for (int x = 0; x < kCols; ++x) row += rng.Below(floorOdds) == 0 ? 'L' : tiles[rng.Below(11)];
        }
        Letters b = lettersOf(level);
        const int source = cellOf(rng.Below(kCols), rng.Below(kRows));
        if (b[source] == kFloorTile) b[source] = 'F';
        WaterMap water;
        water.Spread(b, source);
        ASSERT_EQ(water.Dry(), dryByTheGame(b, source));
        for (int c = 0; c < kCells; ++c) {
            if (!inPlay(c) || !isPipe(b[c])) continue;
            for (bool clockwise : {false, true}) {
                const char before = b[c];
                const int quick = water.DryAfterTurn(b, source, c, quarterTurn(before, clockwise));
                EXPECT_EQ(b[c], before) << "the board is left as it was";
                b[c] = quarterTurn(before, clockwise);
                EXPECT_EQ(quick, dryByTheGame(b, source)) << "round " << round << " cell " << cellX(c) << "," << cellY(c);
                b[c] = before;
            }
        }
    }
}

}  // namespace
}  // namespace tk
