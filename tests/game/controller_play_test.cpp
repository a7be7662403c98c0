// A level played with a game controller on the twin: B asks to leave and answers no, A
// answers yes, a held shoulder keeps the pipe turning and a tap turns it once; the game
// sees only the keys the buttons stand for.
#include "play_fixture.h"

namespace tk::test {
namespace {

LevelText straightRow() {
    LevelText level;
    level.rows[0] = "FGLLLLLLLLL";
    level.player = "1,0";
    return level;
}

class ControllerPlay : public PlayTest {
protected:
    PlayPhase play(const LevelText& file) {
        writeLevel("t", file);
        return PlayTest::play("t");
    }
};

TEST_F(ControllerPlay, BAsksAndAnswersNoWhileAAnswersYes) {
    // B held well past the question's first looks: the press that asked is no answer.
    plat().PadDown(2710, PadButton::B);
    plat().PadUp(3400, PadButton::B);
    plat().At(3300, [&] {
        EXPECT_TRUE(view().play.titleShown) << "the question stays while B is still down";
        EXPECT_EQ(view().play.title, "Really quit?\r\nY / N");
        EXPECT_FALSE(session().clock().Running());
    });
    plat().PadPress(4000, PadButton::Back);  // no: play goes on
    plat().At(4500, [&] {
        EXPECT_FALSE(view().play.titleShown);
        EXPECT_TRUE(session().clock().Running());
        EXPECT_EQ(session().phase(), PlayPhase::Waiting);
    });
    plat().PadPress(5010, PadButton::B);
    plat().PadPress(5600, PadButton::A);  // yes: back to the menu

    EXPECT_EQ(play(straightRow()), PlayPhase::Left);
    EXPECT_LT(plat().Now(), 5800u) << "left at the answer, with no outcome pause";
}

TEST_F(ControllerPlay, AHeldShoulderKeepsTurningAndATapTurnsOnce) {
    // A quarter turn takes ten frames of 20 ms: 650 ms held turns the pipe again and again.
    int heldTurns = 0;
    plat().PadDown(1610, PadButton::RightShoulder);
    plat().PadUp(2260, PadButton::RightShoulder);
    plat().At(3000, [&] { heldTurns = countSounds("move"); });
    plat().PadPress(3010, PadButton::X);
    plat().Close(4000);

    // The tap lines the pipe up with the source's: won, and closed while its picture stands.
    EXPECT_EQ(play(straightRow()), PlayPhase::Won);
    EXPECT_GE(heldTurns, 3);
    EXPECT_EQ(countSounds("move"), heldTurns + 1) << "a tap is one quarter turn";
    // The upright G under the figure, turned that many times clockwise and once back.
    char expected = 'G';
    for (int i = 0; i < heldTurns - 1; ++i) expected = quarterTurn(expected, true);
    EXPECT_EQ(level().board(1, 0), expected);
}

// Start stands for H: one hint a press, a tenth of the time limit taken off the clock.
TEST_F(ControllerPlay, StartAsksForAHint) {
    LevelText level = straightRow();
    level.rows[0] = "FHLLLLLLLLL";  // the elbow beside the source must turn once to take the water
    plat().PadDown(1610, PadButton::Start);
    plat().PadUp(2000, PadButton::Start);
    plat().At(1700, [&] {
        EXPECT_TRUE(session().HintShowing());
        EXPECT_EQ(view().play.clock, "01:30");
    });
    plat().At(2400, [&] { EXPECT_EQ(view().play.clock, "01:30") << "held, it asked once"; });
    plat().Close(2600);
    EXPECT_EQ(play(level), PlayPhase::Left);
}

}  // namespace
}  // namespace tk::test
