// Hints from the rules alone: followed one after another they win, off the plan they find a new way, and they say when there is none.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "puzzle/hint.h"
#include "puzzle/solver.h"

namespace tk {
namespace {

LevelFile shipped(const std::string& name) {
    const LevelRead read = readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap");
    EXPECT_TRUE(read.level) << name;
    return read.level.value_or(LevelFile{});
}

// Asks the guide again and again from where its last answer led, as a player who does
// nothing but follow hints; returns the actions taken, or fails.
std::string followHints(const LevelFile& level, PlanWalk walk, HintGuide& guide, int most = 400) {
    std::string taken;
    for (int i = 0; i < most; ++i) {
        const LevelFile now = levelAsItStands(level, walk.board, walk.x, walk.y);
        const Hint hint = guide.Next(now);
        if (hint.kind != Hint::Kind::Act) {
            ADD_FAILURE() << "no action after " << taken;
            return taken;
        }
        const char letter = planLetter(hint.action);
        EXPECT_TRUE(walk.Take(letter)) << "refused " << letter << " after " << taken;
        taken += letter;
        // The game evaluates the water after every turn; a win ends the level.
        if ((letter == kPlanTurnLeft || letter == kPlanTurnRight) && replayPlan(now, std::string(1, letter)).wonAt == 0)
            return taken;
    }
    ADD_FAILURE() << "no win after " << most << " hints: " << taken;
    return taken;
}

TEST(Hints, TheLevelAsItStandsHasTheBoardsTilesAndTheFigureWhereItIs) {
    const LevelFile level = shipped("01");
    PlanWalk walk(level);
    ASSERT_TRUE(walk.Take(kPlanTurnRight));
    const LevelFile now = levelAsItStands(level, walk.board, walk.x, walk.y);
    EXPECT_EQ(now.rows[level.playerY][level.playerX], quarterTurn(level.Tile(level.playerX, level.playerY), true));
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kCols; ++x) {
            if (x == level.playerX && y == level.playerY) continue;
            EXPECT_EQ(now.Tile(x, y), level.Tile(x, y));
        }
    }
    EXPECT_EQ(now.playerX, level.playerX);
    EXPECT_EQ(now.sourceX, level.sourceX);
    EXPECT_EQ(now.timeLimit, level.timeLimit);
    EXPECT_EQ(now.titleEn, level.titleEn);
}

TEST(Hints, FollowedOneAfterAnotherTheyWalkOnePlanToTheWin) {
    for (const char* name : {"01", "05", "12", "20"}) {
        SCOPED_TRACE(name);
        const LevelFile level = shipped(name);
        HintGuide guide;
        const std::string taken = followHints(level, PlanWalk(level), guide);
        // No detour: the hints are the plan the first one came from, action for action.
        const SolveResult plan = solveLevel(level, hintSolveOptions(kHintStates));
        ASSERT_EQ(plan.status, SolveStatus::Solved);
        EXPECT_EQ(taken, plan.plan);
        EXPECT_EQ(replayPlan(level, taken).wonAt, static_cast<int>(taken.size()) - 1);
    }
}

TEST(Hints, APlayerWhoLeavesThePlanIsLedToTheWinFromWhereHeIs) {
    const LevelFile level = shipped("07");
    HintGuide guide;
    PlanWalk walk(level);
    const Hint first = guide.Next(level);
    ASSERT_EQ(first.kind, Hint::Kind::Act);
    // The player turns the pipe under him the other way, twice, then walks where he can.
    const char wrongTurn = first.action == Action::TurnLeft ? kPlanTurnRight : kPlanTurnLeft;
    ASSERT_TRUE(walk.Take(wrongTurn));
    ASSERT_TRUE(walk.Take(wrongTurn));
    for (char step : std::string("LURD"))
        if (walk.Take(step)) break;
    EXPECT_FALSE(followHints(level, walk, guide).empty());
}

TEST(Hints, SayWhenTheBoardCannotBeWonAndWhenTheBudgetRunsOut) {
    // A pipe beyond the floor that no water can reach.
    LevelFile cutOff = shipped("01");
    cutOff.rows[6] = "FLLLLLLLLLL";
    HintGuide guide;
    EXPECT_EQ(guide.Next(cutOff).kind, Hint::Kind::NoWay);
    EXPECT_EQ(firstAction(cutOff).kind, Hint::Kind::NoWay);

    // A level that needs a real search, with a budget of a single state.
    const LevelFile hard = shipped("16");
    EXPECT_EQ(firstAction(hard, 1).kind, Hint::Kind::Unknown);
    HintGuide poor(1);
    EXPECT_EQ(poor.Next(hard).kind, Hint::Kind::Unknown);
    // Given enough states it knows.
    EXPECT_EQ(firstAction(hard, 2'000'000).kind, Hint::Kind::Act);
}

}  // namespace
}  // namespace tk
