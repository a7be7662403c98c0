// Rating: the measures against brute force on small boards, the naive player, the score and the rate verb.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "puzzle/generator.h"
#include "puzzle/hint.h"
#include "puzzle/naive_player.h"
#include "puzzle/rating.h"
#include "puzzle/water.h"
#include "reference_search.h"
#include "support/levels_tool_run.h"
#include "support/trial_level.h"

namespace tk {
namespace {


// What the layouts are, by trying every orientation of every pipe.
struct BruteLayouts {
    int fewestChanged = -1;
    int ambiguous = 0;
};

BruteLayouts bruteLayouts(const LevelFile& level) {
    std::vector<std::pair<int, int>> pipes;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            if (isPipe(level.Tile(x, y))) pipes.emplace_back(x, y);
    TileGrid board;
    FlowGrid flow;
    placeLevel(level, board, flow);
    std::vector<std::vector<char>> seen(pipes.size());
    BruteLayouts out;
    const auto visit = [&](auto&& self, std::size_t i, int changed) -> void {
        if (i == pipes.size()) {
            if (!spreadWater(board, flow, level.sourceX, level.sourceY)) return;
            if (out.fewestChanged < 0 || changed < out.fewestChanged) out.fewestChanged = changed;
            for (std::size_t k = 0; k < pipes.size(); ++k) {
                const char l = board(pipes[k].first, pipes[k].second);
                if (std::find(seen[k].begin(), seen[k].end(), l) == seen[k].end()) seen[k].push_back(l);
            }
            return;
        }
        char& cell = board(pipes[i].first, pipes[i].second);
        const char start = cell;
        for (int q = 0; q < 4; ++q) {
            if (q > 0 && cell == start) break;  // back where it began: every orientation tried
            self(self, i + 1, changed + (cell != start));
            cell = quarterTurn(cell, true);
        }
        cell = start;
    };
    visit(visit, 0, 0);
    for (const auto& letters : seen) out.ambiguous += letters.size() > 1;
    return out;
}

// Every pipe can be entered: it opens toward a cell the figure can stand on.
bool everyPipeWithinReach(const LevelFile& level) {
    Grid<bool> in;
    in.Fill(false);
    in(level.playerX, level.playerY) = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) {
                if (in(x, y) || !isPipe(level.Tile(x, y))) continue;
                for (int d = 0; d < 4; ++d) {
                    const int nx = x + dirDx(d), ny = y + dirDy(d);
                    if (InPlayArea(nx, ny) && in(nx, ny) && opensToward(level.Tile(x, y), d)) {
                        in(x, y) = grew = true;
                        break;
                    }
                }
            }
    }
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            if (isPipe(level.Tile(x, y)) && !in(x, y)) return false;
    return true;
}

TEST(Rating, AgreesWithBruteForceOnSmallBoards) {
    SplitMix64 rng(77);
    const std::string tiles = "ABCDEFGHIJK";
    int rated = 0;
    for (int round = 0; round < 400 && rated < 60; ++round) {
        const int w = 2 + rng.Below(2), h = 2 + rng.Below(2);
        std::vector<std::string> rows(static_cast<std::size_t>(h));
        for (auto& row : rows)
            for (int x = 0; x < w; ++x) row += rng.Below(8) == 0 ? 'L' : tiles[rng.Below(11)];
        const int sx = rng.Below(w), sy = rng.Below(h), px = rng.Below(w), py = rng.Below(h);
        if (rows[sy][sx] == 'L' || rows[py][px] == 'L') continue;
        const LevelFile level = trialLevel(rows, sx, sy, px, py);
        if (!everyPipeWithinReach(level)) continue;
        const test::ReferenceAnswer ref = test::referenceShortest(level, 400000);
        if (!ref.decided || ref.shortest < 0) continue;
        ++rated;
        SCOPED_TRACE(rows[0] + "/" + rows[1] + (h > 2 ? "/" + rows[2] : ""));

        const Rating r = rateLevel(level);
        ASSERT_EQ(r.status, SolveStatus::Solved) << r.reason;
        EXPECT_TRUE(r.shortest);
        EXPECT_EQ(static_cast<int>(r.plan.size()), ref.shortest) << r.plan;
        EXPECT_EQ(r.steps + r.turns, ref.shortest);
        EXPECT_EQ(r.turns, std::count_if(r.plan.begin(), r.plan.end(), [](char c) { return c == '<' || c == '>'; }));
        EXPECT_EQ(r.walkPercent, (100 * r.steps + ref.shortest / 2) / ref.shortest);

        const BruteLayouts brute = bruteLayouts(level);
        EXPECT_TRUE(r.layoutsSettled);
        EXPECT_EQ(r.mustTurn, brute.fewestChanged);
        EXPECT_EQ(r.ambiguous, brute.ambiguous);

        const NaivePlay naive = playNaively(level);
        EXPECT_EQ(r.naiveWins, naive.won);
        EXPECT_EQ(r.explorerWins, playExploring(level).won);
        if (naive.won) {
            EXPECT_EQ(replayPlan(level, naive.plan).wonAt, static_cast<int>(naive.plan.size()) - 1);
        }
        EXPECT_DOUBLE_EQ(r.score, difficultyScore(r));
    }
    EXPECT_GE(rated, 40);
}

