// Loading a level for play: the title over the fresh board, the clock, the file's
// fields on the board.
#include "play_fixture.h"

namespace tk::test {
namespace {

class Loading : public PlayTest {
protected:
    Loading() {
        // Ends every level as soon as play starts, so only the loading is looked at.
        plat().Close(kPlayStarts + 1);
    }
};

TEST_F(Loading, TitleStandsOverTheFullBoardThenPlayStarts) {
    LevelText file;
    file.title = "Začátek/Beginning/third piece";
    file.time = "90";
    file.rows = {"fgfgfgfgfgfXYZ", "LLLLLLLLLLL", "AAAAAAAAAAA", "LLLLLLLLLLL",
                  "LLLLLLLLLLL", "LLLLLLLLLLL", "hijkhijkhij"};
    file.source = "3, 2";
    file.player = "2.5,3.5";  // halves go to the even neighbour: 2, 4
    file.background = "5";
    file.next = "next level ";
    writeLevel("t1", file);

    bool checkedTitle = false;
    plat().At(700, [&] {
        checkedTitle = true;
        EXPECT_TRUE(view().play.titleShown);
        EXPECT_EQ(view().play.title, "Beginning");
        EXPECT_TRUE(view().play.boardShown);
        EXPECT_TRUE(view().play.clockShown);
        EXPECT_EQ(view().play.clock, "01:30");
        EXPECT_FALSE(session().clock().Running()) << "the clock waits for the title";
        EXPECT_TRUE(plat().Sounds().empty());

        // All 77 cells are on the board, each from its own piece of background 5.
        int wrong = 0;
        for (int x = 0; x < kCols; ++x) {
            for (int y = 0; y < kRows; ++y) {
                const char letter = level().board(x, y);
                const bool wet = level().flow(x, y) == Water::Wet;
                const bool source = x == 3 && y == 2;
                const Rgba underlay = letter == kFloorTile ? colourOf(kSlotFloor)
                                      : source            ? colourOf(kSlotSource)
                                      : wet               ? colourOf(kWetBase + 11)
                                                          : colourOf(kDryBase + 11);
                wrong += !(pixel(x, y, 5, 5) == underlay);
                wrong += !(pixel(x, y, 5, 15) == backgroundAt(70 * x + 5, 70 * y + 15));
                if (letter != kFloorTile) {
                    const int slot = (wet ? kWetBase : kDryBase) + (letter - 'A');
                    wrong += !(pixel(x, y, 5, 25) == colourOf(slot));
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(pixel(2, 4, rows::figureLeft, rows::figureTop), colourOf(kSlotPlayer));
    });
    play("t1");
    EXPECT_TRUE(checkedTitle);

    EXPECT_EQ(level().levelTitle, "Beginning");
    EXPECT_EQ(level().timeLimit, 90);
    EXPECT_EQ(level().sourceX, 3);
    EXPECT_EQ(level().sourceY, 2);
    EXPECT_EQ(level().playerX, 2);
    EXPECT_EQ(level().playerY, 4);
    EXPECT_EQ(level().backgroundNumber, 5);
    EXPECT_EQ(level().nextLevel, "next level ");
    EXPECT_EQ(level().board(0, 0), 'F');
    EXPECT_EQ(level().board(10, 0), 'F') << "characters after the eleventh are ignored";
    EXPECT_EQ(level().board(3, 6), 'K');
    // The row of crosses carries water from the source at (3, 2) both ways.
    for (int x = 0; x < kCols; ++x) EXPECT_EQ(level().flow(x, 2), Water::Wet) << x;
    EXPECT_EQ(level().flow(0, 0), Water::Dry);
    EXPECT_EQ(level().flow(-1, 2), Water::Unset) << "the border is never evaluated";
    EXPECT_EQ(level().board(-1, 2), kBlankTile);

    // The title went away when play began, the clock was started, "start" sounded.
    EXPECT_FALSE(view().play.titleShown);
    ASSERT_FALSE(plat().Sounds().empty());
    EXPECT_EQ(plat().Sounds().front(), "start");
    EXPECT_EQ(plat().LogOf("sound").front().at, kPlayStarts);
}

TEST_F(Loading, CzechTitleAndIdenticalStateOnEveryLoad) {
    LevelText file;
    file.title = "Potrubí/Pipes";
    file.rows[0] = "JKLLLLLLLLL";
    file.rows[1] = "IHLLLLLLLLL";
    writeLevel("loop", file);
    czech = true;

    play("loop");
    EXPECT_EQ(level().levelTitle, "Potrubí");
    EXPECT_EQ(view().play.title, "Potrubí");
    const TileGrid board = level().board;
    const FlowGrid flow = level().flow;
    EXPECT_EQ(level().flow(1, 1), Water::Wet);

    // Spoil everything the loader sets; the next load must restore it all from the file.
    level().board(0, 0) = 'G';
    level().board(5, 5) = 'A';
    level().flow.Fill(Water::Wet);
    session().clock().setTimeLeft(3);
    level().playerX = 7;
    plat().Close(plat().Now() + kPlayStarts + 1);
    play("loop");
    EXPECT_EQ(level().board, board);
    EXPECT_EQ(level().flow, flow);
    EXPECT_EQ(session().clock().timeLeft(), 100);
    EXPECT_EQ(level().playerX, 0);
}

}  // namespace
}  // namespace tk::test
