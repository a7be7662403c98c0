// The generator: repeatable for a seed, solvable, networks without loose ends added, and levels in their band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Forty actions, twenty of them quarter turns.
std::string twenty40() { return "R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>R<R>"; }

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

TEST(Generator, MakesLevelsInTheAskedBandAsRateMeasuresThem) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Expert}) {
        const DifficultyBand band = bandOf(d);
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(difficultyName(d)) + " seed " + std::to_string(seed));
            GenerateOptions o;
            o.seed = seed;
            o.difficulty = d;
            o.rateStates = 200'000;
            const Generated g = generateLevel(o);
            ASSERT_TRUE(g.ok) << g.error;
            // What rate says with the budget the band was checked with: the same numbers.
            const Rating r = rateLevel(g.level, {o.rateStates});
            EXPECT_EQ(r.score, g.rating.score);
            EXPECT_EQ(r.plan, g.plan);
            EXPECT_GE(r.score, band.minScore);
            EXPECT_LE(r.score, band.maxScore);
            EXPECT_GE(r.pipes, band.minPipes);
            EXPECT_LE(r.pipes, band.maxPipes);
            if (d != Difficulty::Easy) {
                EXPECT_GT(r.plan.size(), 2u) << "never won by two actions or fewer";
            }
            if (band.naiveLoses) {
                EXPECT_FALSE(r.naiveWins);
                EXPECT_FALSE(r.explorerWins);
                EXPECT_LE(r.walkPercent, 70);
            }
            expectPlanWins(g);
            EXPECT_EQ(g.level.timeLimit, suggestedTimeLimit(r.plan, r.pipes, !r.naiveWins, r.lowerBound));
        }
    }
    EXPECT_EQ(difficultyNamed("hard"), Difficulty::Hard);
    EXPECT_EQ(difficultyNamed("impossible"), Difficulty::Any);
}

TEST(Generator, TriesTheNextSeedsInTurnAndSaysSoWhenNoneMeetsTheBand) {
    // One try a seed: the first seeds miss the band, a later one meets it; asking for that
    // seed alone gives the very same file.
    GenerateOptions o;
    o.seed = 55;
    o.difficulty = Difficulty::Medium;
    o.maxTries = 1;
    o.seeds = 30;
    o.rateStates = 100'000;
    const Generated g = generateLevel(o);
    ASSERT_TRUE(g.ok) << g.error;
    EXPECT_EQ(g.seed, 57u) << "seeds 55 and 56 miss at their one try";
    EXPECT_EQ(g.tries, static_cast<int>(g.seed - o.seed) + 1);
    GenerateOptions alone = o;
    alone.seed = g.seed;
    alone.seeds = 1;
    alone.background = 1 + static_cast<int>(o.seed % 7);  // the background comes from the seed asked for
    EXPECT_EQ(writeLevel(generateLevel(alone).level), writeLevel(g.level));
    EXPECT_EQ(writeLevel(generateLevel(o).level), writeLevel(g.level)) << "the same arguments, the same file";

    // A field of six pipes never scores like an expert level.
    GenerateOptions tiny;
    tiny.seed = 3;
    tiny.difficulty = Difficulty::Expert;
    tiny.pipes = 6;
    tiny.maxTries = 20;
    const Generated none = generateLevel(tiny);
    EXPECT_FALSE(none.ok);
    EXPECT_NE(none.error.find("no level in the expert band"), std::string::npos) << none.error;
    EXPECT_NE(none.error.find("seeds 3 to 6"), std::string::npos) << none.error;
    EXPECT_EQ(none.tries, 80);
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
        const double reading = std::ceil((30 + 20 + 3.0 * static_cast<double>(n)) / 10) * 10;
        EXPECT_GE(t, 2 * planSeconds(plan)) << n;
        EXPECT_GE(t, 60) << n;
        EXPECT_GE(t, reading) << n;
        EXPECT_LE(t, std::max(600.0, reading)) << n;
        if (20 * planSeconds(plan) >= 60) {
            EXPECT_LE(t, std::max(20 * planSeconds(plan), reading)) << n;
        }
    }
    // A plan whose doubled play time passes ten minutes gets no limit at all.
    EXPECT_EQ(suggestedTimeLimit(std::string(1400, 'L'), 10), 0);
}

TEST(TimeLimits, TheCapNeverCutsTheReadingTimeAndCountsTheBoundOfAPlanNotProvenShortest) {
    // 34 pipes and 14 actions, 6 of them turns: twenty times the play time is 61.6 s, but
    // reading takes 30 + 17 + 3 × 6 = 65 s, so 70.
    const std::string fourteen = "LDR>>U<LU<<>UU";
    EXPECT_EQ(suggestedTimeLimit(fourteen, 34, true), 70);
    // Ten minutes is no cap on reading either: 77 pipes, 200 quarter turns.
    const std::string turns(200, '>');
    EXPECT_EQ(suggestedTimeLimit(turns, 77, true), 670);
    // A plan of 40 actions (play time 8.8 s) that may be 30 long at best: twenty times the
    // shortest possible play time, 132 s, not 176 s.
    const std::string forty = twenty40();
    EXPECT_EQ(suggestedTimeLimit(forty, 40, true), 176);
    EXPECT_EQ(suggestedTimeLimit(forty, 40, true, 30), 132);
    EXPECT_EQ(suggestedTimeLimit(forty, 40, true, 40), 176) << "a bound as long as the plan proves it";
}

}  // namespace
}  // namespace tk