TEST(Rating, CountsWalksAndDryCellsOfAKnownLevel) {
    // The figure walks three steps to the elbow and turns it down: 4 actions, 75 % walking.
    const LevelFile bend = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const Rating r = rateLevel(bend);
    EXPECT_EQ(r.pipes, 5);
    EXPECT_EQ(r.dryAtStart, 1);
    EXPECT_EQ(r.plan, "RRR<");
    EXPECT_EQ(r.steps, 3);
    EXPECT_EQ(r.turns, 1);
    EXPECT_EQ(r.walkPercent, 75);
    EXPECT_EQ(r.longestWalk, 3);
    EXPECT_EQ(r.mustTurn, 1);
    EXPECT_TRUE(r.naiveWins);
    // 3 × 1 + 1 + 0.5, less 2 / 5 for the two pipes that may point either way (the last
    // straight's leak, the source's).
    EXPECT_DOUBLE_EQ(r.score, std::max(0.0, 3 + 1 + 0.5 - r.ambiguous / 5.0));
}

TEST(NaivePlayer, WinsByGreedAndLosesWhereTwoPipesMustBeSeenTogether) {
    // One elbow turned away: the best single pipe wins at once.
    const LevelFile well = trialLevel({"", "", "LLLLHH", "LLLLG", "LLLLI"}, 4, 4, 4, 2);
    const NaivePlay easy = playNaively(well);
    EXPECT_TRUE(easy.won);
    EXPECT_EQ(replayPlan(well, easy.plan).wonAt, static_cast<int>(easy.plan.size()) - 1);

    // The mill (a shipped level): a turn whose use only shows after the next one, which
    // a player who looks at one pipe at a time never makes.
    const LevelFile mill = trialLevel({"", "LLLG", "LLLEKJK", "LLLDKG", "LLLIEH", "LLLLH"}, 3, 3, 3, 2);
    EXPECT_FALSE(playNaively(mill).won);
    const Rating r = rateLevel(mill);
    EXPECT_FALSE(r.naiveWins);
    EXPECT_EQ(r.status, SolveStatus::Solved);
    EXPECT_DOUBLE_EQ(r.score, difficultyScore(r));
    EXPECT_GE(r.score, 10);  // losing to the naive player alone weighs ten

    // A board it cannot win at all is not won by it either, and rates as unsolved.
    const LevelFile trap = trialLevel({"IG", "HF"}, 1, 0, 0, 1);
    EXPECT_FALSE(playNaively(trap).won);
    const Rating none = rateLevel(trap);
    EXPECT_EQ(none.status, SolveStatus::Unsolvable);
    EXPECT_EQ(none.score, 0);
}

