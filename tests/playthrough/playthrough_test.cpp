// The whole game played from the menu through all thirty levels, pressing keys as a player would.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/game_fixture.h"
#include "support/level_player.h"

namespace tk::test {
namespace {

TEST(PlayThrough, EveryLevelIsWonInTurnAndTheFinalScreenFollows) {
    std::vector<PlannedLevel> chain = planTheChain();
    ASSERT_EQ(chain.size(), 30u);

    HeadlessOptions options;
    options.drawBoard = false;
    GameFixture game(options);
    Player player(game.plat, game.program, chain);
    player.Start(GameFixture::kMenuReady + 10);

    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(player.finished);
    EXPECT_TRUE(player.sawFinalScreen);

    std::vector<std::string> expected;
    for (const PlannedLevel& p : chain) expected.push_back(p.level.titleEn);
    EXPECT_EQ(player.titlesWon, expected);

    const std::vector<std::string> sounds = game.plat.Sounds();
    const auto count = [&](const char* s) { return std::count(sounds.begin(), sounds.end(), s); };
    EXPECT_EQ(count("winner"), 30);
    EXPECT_EQ(count("looser"), 0);
    EXPECT_EQ(count("start"), 30);
    std::size_t turns = 0;
    for (const PlannedLevel& p : chain)
        turns += std::count_if(p.plan.begin(), p.plan.end(), [](char c) { return c == '<' || c == '>'; });
    // One "move" per quarter turn: no turn ran twice because a key was held too long.
    EXPECT_EQ(static_cast<std::size_t>(count("move")), turns);
    EXPECT_EQ(game.program.screen(), Menus::Screen::MainMenu);
}

// A player with only a game controller: the first three levels, started from the menu
// with A, walked with the d-pad and the stick, turned with the shoulders and X and Y.
TEST(PlayThrough, AGameControllerAloneWinsTheFirstLevels) {
    std::vector<PlannedLevel> chain = planTheChain();
    ASSERT_GE(chain.size(), 3u);
    chain.resize(3);

    HeadlessOptions options;
    options.drawBoard = false;
    GameFixture game(options);
    Player player(game.plat, game.program, chain, true);
    player.Start(GameFixture::kMenuReady + 10);

    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(player.finished);
    const std::vector<std::string> expected{chain[0].level.titleEn, chain[1].level.titleEn, chain[2].level.titleEn};
    EXPECT_EQ(player.titlesWon, expected);
    const std::vector<std::string> sounds = game.plat.Sounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "winner"), 3);
}

}  // namespace
}  // namespace tk::test
