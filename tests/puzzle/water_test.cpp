// Water spreading: joins, the edge, the source, the redraw order and the win test.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "puzzle/board.h"
#include "puzzle/water.h"

namespace tk {
namespace {

using Cells = std::vector<std::pair<int, int>>;

struct Field {
    TileGrid board;
    FlowGrid flow;
    Cells redrawn;

    // Rows of 11 letters, row 0 first; every other cell is floor.
    explicit Field(std::vector<std::string> rows = {}) {
        resetGrids(board, flow);
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x)
                board(x, y) = y < static_cast<int>(rows.size()) && x < static_cast<int>(rows[y].size())
                                  ? rows[y][x]
                                  : 'L';
    }
    bool run(int sx, int sy) {
        redrawn.clear();
        return spreadWater(board, flow, sx, sy,
                           [this](int x, int y) { redrawn.emplace_back(x, y); });
    }
    int wetCount() const {
        int n = 0;
        for (int x = 0; x < kCols; ++x)
            for (int y = 0; y < kRows; ++y) n += flow(x, y) == Water::Wet;
        return n;
    }
};

TEST(Water, OnlyJoinsThatOpenBothWaysCarry) {
    Field f({"IGLLLLLLLLL"});
    EXPECT_FALSE(f.run(0, 0));
    EXPECT_EQ(f.flow(0, 0), Water::Wet);
    EXPECT_EQ(f.flow(1, 0), Water::Dry);  // "G" does not open back toward the "I"

    Field g({"FK", "LI"});  // straight into an elbow, down into an elbow that opens up
    EXPECT_TRUE(g.run(0, 0));
    EXPECT_EQ(g.wetCount(), 3);
}

TEST(Water, PipesOpeningTowardTheEdgeLoseNothing) {
    Field f(std::vector<std::string>(kRows, "AAAAAAAAAAA"));
    EXPECT_TRUE(f.run(10, 6));
    EXPECT_EQ(f.wetCount(), kCols * kRows);
    for (int x = -1; x <= kCols; ++x) {
        EXPECT_EQ(f.flow(x, -1), Water::Unset);
        EXPECT_EQ(f.flow(x, kRows), Water::Unset);
    }
    for (int y = -1; y <= kRows; ++y) {
        EXPECT_EQ(f.flow(-1, y), Water::Unset);
        EXPECT_EQ(f.flow(kCols, y), Water::Unset);
    }
}

TEST(Water, TheSourceIsWetWhateverItHolds) {
    // A lone source among floor cells: the level is solved at once.
    Field lone;
    lone.board(5, 3) = 'B';
    EXPECT_TRUE(lone.run(5, 3));
    EXPECT_EQ(lone.wetCount(), 1);
    // One dry blank anywhere keeps it unsolved.
    lone.board(9, 1) = 'M';
    EXPECT_FALSE(lone.run(5, 3));

    // The source's tile is being turned: "M" in its cell, crosses all round.
    Field turning(std::vector<std::string>(kRows, "AAAAAAAAAAA"));
    turning.board(4, 4) = 'M';
    EXPECT_FALSE(turning.run(4, 4));
    EXPECT_EQ(turning.flow(4, 4), Water::Wet);
    EXPECT_EQ(turning.wetCount(), 1);
}

TEST(Water, ASourceOffTheFieldWetsNothing) {
    for (auto [sx, sy] : Cells{{-1, 0}, {11, 3}, {0, 7}, {-5, -5}, {40, 2}, {3, 32767}}) {
        Field f(std::vector<std::string>(kRows, "AAAAAAAAAAA"));
        EXPECT_FALSE(f.run(sx, sy));
        EXPECT_EQ(f.wetCount(), 0) << sx << "," << sy;
        EXPECT_EQ(f.redrawn.size(), 77u);  // every cell leaves the unset state
    }
}

TEST(Water, ChangedCellsAreReportedOnceInColumnOrder) {
    Field f({"JFFFK", "GLLLG", "IFFFH"});  // a ring in the top-left corner
    EXPECT_TRUE(f.run(0, 0));
    Cells all;
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) all.emplace_back(x, y);
    EXPECT_EQ(f.redrawn, all);  // the first evaluation draws the whole field
    EXPECT_EQ(f.wetCount(), 12);

    f.run(0, 0);
    EXPECT_TRUE(f.redrawn.empty());  // nothing changed, nothing redrawn

    // Blank the top-right corner of the ring, as a turn does: the ring stays joined
    // the other way round, so only that cell dries.
    f.board(4, 0) = 'M';
    f.run(0, 0);
    EXPECT_EQ(f.redrawn, (Cells{{4, 0}}));

    // Cut the ring at the bottom too: the right side and the corner dry; listed by column.
    f.board(2, 2) = 'M';
    f.run(0, 0);
    EXPECT_EQ(f.redrawn, (Cells{{2, 2}, {3, 2}, {4, 1}, {4, 2}}));

    f.board(2, 2) = 'F';
    f.board(4, 0) = 'K';
    f.run(0, 0);
    EXPECT_EQ(f.redrawn, (Cells{{2, 2}, {3, 2}, {4, 0}, {4, 1}, {4, 2}}));
    EXPECT_EQ(f.wetCount(), 12);
}

TEST(Water, FloorCellsNeedNoWaterButEverythingElseDoes) {
    Field f({"JFK", "IFH"});
    EXPECT_TRUE(f.run(1, 1));
    f.board(10, 6) = 'A';  // a dry pipe far away
    EXPECT_FALSE(f.run(1, 1));
    f.board(10, 6) = 'L';
    f.board(1, 0) = 'M';  // a blank inside the loop can only be wet as the source
    EXPECT_FALSE(f.run(1, 1));
    EXPECT_EQ(f.wetCount(), 5);
}

}  // namespace
}  // namespace tk
