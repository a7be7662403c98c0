// The thirty levels that ship with the game: well formed, chained, varied, and rising in measured difficulty.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/level_file.h"
#include "puzzle/rating.h"
#include "puzzle/solver.h"
#include "puzzle/water.h"
#include "reference_search.h"

namespace tk {
namespace {

namespace fs = std::filesystem;

const fs::path kLevels = fs::path(TK_DATA_DIR) / "levels";

std::string name(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

int pipeCount(const LevelFile& level) {
    int n = 0;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x) n += isPipe(level.Tile(x, y));
    return n;
}

class ShippedLevels : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (int n = 1; n <= 30; ++n) {
            const LevelRead read = readLevelFile((kLevels / (name(n) + ".kulap")).string());
            problems_[n] = read.problems.size();
            if (read.level) levels_[n] = *read.level;
        }
    }
    static std::map<int, LevelFile> levels_;
    static std::map<int, std::size_t> problems_;
};
std::map<int, LevelFile> ShippedLevels::levels_;
std::map<int, std::size_t> ShippedLevels::problems_;

TEST_F(ShippedLevels, AllThirtyReadWithoutAnyProblem) {
    ASSERT_EQ(levels_.size(), 30u);
    for (const auto& [n, count] : problems_) EXPECT_EQ(count, 0u) << n;
    for (const auto& [n, level] : levels_) {
        EXPECT_FALSE(level.titleCs.empty()) << n;
        EXPECT_FALSE(level.titleEn.empty()) << n;
        EXPECT_NE(level.titleCs, level.titleEn) << n;
    }
    // Czech titles keep their letters: stored as UTF-8 and read back unchanged.
    EXPECT_EQ(levels_[1].titleCs, "Studánka");
    EXPECT_EQ(levels_[29].titleCs, "Čistírna");
}

// What a plan does on its way: its walks (from, to, steps), whether it turns the source,
// whether a turn leaves fewer cells wet than before it.
struct Walk {
    int fromX, fromY, toX, toY, steps;
};
struct Played {
    std::vector<Walk> walks;
    bool turnedSource = false, lostWater = false;
};

Played play(const LevelFile& level, const std::string& plan) {
    Played p;
    Field field = fieldOf(level);
    int wet = test::wetCells(field.board, level);
    Walk walk{field.playerX, field.playerY, field.playerX, field.playerY, 0};
    for (char a : plan) {
        const int x = field.playerX, y = field.playerY;
        const Action action = planAction(a);
        applyAction(field, action);
        if (isTurn(action)) {
            if (walk.steps) p.walks.push_back({walk.fromX, walk.fromY, x, y, walk.steps});
            walk = {x, y, x, y, 0};
            p.turnedSource |= field.OnSource();
            const int now = test::wetCells(field.board, level);
            p.lostWater |= now < wet;
            wet = now;
        } else {
            ++walk.steps;
        }
    }
    return p;
}

// What `tramolkulap-levels rate` prints, held against the rules of the pack. One test,
// because rating thirty levels is the costly part.
TEST_F(ShippedLevels, RateShowsAPackThatRisesAndTeaches) {
    std::map<int, Rating> ratings;
    for (const auto& [n, level] : levels_) ratings[n] = rateLevel(level);
    ASSERT_EQ(ratings.size(), 30u);

    // Each is won by its shortest plan, within a limit made from it.
    for (const auto& [n, level] : levels_) {
        SCOPED_TRACE("level " + name(n));
        const Rating& r = ratings[n];
        ASSERT_EQ(r.status, SolveStatus::Solved) << r.reason;
        EXPECT_TRUE(r.shortest) << "the shortest plan is proven, so the limits below are exact";
        const ReplayResult replay = replayPlan(level, r.plan);
        EXPECT_TRUE(replay.legal);
        EXPECT_EQ(replay.wonAt, static_cast<int>(r.plan.size()) - 1);

        // A reading allowance and time per needed turn, from the plan and the difficulty.
        EXPECT_EQ(level.timeLimit, suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins, r.lowerBound));
        EXPECT_GE(level.timeLimit, 60) << "a person needs time to look first";
        const double reading = std::ceil((30 + r.pipes / 2.0 + 3 * r.turns) / 10) * 10;
        EXPECT_GE(level.timeLimit, reading) << "time to read the board and think out each turn";
        EXPECT_GE(level.timeLimit, 2 * planSeconds(r.plan));
        EXPECT_LE(level.timeLimit, 600);
        if (n > 20) {
            EXPECT_LE(level.timeLimit, std::max(reading, 20 * planSeconds(r.plan))) << "the clock must matter";
        }
    }

    // The difficulty rises in gentle steps; the late levels need thought, not walking.
    for (int n = 2; n <= 30; ++n) {
        SCOPED_TRACE("level " + name(n));
        // Never easier than the level before within a group of five, nor (as it is)
        // across groups, and never a leap.
        EXPECT_GE(ratings[n].score, ratings[n - 1].score);
        EXPECT_LE(ratings[n].score - ratings[n - 1].score, 8.0);
    }
    int needThought11 = 0, needThought21 = 0;
    for (int n = 11; n <= 30; ++n) {
        needThought11 += !ratings[n].naiveWins;
        needThought21 += n > 20 && !ratings[n].naiveWins;
    }
    EXPECT_GE(needThought11, 15) << "levels 11 to 30 the naive player cannot win";
    EXPECT_GE(needThought21, 8) << "levels 21 to 30 the naive player cannot win";
    for (int n = 11; n <= 30; ++n) EXPECT_FALSE(ratings[n].explorerWins) << "level " << n << " needs no thought";
    for (int n = 21; n <= 30; ++n) EXPECT_LE(ratings[n].walkPercent, 70) << "level " << n << " is a walking tour";

    // The first five teach one idea each.
    // 01: turning: the figure stands on the pipe to turn.
    EXPECT_EQ(ratings[1].steps, 0);
    // 02: walking through joined pipes, then one turn.
    EXPECT_GE(ratings[2].steps, 3);
    EXPECT_EQ(ratings[2].turns, 1);
    // 03: a turn that first loses water.
    EXPECT_TRUE(play(levels_[3], ratings[3].plan).lostWater);
    EXPECT_EQ(ratings[3].mustTurn, 1);
    // 04: the source can turn.
    EXPECT_TRUE(play(levels_[4], ratings[4].plan).turnedSource);
    // 05: a floor in the way: the figure goes round it, further than the straight way.
    bool roundabout = false;
    for (const Walk& w : play(levels_[5], ratings[5].plan).walks)
        roundabout |= w.steps > std::abs(w.toX - w.fromX) + std::abs(w.toY - w.fromY);
    EXPECT_TRUE(roundabout);
    for (int n = 1; n <= 5; ++n) EXPECT_TRUE(ratings[n].naiveWins) << "a lesson, not a riddle: " << n;
}

