// A level's pauses on a slow machine, where painting takes time: the title and the outcome
// picture stand their time from the moment they are on screen, and a new best is written
// only once the win picture is up.
#include "play_fixture.h"

#include "ui/texts.h"

namespace tk::test {
namespace {

class Pauses : public PlayTest {
protected:
    Pauses() {
        HeadlessOptions slow;
        slow.paintMs = 1;
        fresh(slow);
    }
    // The first time the window was put on screen at or after `t`.
    std::uint64_t presentedFrom(std::uint64_t t) const {
        for (const Recorded& r : plat().LogOf("present"))
            if (r.at >= t) return r.at;
        ADD_FAILURE() << "nothing was put on screen from " << t;
        return 0;
    }
    std::uint64_t soundAt(const std::string& name) const {
        for (const Recorded& r : plat().LogOf("sound"))
            if (r.detail == name) return r.at;
        ADD_FAILURE() << "no sound " << name;
        return 0;
    }
};

TEST_F(Pauses, TheTitleAndTheWinPictureStandTheirTimeFromTheMomentTheyAreOnScreen) {
    LevelText file;
    file.rows[0] = "FGLLLLLLLLL";  // one clockwise turn of the G wins
    file.player = "1,0";
    writeLevel("t", file);
    hold(1700, {Key::Control, Key::Right}, 40);
    std::int16_t recordedAt = -1;
    std::uint64_t lastShownBeforeRecord = 0;
    recordWin = [&](std::int16_t secondsLeft) {
        recordedAt = secondsLeft;
        lastShownBeforeRecord = plat().LogOf("present").back().at;
        return WinRecord::NewBest;
    };
    EXPECT_EQ(play("t"), PlayPhase::Won);
    const std::uint64_t over = plat().Now();

    // The whole board was painted before the title went up: 77 cells and the figure.
    const std::uint64_t titleOn = presentedFrom(0);
    EXPECT_GE(titleOn, 78u);
    const std::uint64_t titleOff = presentedFrom(soundAt("start"));
    EXPECT_GE(titleOff - titleOn, 1500u);
    EXPECT_LE(titleOff - titleOn, 1520u);

    const std::uint64_t winOn = presentedFrom(soundAt("winner"));
    EXPECT_GE(over - winOn, 4000u);
    EXPECT_LE(over - winOn, 4020u);
    EXPECT_EQ(recordedAt, 100) << "no tick has passed";
    EXPECT_EQ(lastShownBeforeRecord, winOn) << "the best is written once the picture is on screen";
    EXPECT_EQ(view().play.title, texts::newBest(false));
}

}  // namespace
}  // namespace tk::test
