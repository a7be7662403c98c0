// The generator: repeatable for a seed, solvable, networks without loose ends added, and levels in their band.
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
    o.solverStates = 20000;  // no band to meet: any plan that wins will do
    return o;
}

void expectPlanWins(const Generated& g) {
    const ReplayResult replay = replayPlan(g.level, g.plan);
    EXPECT_TRUE(replay.legal) << g.plan;
    EXPECT_EQ(replay.wonAt, static_cast<int>(g.plan.size()) - 1) << g.plan;
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

TEST(Generator, GrowsWetNetworksWithStraightDeadEndsAndTurnsTheAskedNumberOfPipes) {
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

            // The network as grown: wet everywhere, no crosses, a dead end always a
            // straight (one winning orientation), no extra openings anywhere else.
            TileGrid solved;
            FlowGrid flow;
            solved.Fill(kBlankTile);
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kCols; ++x) solved(x, y) = g.solution[y][x];
            EXPECT_TRUE(spreadWater(solved, flow, level.sourceX, level.sourceY));
            int pipes = 0, turned = 0;
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kCols; ++x) {
                    const char l = solved(x, y);
                    EXPECT_TRUE(isPipe(l) || l == kFloorTile);
                    if (!isPipe(l)) continue;
                    ++pipes;
                    turned += level.Tile(x, y) != l;
                    EXPECT_NE(l, 'A') << "a cross at " << x << "," << y;
                    int joins = 0;
                    for (int d = 0; d < 4; ++d) {
                        const int nx = x + dirDx(d), ny = y + dirDy(d);
                        joins += opensToward(l, d) && InPlayArea(nx, ny) && opensToward(solved(nx, ny), opposite(d));
                    }
                    if (s.pipes > 1 && joins < __builtin_popcount(tileOpenings(l))) {
                        EXPECT_EQ(joins, 1) << "only dead ends open where nothing joins, at " << x << "," << y;
                        EXPECT_TRUE(l == 'F' || l == 'G') << "a dead end that is not a straight at " << x << "," << y;
                    }
                }
            EXPECT_EQ(pipes, s.pipes);
            if (s.pipes > 1) {
                EXPECT_EQ(turned, s.scramble);
            }
            EXPECT_TRUE(isPipe(level.Tile(level.playerX, level.playerY)));

            // Mixed up for real, and won by its plan within the time limit.
            TileGrid board;
            placeLevel(level, board, flow);
            if (s.pipes > 1) {
                EXPECT_FALSE(spreadWater(board, flow, level.sourceX, level.sourceY));
            }
            expectPlanWins(g);
            EXPECT_GE(level.timeLimit, 2 * planSeconds(g.plan));
            EXPECT_LE(level.timeLimit, 600);
        }
    }
}

TEST(Generator, MakesLevelsInTheAskedBand) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Expert}) {
        const DifficultyBand band = bandOf(d);
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(difficultyName(d)) + " seed " + std::to_string(seed));
            GenerateOptions o;
            o.seed = seed;
            o.difficulty = d;
            const Generated g = generateLevel(o);
            ASSERT_TRUE(g.ok) << g.error;
            EXPECT_TRUE(g.inBand);
            const Rating& r = g.rating;
            EXPECT_GE(r.score, band.minScore);
            EXPECT_LE(r.score, band.maxScore);
            EXPECT_GE(r.pipes, band.minPipes);
            EXPECT_LE(r.pipes, band.maxPipes);
            if (d != Difficulty::Easy) {
                EXPECT_GT(r.plan.size(), 2u) << "never won by two actions or fewer";
            }
            if (band.naiveLoses) {
                EXPECT_FALSE(r.naiveWins);
            }
            expectPlanWins(g);
            const Rating again = rateLevel(g.level, {o.solverStates});
            EXPECT_EQ(again.score, r.score) << "the rating is repeatable";
            EXPECT_EQ(g.level.timeLimit, suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins));
        }
    }
    EXPECT_EQ(difficultyNamed("hard"), Difficulty::Hard);
    EXPECT_EQ(difficultyNamed("impossible"), Difficulty::Any);
}

TEST(Generator, RefusesWhatCannotBeBuilt) {
    EXPECT_FALSE(generateLevel(sized(1, 78, 4)).ok);
    EXPECT_FALSE(generateLevel(sized(1, -1, 4)).ok);
    EXPECT_FALSE(generateLevel(sized(1, 10, -1)).ok);
    EXPECT_FALSE(generateLevel(sized(1, 10, -1)).error.empty());
}

TEST(TimeLimits, ReadingTimeAndTimePerTurnWithinTwiceAndTwentyTimesThePlan) {
    // 30 + 10 + 6 × 2 = 52, rounded up to 60, and a minute at least anyway.
    EXPECT_EQ(suggestedTimeLimit("R<R>", 20), 60);
    // 30 + 20 + 6 × 10 = 110; play time 20 × 0.22 = 4.4 s, twenty times that is 88.
    const std::string twenty = "R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>";
    EXPECT_EQ(suggestedTimeLimit(twenty.substr(0, 20), 40), 88);
    // A longer plan: 30 + 20 + 6 × 20 + 30 for needing thought = 200 s, under 20 × 8.8 s.
    EXPECT_EQ(suggestedTimeLimit(twenty, 40, true), 176);
    EXPECT_EQ(suggestedTimeLimit(twenty, 40, false), 170);
    for (std::size_t n : {1u, 14u, 37u, 150u, 400u, 1300u}) {
        const std::string plan(n, '>');
        const int t = suggestedTimeLimit(plan, 40);
        EXPECT_GE(t, 2 * planSeconds(plan)) << n;
        EXPECT_GE(t, 60) << n;
        EXPECT_LE(t, 600) << n;
        if (20 * planSeconds(plan) >= 60) {
            EXPECT_LE(t, 20 * planSeconds(plan)) << n;
        }
    }
    // A plan whose doubled play time passes ten minutes gets no limit at all.
    EXPECT_EQ(suggestedTimeLimit(std::string(1400, 'L'), 10), 0);
}

}  // namespace
}  // namespace tk
