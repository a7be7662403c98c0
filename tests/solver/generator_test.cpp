// The generator: repeatable for a seed, and every level it writes reads back, checks and solves.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "puzzle/generator.h"
#include "puzzle/solver.h"
#include "puzzle/water.h"

namespace tk {
namespace {

GenerateOptions sized(std::uint64_t seed, int pipes, int scramble) {
    GenerateOptions o;
    o.seed = seed;
    o.pipes = pipes;
    o.scramble = scramble;
    return o;
}

TEST(Generator, TheSameSeedGivesTheSameFileAndOthersDiffer) {
    const GenerateOptions o = sized(42, 18, 6);
    const Generated a = generateLevel(o), b = generateLevel(o);
    ASSERT_TRUE(a.ok) << a.error;
    ASSERT_TRUE(b.ok) << b.error;
    EXPECT_EQ(writeLevel(a.level), writeLevel(b.level));
    EXPECT_EQ(a.plan, b.plan);

    std::set<std::string> texts;
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        const Generated g = generateLevel(sized(seed, 18, 6));
        ASSERT_TRUE(g.ok) << g.error;
        texts.insert(writeLevel(g.level));
    }
    EXPECT_EQ(texts.size(), 5u);
}

TEST(Generator, EveryLevelReadsBackChecksAndSolves) {
    struct Size {
        int pipes, scramble;
    };
    for (const Size s : {Size{1, 1}, Size{2, 1}, Size{6, 2}, Size{15, 5}, Size{30, 10},
                         Size{50, 12}, Size{77, 8}}) {
        for (std::uint64_t seed = 7; seed < 10; ++seed) {
            SCOPED_TRACE("pipes " + std::to_string(s.pipes) + " seed " + std::to_string(seed));
            GenerateOptions o = sized(seed, s.pipes, s.scramble);
            o.titleCs = "Žlutý kůň";
            o.titleEn = "Yellow horse";
            o.next = "07";
            const Generated g = generateLevel(o);
            ASSERT_TRUE(g.ok) << g.error;

            const LevelRead read = parseLevel(writeLevel(g.level));
            ASSERT_TRUE(read.level);
            EXPECT_TRUE(read.problems.empty()) << read.problems.front().message;
            const LevelFile& level = *read.level;
            EXPECT_EQ(level.titleCs, "Žlutý kůň");
            EXPECT_EQ(level.titleEn, "Yellow horse");
            EXPECT_EQ(level.nextLevel, "07");
            EXPECT_GE(level.backgroundNumber, 1);
            EXPECT_LE(level.backgroundNumber, 7);

            int pipes = 0;
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kCols; ++x) {
                    EXPECT_TRUE(isPipe(level.Tile(x, y)) || level.Tile(x, y) == kFloorTile);
                    pipes += isPipe(level.Tile(x, y));
                }
            EXPECT_EQ(pipes, s.pipes);
            EXPECT_TRUE(isPipe(level.Tile(level.playerX, level.playerY)));

            // Mixed up for real: not wet everywhere as loaded.
            TileGrid board;
            FlowGrid flow;
            placeLevel(level, board, flow);
            if (s.pipes > 1) {
                EXPECT_FALSE(spreadWater(board, flow, level.sourceX, level.sourceY));
            }

            const ReplayResult replay = replayPlan(level, g.plan);
            EXPECT_TRUE(replay.legal);
            EXPECT_EQ(replay.wonAt, static_cast<int>(g.plan.size()) - 1);
            EXPECT_GE(level.timeLimit, 2 * planSeconds(g.plan));
            EXPECT_LE(level.timeLimit, 600);
        }
    }
}

TEST(Generator, RefusesWhatCannotBeBuilt) {
    EXPECT_FALSE(generateLevel(sized(1, 0, 4)).ok);
    EXPECT_FALSE(generateLevel(sized(1, 78, 4)).ok);
    EXPECT_FALSE(generateLevel(sized(1, 10, 0)).ok);
    EXPECT_FALSE(generateLevel(sized(1, 10, 0)).error.empty());
}

TEST(TimeLimits, AreGenerousForPeopleAndNeverAboveTenMinutes) {
    EXPECT_EQ(suggestedTimeLimit("", 1), 90);                   // a minute to look, in half minutes
    EXPECT_EQ(suggestedTimeLimit(std::string(10, 'R'), 20), 150);  // 60 + 50 + 40
    EXPECT_EQ(suggestedTimeLimit(std::string(100, '<'), 77), 600);  // capped
    for (std::size_t n : {1u, 37u, 150u, 400u, 1300u}) {
        const std::string plan(n, '>');
        const int t = suggestedTimeLimit(plan, 40);
        EXPECT_GE(t, 2 * planSeconds(plan)) << n;
        EXPECT_LE(t, 600) << n;
        EXPECT_EQ(t % 30, 0) << n;
    }
    // A plan whose doubled play time passes ten minutes gets no limit at all.
    EXPECT_EQ(suggestedTimeLimit(std::string(1400, 'L'), 10), 0);
}

}  // namespace
}  // namespace tk
