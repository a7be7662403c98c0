// The whole road of a played level with the game's own data: the menu's Play, the
// title, turning the first level's pipe into place, the next level, leaving it.
#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace tk::test {
namespace {

TEST(FromTheMenu, PlayTurnWinNextLevelAndLeave) {
    GameFixture g;
    HeadlessPlatform& plat = g.plat;
    Program& program = g.program;
    const PlayView& shown = g.view().play;
    const std::uint64_t play = GameFixture::kMenuReady + 10;
    plat.Press(play, Key::Return);
    plat.At(play + 700, [&] {
        EXPECT_EQ(g.level().levelTitle, "The Well");
        EXPECT_TRUE(shown.titleShown);
        EXPECT_TRUE(shown.boardShown);
    });
    // Level 01: the figure stands on the elbow that must open down and right, two
    // clockwise quarter turns away.
    const std::uint64_t turn = play + 1500 + 210;
    plat.KeyDown(turn, Key::Control);
    plat.KeyDown(turn, Key::Right);
    plat.KeyUp(turn + 290, Key::Control);
    plat.KeyUp(turn + 290, Key::Right);
    plat.At(turn + 1500, [&] {
        EXPECT_EQ(g.level().board(4, 2), 'J');
        EXPECT_EQ(program.play().phase(), PlayPhase::ShowingWon);
    });
    // After four seconds of the win picture the next level comes up.
    const std::uint64_t next = turn + 420 + 4000 + 1500 + 300;
    plat.At(next, [&] {
        EXPECT_EQ(program.play().phase(), PlayPhase::Waiting);
        EXPECT_NE(g.level().levelTitle, "The Well");
        EXPECT_FALSE(shown.titleShown);
    });
    plat.Press(next + 10, Key::Escape);
    plat.Press(next + 500, Key::Y);
    plat.At(next + 1000, [&] {
        EXPECT_EQ(program.screen(), Menus::Screen::MainMenu);
        EXPECT_FALSE(shown.boardShown);
        EXPECT_TRUE(g.view().menu.shown);
    });

    EXPECT_EQ(g.Run(), 0);
    const std::vector<std::string> sounds = plat.Sounds();
    const auto count = [&](const char* s) { return std::count(sounds.begin(), sounds.end(), s); };
    EXPECT_EQ(count("start"), 2);
    EXPECT_EQ(count("move"), 2);
    EXPECT_EQ(count("winner"), 1);
    EXPECT_EQ(count("looser"), 0);
    EXPECT_TRUE(program.unloaded());
}

}  // namespace
}  // namespace tk::test