TEST_F(ShippedLevels, AnyPlanComesWithinASmallBudgetAtTheStartAndHalfwayThrough) {
    // What a hint in the middle of a level would ask: any winning plan from the board
    // as it stands, within a budget in states small enough to answer at once.
    SolveOptions hint;
    hint.improve = false;
    hint.maxStates = 50'000;
    for (const auto& [n, level] : levels_) {
        SCOPED_TRACE("level " + name(n));
        const SolveResult start = solveLevel(level, hint);
        ASSERT_EQ(start.status, SolveStatus::Solved) << start.reason;
        EXPECT_EQ(replayPlan(level, start.plan).wonAt, static_cast<int>(start.plan.size()) - 1);

        const LevelFile halfway = test::afterActions(level, std::string_view(start.plan).substr(0, start.plan.size() / 2));
        const SolveResult rest = solveLevel(halfway, hint);
        ASSERT_EQ(rest.status, SolveStatus::Solved) << rest.reason;
        EXPECT_EQ(replayPlan(halfway, rest.plan).wonAt, static_cast<int>(rest.plan.size()) - 1);
    }
}

TEST_F(ShippedLevels, ChainFromTheFirstThroughAllThirtyToTheEnd) {
    std::set<std::string> visited;
    std::string at = "01";
    std::map<std::string, LevelFile> byName;
    for (const auto& [n, level] : levels_) byName[name(n)] = level;
    while (at != "end") {
        ASSERT_TRUE(byName.count(at)) << "the chain leads to a missing level '" << at << "'";
        ASSERT_TRUE(visited.insert(at).second) << "the chain loops back to " << at;
        at = byName[at].nextLevel;
    }
    EXPECT_EQ(visited.size(), 30u);
    EXPECT_EQ(levels_[30].nextLevel, "end");

    // A first run starts at the first level.
    std::ifstream options(fs::path(TK_DATA_DIR) / "options.txt");
    std::stringstream text;
    text << options.rdbuf();
    EXPECT_NE(text.str().find("level:01"), std::string::npos);
}

TEST_F(ShippedLevels, UseEveryBackgroundAndGrowFromAFewPipesToLargeFields) {
    std::set<int> backgrounds;
    for (const auto& [n, level] : levels_) backgrounds.insert(level.backgroundNumber);
    EXPECT_EQ(backgrounds, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));

    for (int n = 1; n <= 5; ++n) EXPECT_LE(pipeCount(levels_[n]), 15) << n;
    for (int n = 26; n <= 30; ++n) EXPECT_GE(pipeCount(levels_[n]), 30) << n;
    // Each block of five levels holds more pipes than the one before it.
    int previous = 0;
    for (int block = 0; block < 6; ++block) {
        int sum = 0;
        for (int n = block * 5 + 1; n <= block * 5 + 5; ++n) sum += pipeCount(levels_[n]);
        EXPECT_GT(sum, previous) << "levels " << block * 5 + 1 << " to " << block * 5 + 5;
        previous = sum;
    }
}

}  // namespace
}  // namespace tk
