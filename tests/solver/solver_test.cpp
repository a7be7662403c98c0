// The solver on small boards: plans that really win by the game's rules, and boards proven hopeless.
#include <gtest/gtest.h>

#include <string>

#include "puzzle/solver.h"

namespace tk {
namespace {

// A level from seven rows of tiles; rows given short are filled with floor.
LevelFile board(std::initializer_list<std::string> rows, int sx, int sy, int px, int py) {
    LevelFile level;
    level.titleCs = "Zkouška";
    level.titleEn = "Trial";
    level.timeLimit = 100;
    int y = 0;
    for (const std::string& r : rows) level.rows[y++] = r + std::string(kCols - r.size(), 'L');
    for (; y < kRows; ++y) level.rows[y] = std::string(kCols, 'L');
    level.sourceX = static_cast<std::int16_t>(sx);
    level.sourceY = static_cast<std::int16_t>(sy);
    level.playerX = static_cast<std::int16_t>(px);
    level.playerY = static_cast<std::int16_t>(py);
    level.nextLevel = "end";
    return level;
}

SolveOptions generous() {
    SolveOptions o;
    o.maxSeconds = 0;
    o.maxStates = 2'000'000;
    return o;
}

void expectWinningPlan(const LevelFile& level, const SolveResult& r) {
    ASSERT_EQ(r.status, SolveStatus::Solved) << r.reason;
    const ReplayResult replay = replayPlan(level, r.plan);
    EXPECT_TRUE(replay.legal) << "refused at " << replay.failedAt << " in " << r.plan;
    EXPECT_EQ(replay.wonAt, static_cast<int>(r.plan.size()) - 1) << r.plan;
}

TEST(SolverPlans, WinByTheGamesRulesAtTheirLastAction) {
    // One elbow turned away: two quarter turns on the spot.
    const LevelFile well = board({"", "", "LLLLHH", "LLLLG", "LLLLI"}, 4, 4, 4, 2);
    expectWinningPlan(well, solveLevel(well, generous()));

    // The figure has to walk to the broken pipe before it can turn it.
    const LevelFile walk = board({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const SolveResult r = solveLevel(walk, generous());
    expectWinningPlan(walk, r);
    EXPECT_NE(r.plan.find('R'), std::string::npos) << r.plan;

    // The figure starts cut off from the water and must open its own way in.
    const LevelFile cutOff = board({"JFFK", "GLLG", "IFGH"}, 0, 0, 2, 2);
    expectWinningPlan(cutOff, solveLevel(cutOff, generous()));
}

TEST(SolverPlans, ABoardWetAsLoadedStillNeedsAWinningTurn) {
    // Standing on a cross: one turn changes nothing and wins.
    const LevelFile cross = board({"FAF"}, 0, 0, 1, 0);
    const SolveResult r1 = solveLevel(cross, generous());
    expectWinningPlan(cross, r1);
    EXPECT_EQ(r1.plan.size(), 1u);

    // Without a cross in reach a turn spoils the board, so the plan turns back.
    const LevelFile line = board({"FFF"}, 0, 0, 2, 0);
    const SolveResult r2 = solveLevel(line, generous());
    expectWinningPlan(line, r2);
    EXPECT_EQ(r2.plan.size(), 2u) << r2.plan;
}

TEST(SolverPlans, ReplayStopsAtRefusedStepsAndAtTheFirstWin) {
    const LevelFile line = board({"FFF"}, 0, 0, 2, 0);
    const ReplayResult refused = replayPlan(line, "U>");
    EXPECT_FALSE(refused.legal);
    EXPECT_EQ(refused.failedAt, 0);
    // A quarter turn and back wins at the second turn; the rest is never played.
    const ReplayResult early = replayPlan(line, "><LL");
    EXPECT_TRUE(early.legal);
    EXPECT_EQ(early.wonAt, 1);
    EXPECT_EQ(replayPlan(line, "L").wonAt, -1);  // steps alone never win
}

TEST(SolverProofs, HopelessBoardsAreReportedWithTheirReason) {
    struct Case {
        const char* name;
        LevelFile level;
        const char* reasonHas;
    };
    const Case cases[] = {
        {"blank cell", board({"FFM"}, 0, 0, 1, 0), "blank cell at column 2, row 0"},
        {"figure on floor", board({"FFF"}, 0, 0, 5, 5), "floor cell"},
        {"figure on blank", board({"FFFM"}, 3, 0, 3, 0), "blank cell at column 3"},
        // The vertical straight at (4, 0) is out of the figure's reach and never faces
        // its neighbour.
        {"pipe never faces back", board({"FFFFG"}, 0, 0, 0, 0), "column 4, row 0"},
        // Two pipes joined to each other, far from the water and the figure.
        {"island", board({"FF", "", "", "", "", "LLLLLLLLLJ", "LLLLLLLLLI"}, 0, 0, 1, 0),
         "column 9, row 5"},
        // A blank source lets no water out.
        {"blank source", board({"MF"}, 0, 0, 1, 0), "column 1, row 0"},
    };
    for (const Case& c : cases) {
        const SolveResult r = solveLevel(c.level, generous());
        EXPECT_EQ(r.status, SolveStatus::Unsolvable) << c.name << ": " << r.plan;
        EXPECT_NE(r.reason.find(c.reasonHas), std::string::npos) << c.name << ": " << r.reason;
    }
}

TEST(SolverProofs, ExhaustiveSearchRefutesWhatNoSimpleRuleCanSee) {
    // (1, 0) must join the source on its left and (1, 1) below, but a straight opens
    // only two opposite ways: every tile can be turned, yet no board is wet everywhere.
    const LevelFile bend = board({"FF", "LG"}, 0, 0, 1, 0);
    const SolveResult r = solveLevel(bend, generous());
    EXPECT_EQ(r.status, SolveStatus::Unsolvable);
    EXPECT_NE(r.reason.find("no sequence"), std::string::npos) << r.reason;
    EXPECT_GT(r.states, 1u);
}

TEST(SolverBudget, RunsOutUndecidedRatherThanGuessing) {
    // A generated field of 72 pipes that takes tens of thousands of states to solve.
    const LevelFile big = board({"GLFCFFKJFCK", "IJLHKFAFHGG", "LGICAHGJFDG", "LKCEIFDBKGD",
                                 "LIACLJIDDCH", "LHGEFCKIJHL", "LLJHFDJGDIL"},
                                7, 1, 5, 6);
    SolveOptions tight;
    tight.maxSeconds = 0;
    tight.maxStates = 50;
    const SolveResult r = solveLevel(big, tight);
    EXPECT_EQ(r.status, SolveStatus::Undecided);
    EXPECT_TRUE(r.plan.empty());
}

TEST(PlanTime, EveryActionTakesTenFramesAndAPass) {
    EXPECT_EQ(planMilliseconds(""), 0);
    EXPECT_EQ(planMilliseconds("R"), 220);
    EXPECT_EQ(planMilliseconds("LURD<>"), 6 * 220);
    EXPECT_DOUBLE_EQ(planSeconds("<<>>RRLL"), 1.76);
    for (char c : std::string("LURD<>")) EXPECT_EQ(planLetter(planActionCode(c)), c);
    EXPECT_EQ(planActionCode('x'), dirNone);
}

}  // namespace
}  // namespace tk
