// Hints from the rules alone: near the shortest way, closer to the win with every one followed, honest about lost boards and budgets.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/hint.h"
#include "puzzle/hint_search.h"
#include "puzzle/solver.h"
#include "reference_search.h"

namespace tk {
namespace {

LevelFile shipped(const std::string& name) {
    const LevelRead read = readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap");
    EXPECT_TRUE(read.level) << name;
    return read.level.value_or(LevelFile{});
}

bool wins(const LevelFile& from, const std::string& plan) {
    const ReplayResult replay = replayPlan(from, plan);
    return replay.legal && replay.wonAt == static_cast<int>(plan.size()) - 1;
}

// Asks the guide again and again from where its last answer led, as a player who does
// nothing but follow hints; returns the actions taken, or fails. Every hint's plan wins
// from where it was asked and is shorter than the one before.
std::string followHints(const LevelFile& level, PlanWalk walk, HintGuide& guide, int most = 400) {
    std::string taken;
    std::size_t before = 0;
    for (int i = 0; i < most; ++i) {
        const LevelFile now = levelAsItStands(level, walk.board, walk.x, walk.y);
        const Hint hint = guide.Next(now);
        if (hint.kind != Hint::Kind::Act) {
            ADD_FAILURE() << "no action after " << taken;
            return taken;
        }
        EXPECT_TRUE(wins(now, hint.plan)) << hint.plan << " after " << taken;
        if (before) {
            EXPECT_LT(hint.plan.size(), before) << "after " << taken;
        }
        before = hint.plan.size();
        const char letter = planLetter(hint.action);
        EXPECT_EQ(letter, hint.plan.front());
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

// Where the search proves its plan the shortest it is; elsewhere it is at most half as
// long again, on the states along the shortest plans of levels where hints once took
// long detours.
TEST(Hints, TakeANearlyShortestWayFromEveryStateOfAPlayThrough) {
    for (const char* name : {"11", "14", "22", "27", "30"}) {
        SCOPED_TRACE(name);
        const LevelFile level = shipped(name);
        SolveOptions exhaustive;
        exhaustive.maxStates = 2'000'000;
        const SolveResult shortest = solveLevel(level, exhaustive);
        ASSERT_TRUE(shortest.shortest);
        int proven = 0;
        for (std::size_t i = 0; i < shortest.plan.size(); ++i) {
            const LevelFile now = test::afterActions(level, std::string_view(shortest.plan).substr(0, i));
            const std::size_t rest = shortest.plan.size() - i;  // a shortest plan's tail is one too
            const Hint hint = hintFor(now);
            ASSERT_EQ(hint.kind, Hint::Kind::Act) << "before action " << i + 1;
            EXPECT_TRUE(wins(now, hint.plan)) << "before action " << i + 1;
            EXPECT_LE(2 * hint.plan.size(), 3 * rest) << "before action " << i + 1 << ": " << hint.plan;
            if (hint.shortest) {
                EXPECT_EQ(hint.plan.size(), rest) << "before action " << i + 1;
                ++proven;
            }
        }
        EXPECT_GT(proven, 0) << "near the end the shortest way is always proven";
    }
}

TEST(Hints, FollowedOneAfterAnotherTheyWinNoLaterThanTheFirstPlanSaid) {
    for (const char* name : {"01", "05", "14", "20", "27"}) {
        SCOPED_TRACE(name);
        const LevelFile level = shipped(name);
        const Hint first = hintFor(level);
        ASSERT_EQ(first.kind, Hint::Kind::Act);
        HintGuide guide;
        const std::string taken = followHints(level, PlanWalk(level), guide);
        EXPECT_LE(taken.size(), first.plan.size());
        EXPECT_TRUE(wins(level, taken));
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

TEST(Hints, APlanFollowedIsKeptUnlessAShorterOneIsFoundAndIgnoredWhenItDoesNotWin) {
    const LevelFile level = shipped("12");
    const Hint fresh = hintFor(level);
    ASSERT_EQ(fresh.kind, Hint::Kind::Act);
    ASSERT_TRUE(fresh.shortest);
    // A roundabout plan: a quarter turn of the figure's pipe and back, then the shortest.
    const std::string detour = std::string(">") + "<" + fresh.plan;
    ASSERT_TRUE(wins(level, detour));
    EXPECT_EQ(hintFor(level, detour).plan, fresh.plan) << "the shorter way is taken";
    // The shortest plan itself, followed, stays the plan: the same hint, whatever else ties.
    EXPECT_EQ(hintFor(level, fresh.plan).plan, fresh.plan);
    // A plan that does not win from here counts for nothing.
    EXPECT_EQ(hintFor(level, fresh.plan.substr(1)).plan, fresh.plan);
}

TEST(Hints, SayWhenTheBoardCannotBeWonAndWhenTheBudgetRunsOut) {
    // A pipe beyond the floor that no water can reach.
    LevelFile cutOff = shipped("01");
    cutOff.rows[6] = "FLLLLLLLLLL";
    HintGuide guide;
    EXPECT_EQ(guide.Next(cutOff).kind, Hint::Kind::NoWay);
    const Hint lost = hintFor(cutOff);
    EXPECT_EQ(lost.kind, Hint::Kind::NoWay);
    EXPECT_FALSE(lost.reason.empty());
    EXPECT_TRUE(lost.plan.empty());

    // A level that needs a real search, with a budget of a single state.
    const LevelFile hard = shipped("16");
    EXPECT_EQ(hintFor(hard, {}, 1).kind, Hint::Kind::Unknown);
    HintGuide poor(1);
    EXPECT_EQ(poor.Next(hard).kind, Hint::Kind::Unknown);
    EXPECT_EQ(hintFor(hard).kind, Hint::Kind::Act);
}

TEST(Hints, AnswerOnFullFieldsWithShortPlans) {
    // Fields of 70 to 77 pipes whose plans are short: the search must not lose itself
    // in the size of the board.
    int fields = 0;
    for (std::uint64_t seed = 1; fields < 5; ++seed) {
        GenerateOptions options;
        options.seed = seed;
        options.pipes = 70 + static_cast<int>(seed % 8);
        options.scramble = 1 + static_cast<int>(seed % 3);
        options.solverStates = 20'000;
        const Generated made = generateLevel(options);
        if (!made.ok || made.plan.size() > 12) continue;
        ++fields;
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Hint hint = hintFor(made.level);
        ASSERT_EQ(hint.kind, Hint::Kind::Act);
        EXPECT_TRUE(wins(made.level, hint.plan));
        EXPECT_LE(hint.plan.size(), made.plan.size());
    }
}

TEST(HintCost, ATenthOfTheTimeLimitAndAtLeastFiveSeconds) {
    EXPECT_EQ(hintCostSeconds(90), 9);
    EXPECT_EQ(hintCostSeconds(200), 20);
    EXPECT_EQ(hintCostSeconds(125), 13) << "rounded to the nearest second";
    EXPECT_EQ(hintCostSeconds(60), 6);
    EXPECT_EQ(hintCostSeconds(40), 5);
    EXPECT_EQ(hintCostSeconds(0), 5);
    EXPECT_EQ(hintCostSeconds(-30), 5) << "a clock that never runs";
}

}  // namespace
}  // namespace tk