TEST(ExploringPlayer, GoesOnWhereTheNaivePlayerIsStuckWithoutLosingWaterOrComingBack) {
    // The mill: the naive player's one turn leaves it where no single turn adds water or
    // lets the figure walk further; the exploring player opens the way on and wins.
    const LevelFile mill = trialLevel({"", "LLLG", "LLLEKJK", "LLLDKG", "LLLIEH", "LLLLH"}, 3, 3, 3, 2);
    EXPECT_FALSE(playNaively(mill).won);
    const NaivePlay explorer = playExploring(mill);
    ASSERT_TRUE(explorer.won) << explorer.plan;
    EXPECT_EQ(replayPlan(mill, explorer.plan).wonAt, static_cast<int>(explorer.plan.size()) - 1);
    EXPECT_TRUE(rateLevel(mill).explorerWins);

    // On every shipped level, between its turns of one pipe and the next, the water never
    // shrinks and no board comes back.
    for (int n = 1; n <= 30; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/levels/%02d.kulap", TK_DATA_DIR, n);
        const LevelFile level = readLevelFile(name).level.value_or(mill);
        const std::string plan = playExploring(level).plan;
        SCOPED_TRACE(name);
        PlanWalk walk(level);
        int wet = test::wetCells(walk.board, level);
        std::vector<TileGrid> boards = {walk.board};
        for (std::size_t i = 0; i < plan.size(); ++i) {
            ASSERT_TRUE(walk.Take(plan[i]));
            const bool turn = plan[i] == kPlanTurnLeft || plan[i] == kPlanTurnRight;
            const bool last = i + 1 == plan.size() || (plan[i + 1] != kPlanTurnLeft && plan[i + 1] != kPlanTurnRight);
            if (!turn || !last) continue;
            const int now = test::wetCells(walk.board, level);
            EXPECT_GE(now, wet) << "after " << plan.substr(0, i + 1);
            wet = now;
            EXPECT_EQ(std::count(boards.begin(), boards.end(), walk.board), 0) << "after " << plan.substr(0, i + 1);
            boards.push_back(walk.board);
        }
    }

    // Here its eighth action would bring back a board it had; it takes the next best turn
    // instead, and wins.
    const LevelFile again = trialLevel({"", "LLLGFK", "LLFCEK", "LLLGG", "LLLJD", "LLLLG", "LLLLG"}, 3, 4, 4, 2);
    const NaivePlay onward = playExploring(again);
    EXPECT_TRUE(onward.won) << onward.plan;
    EXPECT_EQ(replayPlan(again, onward.plan).wonAt, static_cast<int>(onward.plan.size()) - 1);

    // A board nobody can win it cannot win either.
    EXPECT_FALSE(playExploring(trialLevel({"IG", "HF"}, 1, 0, 0, 1)).won);
}

class RateVerb : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("tk-rate-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void write(const std::string& file, const LevelFile& level) {
        std::ofstream(dir_ / file, std::ios::binary) << writeLevel(level);
    }
    std::filesystem::path dir_;
};

TEST_F(RateVerb, PrintsATableOrJsonAndExitsByWhatItFound) {
    write("bend.kulap", trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0));
    write("trap.kulap", trialLevel({"IG", "HF"}, 1, 0, 0, 1));

    test::ToolRun r = test::runLevelsTool(dir_, "rate bend.kulap");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("score"), std::string::npos);
    EXPECT_NE(r.out.find("bend.kulap"), std::string::npos);
    EXPECT_NE(r.out.find("4 = 3+1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("explorer"), std::string::npos) << r.out;

    r = test::runLevelsTool(dir_, "rate --json bend.kulap trap.kulap");
    EXPECT_EQ(r.status, 1) << "one level is unsolvable";
    EXPECT_EQ(r.out.front(), '[');
    EXPECT_NE(r.out.find("\"file\": \"bend.kulap\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"plan\": \"RRR<\""), std::string::npos);
    EXPECT_NE(r.out.find("\"walkPercent\": 75"), std::string::npos);
    EXPECT_NE(r.out.find("\"explorerWins\": true"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"status\": \"unsolvable\""), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '{'), 2);

    for (const char* args : {"rate", "rate --max-states 0 bend.kulap", "rate --fast bend.kulap"}) {
        r = test::runLevelsTool(dir_, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
    r = test::runLevelsTool(dir_, "rate missing.kulap");
    EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace tk
