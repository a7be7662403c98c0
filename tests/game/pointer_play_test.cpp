// A level played with the pointer, and paused: a click walks the figure the shortest way at
// the pace of a held arrow, a click on its own cell (or the wheel) turns the pipe, a key or
// a new click stops a walk; clicks off the board or out of reach do nothing. P, the
// controller's Back and a loss of focus pause with the board hidden and the clock standing.
#include "play_fixture.h"

#include "platform/window_look.h"
#include "puzzle/pacing.h"

namespace tk::test {
namespace {

// The middle of a cell, in window pixels.
int atX(int cellX) { return kBoardLeft + kCellPx * cellX + kCellPx / 2; }
int atY(int cellY) { return kBoardTop + kCellPx * cellY + kCellPx / 2; }

// A corridor along the top row and a dead end below it that no pipe joins.
LevelText corridor() {
    LevelText level;
    level.rows[0] = "FFFFFFLLLLL";
    level.rows[1] = "LLLLLLLLLLF";
    level.player = "0,0";
    return level;
}

class PointerPlay : public PlayTest {
protected:
    PlayPhase play(const LevelText& file) {
        writeLevel("t", file);
        return PlayTest::play("t");
    }
    int figureX() const { return level().playerX; }
};

TEST_F(PointerPlay, AClickWalksTheWayAStepAPassAndAKeyOrANewClickStopsIt) {
    // Play begins at 1500; each step stands its ten frames and its pass.
    plat().Click(1600, atX(5), atY(0));
    plat().At(1600 + kActionMs + kActionMs / 2, [&] { EXPECT_EQ(figureX(), 2) << "one step a pass, no faster"; });
    plat().At(3500, [&] { EXPECT_EQ(figureX(), 5); });
    // Walking back, a key stops the walk after the step under way.
    plat().Click(3600, atX(0), atY(0));
    plat().Press(3600 + kActionMs + kActionMs / 2, Key::Space);
    plat().At(5000, [&] { EXPECT_EQ(figureX(), 3) << "two steps, the second finished after the key"; });
    // A new click takes over from the walk under way.
    plat().Click(5100, atX(0), atY(0));
    plat().Click(5100 + kActionMs / 2, atX(4), atY(0));
    plat().At(6500, [&] { EXPECT_EQ(figureX(), 4); });
    plat().Close(6600);

    EXPECT_EQ(play(corridor()), PlayPhase::Left);
    EXPECT_EQ(countSounds("move"), 0) << "walking is silent, as with the arrows";
}

TEST_F(PointerPlay, ClicksOnTheFigureAndTheWheelTurnItsPipeAndBadClicksDoNothing) {
    LevelText file = corridor();
    file.rows[0] = "FFFGFFLLLLL";
    file.player = "3,0";
    std::vector<char> seen;
    auto look = [&](std::uint64_t at) { plat().At(at, [this, &seen] { seen.push_back(level().board(3, 0)); }); };
    plat().Click(1600, atX(3), atY(0), PointerButton::Left);
    look(1900);
    plat().Click(2000, atX(3), atY(0), PointerButton::Right);
    look(2300);
    plat().Wheel(2400, atX(7), atY(4), -1);  // toward the player, anywhere over the board
    look(2700);
    // A right click during a turn is taken once the turn is over.
    plat().Wheel(2800, atX(3), atY(0), 1);
    plat().Click(2820, atX(3), atY(0), PointerButton::Right);
    look(3400);
    // Off the board, out of reach, a middle click on the figure: nothing at all.
    plat().Click(3500, 790, 300);
    plat().Click(3600, atX(10), atY(1));
    plat().Click(3700, atX(3), atY(0), PointerButton::Middle);
    plat().Click(3800, atX(3), atY(6));
    plat().At(4200, [&] {
        EXPECT_EQ(figureX(), 3);
        EXPECT_EQ(countSounds("move"), 5);
    });
    plat().Close(4300);

    EXPECT_EQ(play(file), PlayPhase::Left);
    const char left = quarterTurn('G', false);
    EXPECT_EQ(seen, (std::vector<char>{left, 'G', quarterTurn('G', true), quarterTurn('G', true)}));
}

TEST_F(PointerPlay, PHidesTheBoardUnderPausedAndStopsTheClockUntilPAgain) {
    czech = true;
    auto cell = [&] {
        std::vector<Rgba> pixels;
        for (int y = 0; y < kCellPx; ++y)
            for (int x = 0; x < kCellPx; ++x) pixels.push_back(pixel(0, 0, x, y));
        return pixels;
    };
    std::vector<Rgba> before;
    plat().At(1900, [&] { before = cell(); });
    plat().Press(2000, Key::P);
    std::string clockAtPause;
    plat().At(2100, [&] {
        EXPECT_EQ(session().phase(), PlayPhase::Paused);
        EXPECT_TRUE(view().play.titleShown);
        EXPECT_EQ(view().play.title, "Pozastaveno");
        EXPECT_EQ(pixel(0, 0, 35, 35), backgroundAt(35, 35)) << "no pipe, no figure";
        EXPECT_NE(cell(), before);
        clockAtPause = view().play.clock;
    });
    // Keys and clicks other than P and Esc do nothing while paused.
    plat().Press(3000, Key::Right);
    plat().Press(3100, Key::H);
    plat().Click(3200, atX(3), atY(0));
    plat().At(9000, [&] {
        EXPECT_EQ(view().play.clock, clockAtPause);
        EXPECT_EQ(figureX(), 0);
        EXPECT_FALSE(session().HintShowing());
    });
    plat().Press(9100, Key::P);
    plat().At(9200, [&] {
        EXPECT_EQ(session().phase(), PlayPhase::Waiting);
        EXPECT_FALSE(view().play.titleShown);
        EXPECT_EQ(cell(), before) << "the board is back";
        EXPECT_EQ(figureX(), 0);
    });
    plat().At(10150, [&] { EXPECT_NE(view().play.clock, clockAtPause) << "running again"; });
    // Esc still asks to leave while paused.
    plat().Press(10200, Key::P);
    plat().Press(10400, Key::Escape);
    plat().At(10500, [&] { EXPECT_EQ(session().phase(), PlayPhase::Asking); });
    plat().Press(10600, Key::A);

    EXPECT_EQ(play(corridor()), PlayPhase::Left);
}

TEST_F(PointerPlay, LosingFocusOrMinimisingPausesAndTheClockStandsMeanwhile) {
    std::string clockAtPause;
    plat().Minimise(2000);
    plat().At(2100, [&] {
        EXPECT_EQ(session().phase(), PlayPhase::Paused);
        clockAtPause = view().play.clock;
    });
    plat().At(12100, [&] { EXPECT_EQ(view().play.clock, clockAtPause) << "ten seconds down on the task bar"; });
    plat().Press(12200, Key::P);
    plat().FocusLost(13000);
    plat().At(13100, [&] { EXPECT_EQ(session().phase(), PlayPhase::Paused); });
    plat().PadPress(13200, PadButton::Back);  // the controller's way on
    plat().At(13300, [&] { EXPECT_EQ(session().phase(), PlayPhase::Waiting); });
    plat().PadPress(13400, PadButton::Back);  // and the controller's pause
    plat().At(13500, [&] { EXPECT_EQ(session().phase(), PlayPhase::Paused); });
    plat().Close(13600);

    EXPECT_EQ(play(corridor()), PlayPhase::Left);
}

TEST_F(PointerPlay, AClickOnTheQuestionAnswersItByTheHalfItFallsOn) {
    const Box band = look::kQuestionBand;
    const int middleY = band.top + band.height / 2;
    plat().Press(1600, Key::Escape);
    plat().Click(1700, band.left + band.width - 20, band.top - 10);  // above the question
    plat().Click(1800, band.left + band.width / 2 + 40, middleY);   // on "N"
    plat().At(1900, [&] {
        EXPECT_EQ(session().phase(), PlayPhase::Waiting);
        EXPECT_TRUE(session().clock().Running());
    });
    plat().Press(2000, Key::Escape);
    plat().Click(2100, band.left + band.width / 2 - 40, middleY);  // on "Y"

    EXPECT_EQ(play(corridor()), PlayPhase::Left);
    EXPECT_LT(plat().Now(), 2300u);
}

}  // namespace
}  // namespace tk::test
