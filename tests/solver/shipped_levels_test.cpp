// The thirty levels that ship with the game: well formed, solvable in time, chained, varied.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <cstdio>
#include <string>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"

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
            problems_[name(n)] = read.problems.size();
            if (read.level) levels_[name(n)] = *read.level;
        }
    }
    static std::map<std::string, LevelFile> levels_;
    static std::map<std::string, std::size_t> problems_;
};
std::map<std::string, LevelFile> ShippedLevels::levels_;
std::map<std::string, std::size_t> ShippedLevels::problems_;

TEST_F(ShippedLevels, AllThirtyReadWithoutAnyProblem) {
    ASSERT_EQ(levels_.size(), 30u);
    for (const auto& [n, count] : problems_) EXPECT_EQ(count, 0u) << n;
    for (const auto& [n, level] : levels_) {
        EXPECT_FALSE(level.titleCs.empty()) << n;
        EXPECT_FALSE(level.titleEn.empty()) << n;
        EXPECT_NE(level.titleCs, level.titleEn) << n;
    }
    // Czech titles keep their letters: stored as UTF-8 and read back unchanged.
    EXPECT_EQ(levels_["01"].titleCs, "Studánka");
    EXPECT_EQ(levels_["29"].titleCs, "Čistírna");
}

TEST_F(ShippedLevels, EachIsSolvedWellWithinItsTimeLimit) {
    for (const auto& [n, level] : levels_) {
        SCOPED_TRACE("level " + n);
        SolveOptions options;
        options.maxStates = 200'000;
        const SolveResult r = solveLevel(level, options);
        ASSERT_EQ(r.status, SolveStatus::Solved) << r.reason;
        const ReplayResult replay = replayPlan(level, r.plan);
        EXPECT_TRUE(replay.legal);
        EXPECT_EQ(replay.wonAt, static_cast<int>(r.plan.size()) - 1);
        EXPECT_GE(level.timeLimit, 2 * planSeconds(r.plan));
        EXPECT_GE(level.timeLimit, 60) << "a person needs time to look first";
        EXPECT_LE(level.timeLimit, 600);
    }
}

TEST_F(ShippedLevels, ChainFromTheFirstThroughAllThirtyToTheEnd) {
    std::set<std::string> visited;
    std::string at = "01";
    while (at != "end") {
        ASSERT_TRUE(levels_.count(at)) << "the chain leads to a missing level '" << at << "'";
        ASSERT_TRUE(visited.insert(at).second) << "the chain loops back to " << at;
        at = levels_[at].nextLevel;
    }
    EXPECT_EQ(visited.size(), 30u);
    EXPECT_EQ(levels_["30"].nextLevel, "end");

    // A first run starts at the first level.
    std::ifstream options(fs::path(TK_DATA_DIR) / "options.txt");
    std::stringstream text;
    text << options.rdbuf();
    EXPECT_NE(text.str().find("level:01"), std::string::npos);
}

TEST_F(ShippedLevels, UseEveryBackgroundAndGrowFromAFewPipesToAFullField) {
    std::set<int> backgrounds;
    for (const auto& [n, level] : levels_) backgrounds.insert(level.backgroundNumber);
    EXPECT_EQ(backgrounds, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));

    for (int n = 1; n <= 5; ++n) EXPECT_LE(pipeCount(levels_[name(n)]), 15) << n;
    for (int n = 26; n <= 30; ++n) EXPECT_GE(pipeCount(levels_[name(n)]), 55) << n;
    // Each block of five levels holds more pipes than the one before it.
    int previous = 0;
    for (int block = 0; block < 6; ++block) {
        int sum = 0;
        for (int n = block * 5 + 1; n <= block * 5 + 5; ++n) sum += pipeCount(levels_[name(n)]);
        EXPECT_GT(sum, previous) << "levels " << block * 5 + 1 << " to " << block * 5 + 5;
        previous = sum;
    }
}

}  // namespace
}  // namespace tk
