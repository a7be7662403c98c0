// The solver on small boards: plans that really win by the game's rules, and boards proven hopeless.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/generator.h"
#include "puzzle/solver.h"
#include "reference_search.h"
#include "support/trial_level.h"

namespace tk {
namespace {

SolveOptions generous() {
    SolveOptions o;
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
    const LevelFile well = trialLevel({"", "", "LLLLHH", "LLLLG", "LLLLI"}, 4, 4, 4, 2);
    expectWinningPlan(well, solveLevel(well, generous()));

    // The figure has to walk to the broken pipe before it can turn it.
    const LevelFile walk = trialLevel({"FFFH", "LLLG"}, 0, 0, 0, 0);
    const SolveResult r = solveLevel(walk, generous());
    expectWinningPlan(walk, r);
    EXPECT_NE(r.plan.find('R'), std::string::npos) << r.plan;

    // The figure starts cut off from the water and must open its own way in.
    const LevelFile cutOff = trialLevel({"JFFK", "GLLG", "IFGH"}, 0, 0, 2, 2);
    expectWinningPlan(cutOff, solveLevel(cutOff, generous()));
}

TEST(SolverPlans, ABoardWetAsLoadedStillNeedsAWinningTurn) {
    // Standing on a cross: one turn changes nothing and wins.
    const LevelFile cross = trialLevel({"FAF"}, 0, 0, 1, 0);
    const SolveResult r1 = solveLevel(cross, generous());
    expectWinningPlan(cross, r1);
    EXPECT_EQ(r1.plan.size(), 1u);

    // Without a cross in reach a turn spoils the board, so the plan turns back.
    const LevelFile line = trialLevel({"FFF"}, 0, 0, 2, 0);
    const SolveResult r2 = solveLevel(line, generous());
    expectWinningPlan(line, r2);
    EXPECT_EQ(r2.plan.size(), 2u) << r2.plan;
}

TEST(SolverPlans, ReplayStopsAtRefusedStepsAndAtTheFirstWin) {
    const LevelFile line = trialLevel({"FFF"}, 0, 0, 2, 0);
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
        {"blank cell", trialLevel({"FFM"}, 0, 0, 1, 0), "blank cell at column 2, row 0"},
        {"figure on floor", trialLevel({"FFF"}, 0, 0, 5, 5), "floor cell"},
        {"figure on blank", trialLevel({"FFFM"}, 3, 0, 3, 0), "blank cell at column 3"},
        // The vertical straight at (4, 0) is out of the figure's reach and never faces
        // its neighbour.
        {"pipe never faces back", trialLevel({"FFFFG"}, 0, 0, 0, 0), "column 4, row 0"},
        // Two pipes joined to each other, far from the water and the figure.
        {"island", trialLevel({"FF", "", "", "", "", "LLLLLLLLLJ", "LLLLLLLLLI"}, 0, 0, 1, 0),
         "column 9, row 5"},
        // A blank source lets no water out.
        {"blank source", trialLevel({"MF"}, 0, 0, 1, 0), "column 1, row 0"},
    };
    for (const Case& c : cases) {
        const SolveResult r = solveLevel(c.level, generous());
        EXPECT_EQ(r.status, SolveStatus::Unsolvable) << c.name << ": " << r.plan;
        EXPECT_NE(r.reason.find(c.reasonHas), std::string::npos) << c.name << ": " << r.reason;
    }
}

TEST(SolverProofs, LocalContradictionsAreProvedBeforeAnySearch) {
    struct Case {
        const char* name;
        LevelFile level;
        const char* reasonHas;
    };
    const Case cases[] = {
        // (1, 0) must join the source on its left and (1, 1) below, but a straight opens
        // only two opposite ways.
        {"straight in a corner", trialLevel({"FF", "LG"}, 0, 0, 1, 0), "column 1, row 0"},
        // A field of 68 pipes with an elbow at (1, 0) between the dead end (0, 0) and the
        // straight (2, 0): to feed the dead end the elbow must open left, and then nothing
        // feeds the two of them. Three cells settle it, however large the rest.
        {"elbow between a dead end and the rest",
         trialLevel({"FKFCFFKJFCK", "LLLHKFAFHGG", "LGICAHGJFDG", "LKCEIFDBKGD", "LIACLJIDDCH",
                "LHGEFCKIJHL", "LLJHFDJGDIL"},
               7, 1, 5, 6),
         "column 0, row 0"},
        // A tee whose three neighbours are all dead ends: it cannot feed them all and
        // still be fed.
        {"tee among dead ends", trialLevel({"LGL", "FBF", "LGL"}, 1, 0, 1, 1), "column 1, row 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SolveResult r = solveLevel(c.level, generous());
        EXPECT_EQ(r.status, SolveStatus::Unsolvable) << r.plan;
        EXPECT_EQ(r.states, 0u) << "proved by the pruning rules, without searching boards";
        EXPECT_NE(r.reason.find(c.reasonHas), std::string::npos) << r.reason;
    }
}

TEST(SolverProofs, ExhaustiveSearchRefutesWhatNoRuleCanSee) {
    // Every pipe can be turned into a winning layout, and the figure can reach them all,
    // but it cannot leave each one turned the right way and still get to the next.
    const LevelFile trap = trialLevel({"IG", "HF"}, 1, 0, 0, 1);
    const SolveResult r = solveLevel(trap, generous());
    EXPECT_EQ(r.status, SolveStatus::Unsolvable);
    EXPECT_NE(r.reason.find("no sequence"), std::string::npos) << r.reason;
    EXPECT_GT(r.states, 1u);
    const test::ReferenceAnswer ref = test::referenceShortest(trap, 100000);
    EXPECT_TRUE(ref.decided);
    EXPECT_EQ(ref.shortest, -1);
}

TEST(SolverPlans, AreTheShortestOnSmallBoards) {
    // Random boards of up to nine pipes, held against a breadth-first search over every
    // action: the same shortest length when there is a plan, none when there is none.
    SplitMix64 rng(2024);
    const std::string tiles = "ABCDEFGHIJK";
    int solvable = 0, hopeless = 0;
    for (int round = 0; round < 300; ++round) {
        const int w = 2 + rng.Below(2), h = 2 + rng.Below(2);
        std::vector<std::string> rows(static_cast<std::size_t>(h));
        for (auto& row : rows)
            for (int x = 0; x < w; ++x) row += rng.Below(7) == 0 ? 'L' : tiles[rng.Below(11)];
        const int sx = rng.Below(w), sy = rng.Below(h), px = rng.Below(w), py = rng.Below(h);
        if (rows[sy][sx] == 'L' || rows[py][px] == 'L') continue;
        LevelFile level = trialLevel({}, sx, sy, px, py);
        for (int y = 0; y < h; ++y) level.rows[y].replace(0, rows[y].size(), rows[y]);
        const test::ReferenceAnswer ref = test::referenceShortest(level, 400000);
        if (!ref.decided) continue;
        const SolveResult r = solveLevel(level, generous());
        SCOPED_TRACE(level.rows[0] + "/" + level.rows[1] + "/" + level.rows[2]);
        if (ref.shortest < 0) {
            ++hopeless;
            EXPECT_EQ(r.status, SolveStatus::Unsolvable) << r.plan;
        } else {
            ++solvable;
            expectWinningPlan(level, r);
            EXPECT_TRUE(r.shortest);
            EXPECT_EQ(static_cast<int>(r.plan.size()), ref.shortest) << r.plan;
            EXPECT_EQ(r.lowerBound, ref.shortest);
        }
    }
    EXPECT_GT(solvable, 50);
    EXPECT_GT(hopeless, 20);
}

// A generated field of 72 pipes with a few dozen turns to make.
LevelFile bigField() {
    return trialLevel({"GLFCFFKJFCK", "IJLHKFAFHGG", "LGICAHGJFDG", "LKCEIFDBKGD", "LIACLJIDDCH",
                  "LHGEFCKIJHL", "LLJHFDJGDIL"},
                 7, 1, 5, 6);
}

TEST(SolverBudget, RunsOutUndecidedRatherThanGuessing) {
    SolveOptions tight;
    tight.maxStates = 50;
    const SolveResult r = solveLevel(bigField(), tight);
    EXPECT_EQ(r.status, SolveStatus::Undecided);
    EXPECT_TRUE(r.plan.empty());
    EXPECT_LE(r.states, 50u);
}

TEST(SolverBudget, AnyPlanComesCheaplyFromTheMiddleOfALevel) {
    // The board as a player left it halfway through a plan, figure where it stands:
    // without improving, a small budget in states gives a winning plan, the same each time.
    SolveOptions quick;
    quick.maxStates = 50000;
    quick.improve = false;
    const SolveResult whole = solveLevel(bigField(), quick);
    ASSERT_EQ(whole.status, SolveStatus::Solved);
    const LevelFile midway =
        test::afterActions(bigField(), std::string_view(whole.plan).substr(0, whole.plan.size() / 2));
    const SolveResult a = solveLevel(midway, quick), b = solveLevel(midway, quick);
    expectWinningPlan(midway, a);
    EXPECT_LE(a.states, 50000u);
    EXPECT_EQ(a.plan, b.plan);

    // With the same budget, improving starts from the same first plan, spends more of
    // the budget and never ends with a longer plan.
    SolveOptions first, thorough;
    first.maxStates = thorough.maxStates = 200000;
    first.improve = false;
    const SolveResult f = solveLevel(midway, first), c = solveLevel(midway, thorough);
    expectWinningPlan(midway, c);
    EXPECT_LE(c.plan.size(), f.plan.size());
    EXPECT_GT(c.states, f.states);
    EXPECT_LE(c.states, 200000u);
    EXPECT_LE(c.lowerBound, static_cast<int>(c.plan.size()));
}

TEST(PlanTime, EveryActionTakesTenFramesAndAPass) {
    EXPECT_EQ(planMilliseconds(""), 0);
    EXPECT_EQ(planMilliseconds("R"), 220);
    EXPECT_EQ(planMilliseconds("LURD<>"), 6 * 220);
    EXPECT_DOUBLE_EQ(planSeconds("<<>>RRLL"), 1.76);
    for (char c : std::string("LURD<>")) EXPECT_EQ(planLetter(planAction(c)), c);
    EXPECT_EQ(planAction('x'), Action::None);
}

}  // namespace
}  // namespace tk
