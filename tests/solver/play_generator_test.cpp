// Levels made for play: the day's date in UTC and its seed and band, and levels that always come, in their band, the same on every machine.
#include <gtest/gtest.h>

#include <set>

#include "puzzle/daily.h"
#include "puzzle/play_generator.h"
#include "puzzle/rating.h"
#include "support/daily_fingerprint.h"

namespace tk {
namespace {

using test::DailyFingerprint;
using test::dailyFingerprint;
using test::kDailyFingerprints;

constexpr std::int64_t kJune12 = 1749686400;  // 2025-06-12 00:00:00 UTC, a Thursday

TEST(DailyPuzzle, TheDateTurnsAtMidnightUtcAndTheSeedAndBandFollowTheDateAlone) {
    EXPECT_EQ(utcDateOf(kJune12 - 1), (CivilDate{2025, 6, 11}));
    EXPECT_EQ(utcDateOf(kJune12), (CivilDate{2025, 6, 12}));
    EXPECT_EQ(utcDateOf(kJune12 + 86399), (CivilDate{2025, 6, 12}));
    EXPECT_EQ(utcDateOf(0), (CivilDate{1970, 1, 1}));
    EXPECT_EQ(utcDateOf(-1), (CivilDate{1969, 12, 31})) << "a clock set before 1970 rounds down";
    EXPECT_EQ(utcDateOf(1709164800), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(isoDate(CivilDate{2025, 6, 2}), "2025-06-02");

    // The same day everywhere gives the same seed; each day of two years its own.
    EXPECT_EQ(dailySeed(utcDateOf(kJune12)), dailySeed(utcDateOf(kJune12 + 86399)));
    std::set<std::uint64_t> seeds;
    for (int day = 0; day < 730; ++day) seeds.insert(dailySeed(utcDateOf(kJune12 + std::int64_t{86400} * day)));
    EXPECT_EQ(seeds.size(), 730u);

    // The week grows harder from Monday 9 June.
    const Difficulty week[7] = {Difficulty::Easy, Difficulty::Medium, Difficulty::Medium, Difficulty::Hard,
                                Difficulty::Hard, Difficulty::Expert, Difficulty::Expert};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(dailyBand(CivilDate{2025, 6, 9 + day}), week[day]) << "June " << 9 + day;
}

TEST(DailyPuzzle, EachDateMakesTheLevelEveryBuildOfTheGameMakes) {
    // The same fingerprints are checked inside the web page.
    for (const DailyFingerprint& day : kDailyFingerprints) {
        SCOPED_TRACE(day.date.day);
        EXPECT_EQ(dailyFingerprint(day.date), day.fingerprint);
    }
}

TEST(DailyPuzzle, ItsBestIsKeptUnderAKeyNoLevelNameCanHave) {
    EXPECT_EQ(dailyBestKey(CivilDate{2025, 6, 12}), "daily/2025-06-12");
    EXPECT_FALSE(isPlainLevelName(dailyBestKey(CivilDate{2025, 6, 12})));
    EXPECT_TRUE(isDailyBestKey("daily/2024-02-29"));
    for (const char* other : {"daily/2025-02-29", "daily/2025-6-12", "daily/", "daily", "2025-06-12", "daily/2025-06-12x",
                              "daily/2025-13-01", "xdaily/2025-06-12"})
        EXPECT_FALSE(isDailyBestKey(other)) << other;
}

// Whether a level meets its band as the game measures it (with the game's budget).
bool inBand(const Generated& made, Difficulty band) {
    const Rating r = rateLevel(made.level, {playOptions(band, made.seed).solverStates});
    const DifficultyBand b = bandOf(band);
    return r.status == SolveStatus::Solved && r.score >= b.minScore && r.score <= b.maxScore &&
           static_cast<int>(r.plan.size()) >= b.minActions && (!b.naiveLoses || (!r.naiveWins && !r.explorerWins));
}

TEST(LevelsForPlay, EveryBandGivesALevelInItsBandTheSameEachTime) {
    for (Difficulty band : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Expert}) {
        SCOPED_TRACE(difficultyName(band));
        const Generated made = generateForPlay(band, 20250612);
        ASSERT_TRUE(made.ok);
        EXPECT_TRUE(inBand(made, band));
        EXPECT_GT(made.level.timeLimit, 0);
        const Generated again = generateForPlay(band, 20250612);
        EXPECT_EQ(again.seed, made.seed);
        EXPECT_EQ(again.level.rows, made.level.rows);
        EXPECT_EQ(again.level.playerX, made.level.playerX);
        EXPECT_EQ(again.level.playerY, made.level.playerY);
    }
}

TEST(LevelsForPlay, ASeedThatGivesNoneInItsBudgetGivesWayToTheFirstOfTheNextThatDoes) {
    // The first seed from 1 whose own budget gives no hard level.
    std::uint64_t barren = 0;
    for (std::uint64_t s = 1; s < 200 && barren == 0; ++s)
        if (!generateLevel(playOptions(Difficulty::Hard, s)).ok) barren = s;
    ASSERT_NE(barren, 0u) << "no seed of 200 needed another";
    std::uint64_t next = barren + 1;
    while (!generateLevel(playOptions(Difficulty::Hard, next)).ok) ++next;

    const Generated made = generateForPlay(Difficulty::Hard, barren);
    ASSERT_TRUE(made.ok) << "never an error";
    EXPECT_EQ(made.seed, next);
    EXPECT_EQ(made.level.rows, generateLevel(playOptions(Difficulty::Hard, next)).level.rows);
    EXPECT_TRUE(inBand(made, Difficulty::Hard));
}

}  // namespace
}  // namespace tk
