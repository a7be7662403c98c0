// Loading a level for play: the title over the fresh board, the clock, the file's
// fields on the board, and files that cannot be played.
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
    LevelText level;
    level.title = "Začátek/Beginning/third piece";
    level.time = "90";
    level.rows = {"fgfgfgfgfgfXYZ", "LLLLLLLLLLL", "AAAAAAAAAAA", "LLLLLLLLLLL",
                  "LLLLLLLLLLL", "LLLLLLLLLLL", "hijkhijkhij"};
    level.source = "3, 2";
    level.player = "2.5,3.5";  // halves go to the even neighbour: 2, 4
    level.background = "5";
    level.next = "next level ";
    writeLevel("t1", level);

    bool checkedTitle = false;
    plat().At(700, [&] {
        checkedTitle = true;
        for (const Label& label : form().Label5) {
            EXPECT_TRUE(label.Visible);
            EXPECT_EQ(label.Caption, "Beginning");
            EXPECT_EQ(label.FontSize, 48);
            EXPECT_TRUE(label.FontBold);
        }
        EXPECT_TRUE(form().picGame.Visible);
        EXPECT_TRUE(form().Label4.Visible);
        EXPECT_EQ(form().Label4.Caption, "01:30");
        EXPECT_FALSE(form().Timer1.Enabled) << "the clock waits for the title";
        EXPECT_TRUE(plat().Sounds().empty());

        // All 77 cells are on the board, each from its own piece of background 5.
        int wrong = 0;
        for (int x = 0; x < kCols; ++x) {
            for (int y = 0; y < kRows; ++y) {
                const char letter = form().board(x, y);
                const bool wet = form().flow(x, y) == flowWet;
                const bool source = x == 3 && y == 2;
                const Rgba underlay = letter == kFloorTile ? colourOf(slotFloor)
                                      : source            ? colourOf(slotSource)
                                      : wet               ? colourOf(wetBase + 11)
                                                          : colourOf(dryBase + 11);
                wrong += !(pixel(x, y, 5, 5) == underlay);
                wrong += !(pixel(x, y, 5, 15) == backgroundAt(70 * x + 5, 70 * y + 15));
                if (letter != kFloorTile) {
                    const int slot = (wet ? wetBase : dryBase) + (letter - 'A');
                    wrong += !(pixel(x, y, 5, 25) == colourOf(slot));
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(pixel(2, 4, rows::figureLeft, rows::figureTop), colourOf(slotPlayer));
    });
    form().NactiHru("t1");
    EXPECT_TRUE(checkedTitle);

    EXPECT_EQ(form().levelTitle, "Beginning");
    EXPECT_EQ(form().timeLimit, 90);
    EXPECT_EQ(form().sourceX, 3);
    EXPECT_EQ(form().sourceY, 2);
    EXPECT_EQ(form().playerX, 2);
    EXPECT_EQ(form().playerY, 4);
    EXPECT_EQ(form().backgroundNumber, 5);
    EXPECT_EQ(form().nextLevel, "next level ");
    EXPECT_EQ(form().board(0, 0), 'F');
    EXPECT_EQ(form().board(10, 0), 'F') << "characters after the eleventh are ignored";
    EXPECT_EQ(form().board(3, 6), 'K');
    // The row of crosses carries water from the source at (3, 2) both ways.
    for (int x = 0; x < kCols; ++x) EXPECT_EQ(form().flow(x, 2), flowWet) << x;
    EXPECT_EQ(form().flow(0, 0), flowDry);
    EXPECT_EQ(form().flow(-1, 2), flowUnset) << "the border is never evaluated";
    EXPECT_EQ(form().board(-1, 2), kBlankTile);

    // The title went away when play began, the clock was started, "start" sounded.
    for (const Label& label : form().Label5) EXPECT_FALSE(label.Visible);
    ASSERT_FALSE(plat().Sounds().empty());
    EXPECT_EQ(plat().Sounds().front(), "start");
    EXPECT_EQ(plat().LogOf("sound").front().at, kPlayStarts);
}

TEST_F(Loading, CzechTitleAndIdenticalStateOnEveryLoad) {
    LevelText level;
    level.title = "Potrubí/Pipes";
    level.rows[0] = "JKLLLLLLLLL";
    level.rows[1] = "IHLLLLLLLLL";
    writeLevel("loop", level);
    form().isCzech = true;

    form().NactiHru("loop");
    EXPECT_EQ(form().levelTitle, "Potrubí");
    EXPECT_EQ(form().Label5[3].Caption, "Potrubí");
    const TileGrid board = form().board;
    const FlowGrid flow = form().flow;
    EXPECT_EQ(form().flow(1, 1), flowWet);

    // Spoil everything the loader sets; the next load must restore it all from the file.
    form().board(0, 0) = 'G';
    form().board(5, 5) = 'A';
    form().flow.Fill(flowWet);
    form().timeLeft = 3;
    form().playerX = 7;
    plat().Close(plat().Now() + kPlayStarts + 1);
    form().NactiHru("loop");
    EXPECT_EQ(form().board, board);
    EXPECT_EQ(form().flow, flow);
    EXPECT_EQ(form().timeLeft, 100);
    EXPECT_EQ(form().playerX, 0);
}

TEST_F(Loading, ALevelThatCannotBePlayedReturnsToTheMenuUntouched) {
    // Leftovers of a level played before: the board must survive a refused load.
    LevelText good;
    good.rows[0] = "FFFFLLLLLLL";
    writeLevel("good", good);
    form().NactiHru("good");
    const TileGrid board = form().board;
    const std::string next = form().nextLevel;

    LevelText badLetters;
    badLetters.rows[2] = "FFFFF?FFFFF";
    badLetters.background = "9";
    writeLevel("broken", badLetters);
    writeLevelBytes("short", "Krátká/Short\r\n100\r\nFFFFFFFFFFF\r\n");

    struct Case {
        const char* name;
        std::vector<std::string> mentions;
    };
    const Case cases[] = {
        {"missing", {"missing.kulap"}},
        {"broken", {"broken.kulap:5:", "broken.kulap:13:"}},
        {"short", {"short.kulap:"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form().picGame.Visible = true;
        form().Label4.Visible = true;
        form().screenMode = modePlaying;
        const std::size_t boxes = plat().LogOf("msgbox").size();
        const std::uint64_t before = plat().Now();

        testing::internal::CaptureStderr();
        form().NactiHru(c.name);
        const std::string details = testing::internal::GetCapturedStderr();

        EXPECT_EQ(form().screenMode, modeMainMenu);
        EXPECT_FALSE(form().picGame.Visible);
        EXPECT_FALSE(form().Label4.Visible);
        EXPECT_FALSE(form().Timer1.Enabled);
        EXPECT_EQ(plat().Now(), before) << "no title pause for a level that is not played";
        // The player is told which level, by its name; the author reads the details.
        const auto msgs = plat().LogOf("msgbox");
        ASSERT_EQ(msgs.size(), boxes + 1);
        EXPECT_EQ(msgs.back().detail,
                  "The level \"" + std::string(c.name) + "\" cannot be loaded: its file is missing or damaged.");
        for (const std::string& m : c.mentions) EXPECT_NE(details.find(m), std::string::npos) << details;
        EXPECT_NE(details.find(plat().ProgramFolder() + "/levels/"), std::string::npos) << details;
        EXPECT_EQ(form().board, board);
        EXPECT_EQ(form().nextLevel, next);
        for (const Label& label : form().Label5) EXPECT_FALSE(label.Visible);
    }
    EXPECT_EQ(countSounds("start"), 1);

    // In the Czech game the message is Czech, and names no path.
    form().isCzech = true;
    testing::internal::CaptureStderr();
    form().NactiHru("broken");
    const std::string details = testing::internal::GetCapturedStderr();
    EXPECT_EQ(plat().LogOf("msgbox").back().detail,
              "Úroveň „broken“ nelze načíst: její soubor chybí nebo je poškozený.");
    // Both faults of the broken file are listed, one per line.
    EXPECT_NE(details.find("broken.kulap:5: "), std::string::npos) << details;
    EXPECT_NE(details.find("\n" + plat().ProgramFolder() + "/levels/broken.kulap:13: "), std::string::npos)
        << details;
}

}  // namespace
}  // namespace tk::test
