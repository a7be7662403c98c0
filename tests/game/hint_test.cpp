// The hint in play on the headless twin: its picture on the board and what it costs (a
// tenth of the level's limit), hints alone winning levels, a board that cannot be won, a
// clock too short to pay.
#include "play_fixture.h"

#include <functional>
#include <memory>

#include "platform/window_look.h"
#include "puzzle/hint.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

constexpr Key kHintKey = Key::H;

class Hints : public PlayTest {
protected:
    // A shipped level, read when the test runs, written into the test's folder with a
    // clock long enough for any number of hints.
    void copyShipped(const std::string& name, int seconds = 0) {
        const LevelRead read = readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap");
        ASSERT_TRUE(read.level) << name;
        LevelFile level = *read.level;
        if (seconds > 0) level.timeLimit = static_cast<std::int16_t>(seconds);
        writeLevelBytes(name, tk::writeLevel(level));
    }
    LevelFile shipped(const std::string& name) const {
        return readLevelFile(std::string(TK_DATA_DIR) + "/levels/" + name + ".kulap").level.value_or(LevelFile{});
    }

    // Where each hint picture shows a pixel of its own (the test pictures paint a band
    // across rows 50..59 of their 70 x 70 square): a step arrow lies half a cell toward
    // the neighbour, a turning arrow on the figure's cell.
    Rgba hintSample(Action action) const {
        const int x = kCellPx * level().playerX + kCellPx / 2, y = kCellPx * level().playerY + rows::hintTop + 5;
        if (isStep(action)) {
            const Direction way = stepDirection(action);
            return plat().BoardPixel(x + kCellPx / 2 * dirDx(way), y + kCellPx / 2 * dirDy(way));
        }
        return plat().BoardPixel(x, y);
    }
    static int slotOf(Action action) {
        if (action == Action::TurnLeft) return kSlotHintTurnLeft;
        if (action == Action::TurnRight) return kSlotHintTurnRight;
        return kSlotHintStep + side(stepDirection(action));
    }
    // The action whose picture is on the board now; None when none is, and a failure
    // when more than one is.
    Action shownHint() const {
        Action found = Action::None;
        for (Action a : {Action::StepLeft, Action::StepUp, Action::StepRight, Action::StepDown, Action::TurnLeft,
                         Action::TurnRight}) {
            if (hintSample(a) != colourOf(slotOf(a))) continue;
            EXPECT_EQ(found, Action::None) << "two hint pictures at once";
            found = a;
        }
        return found;
    }
    // A player who presses H, does what the arrow says once it shows, and presses H again;
    // first, he may play a few actions of his own. One look every 10 ms of the virtual
    // clock; each look schedules the next.
    struct HintPlayer {
        Hints& t;
        std::vector<Action> opening;  // actions played before any hint
        enum class Step { Idle, AwaitHint, AwaitAction } step = Step::Idle;
        Action action = Action::None;
        int hints = 0, moves = 0, x = 0, y = 0, clockBefore = 0;
        std::uint64_t since = 0;
        bool failed = false;

        // Done, and its animation over.
        bool actionDone() const {
            if (t.session().phase() != PlayPhase::Waiting) return false;
            if (isTurn(action)) return t.countSounds("move") > moves;
            const Direction way = stepDirection(action);
            return t.level().playerX == x + dirDx(way) && t.level().playerY == y + dirDy(way);
        }
        void look(std::uint64_t now) {
            if (!t.session().Running() || failed) return;
            const bool playing = t.session().phase() == PlayPhase::Waiting && !t.view().play.titleShown;
            if (playing && now > since + 5000) {
                ADD_FAILURE() << "stuck";
                failed = true;
                t.plat().Close(now + 1);
                return;
            }
            switch (step) {
            case Step::Idle:
                if (!playing || t.session().HintShowing()) break;
                since = now;
                x = t.level().playerX;
                y = t.level().playerY;
                moves = t.countSounds("move");
                if (!opening.empty()) {
                    action = opening.front();
                    opening.erase(opening.begin());
                    t.pressAction(now + 1, action);
                    step = Step::AwaitAction;
                } else {
                    clockBefore = t.session().clock().timeLeft();
                    t.plat().Press(now + 1, kHintKey);
                    step = Step::AwaitHint;
                }
                break;
            case Step::AwaitHint:
                if (!t.session().HintShowing()) break;
                action = t.shownHint();
                if (action == Action::None) {
                    ADD_FAILURE() << "the hint showed no arrow";
                    failed = true;
                    t.plat().Close(now + 1);
                    return;
                }
                ++hints;
                // The hint's cost, and a tick of the clock if one fell due meanwhile.
                EXPECT_GE(clockBefore - t.session().clock().timeLeft(), hintCostSeconds(t.level().timeLimit));
                EXPECT_LE(clockBefore - t.session().clock().timeLeft(), hintCostSeconds(t.level().timeLimit) + 1);
                t.pressAction(now + 1, action);
                step = Step::AwaitAction;
                break;
            case Step::AwaitAction:
                if (actionDone()) {
                    step = Step::Idle;
                    since = now;
                }
                break;
            }
            t.plat().AtIfReached(now + 10, [this, now] { look(now + 10); });
        }
    };

    // Presses the keys of an action from `at`.
    void pressAction(std::uint64_t at, Action action) {
        if (isTurn(action)) {
            plat().Press(at, Key::Control, kCtrlHeld, 30);
            plat().Press(at, action == Action::TurnLeft ? Key::Left : Key::Right, kCtrlHeld, 30);
            return;
        }
        const Key keys[] = {Key::Left, Key::Up, Key::Right, Key::Down};
        plat().Press(at, keys[side(stepDirection(action))], 0, 30);
    }
};

TEST_F(Hints, AtTheStartOfLevelOneTheTurningArrowShowsForTwoSecondsAndCostsATenthOfTheLimit) {
    copyShipped("01", 90);
    const LevelFile level = shipped("01");
    const Hint expected = hintFor(level);
    ASSERT_EQ(expected.kind, Hint::Kind::Act);
    ASSERT_TRUE(isTurn(expected.action)) << "level 1 is won by turning on the spot";

    // The price's ink right of the clock, in the window as the player sees it.
    const auto costInk = [&] {
        int ink = 0;
        for (int y = look::kHintCost.top; y < look::kHintCost.top + look::kHintCost.height; ++y)
            for (int x = look::kHintCost.left; x < look::kHintCost.left + look::kHintCost.width; ++x) {
                const Rgba p = plat().WindowPixel(x, y);
                if (p.r > 200 && p.g > 80 && p.g < 150 && p.b < 100) ++ink;
            }
        return ink;
    };
    Rgba before{}, figureBefore{};
    const int figureX = kCellPx * level.playerX + rows::figureLeft, figureY = kCellPx * level.playerY + rows::figureTop;
    plat().At(1590, [&] {
        before = hintSample(expected.action);
        figureBefore = plat().BoardPixel(figureX, figureY);
        EXPECT_EQ(view().play.clock, "01:30");
        EXPECT_EQ(costInk(), 0);
    });
    plat().Press(1600, kHintKey);
    plat().At(1700, [&] {
        EXPECT_TRUE(session().HintShowing());
        EXPECT_EQ(shownHint(), expected.action);
        EXPECT_EQ(view().play.clock, "01:21") << "the clock shows the deduction at once";
        EXPECT_EQ(view().play.hintCost, "\u2212" "9 s") << "and the price beside it";
        EXPECT_GT(costInk(), 20);
        EXPECT_EQ(plat().BoardPixel(figureX, figureY), figureBefore) << "the figure stands on top";
        EXPECT_FALSE(view().play.titleShown);
    });
    // Asked again while it shows: nothing more is taken.
    plat().Press(2200, kHintKey);
    plat().At(2300, [&] { EXPECT_EQ(view().play.clock, "01:21"); });
    plat().At(3500, [&] { EXPECT_EQ(shownHint(), expected.action) << "still within its two seconds"; });
    plat().At(3700, [&] {
        EXPECT_FALSE(session().HintShowing());
        EXPECT_EQ(shownHint(), Action::None);
        EXPECT_EQ(hintSample(expected.action), before) << "the cell is painted again as it was";
        EXPECT_EQ(plat().BoardPixel(figureX, figureY), figureBefore);
        EXPECT_EQ(view().play.hintCost, "") << "the price goes with the arrow";
        EXPECT_EQ(costInk(), 0);
        EXPECT_EQ(view().play.clock, "01:19");
    });
    plat().Press(4000, Key::Escape);
    plat().Press(4100, Key::Y);
    EXPECT_EQ(play("01"), PlayPhase::Left);
    EXPECT_EQ(countSounds("time"), 0);
}

TEST_F(Hints, TheArrowGoesAsSoonAsTheFigureMoves) {
    // Whatever the arrow shows, it goes as soon as the figure does anything: here, a quarter turn.
    LevelText file;
    file.rows[0] = "FFHLLLLLLLL";
    file.rows[1] = "LLGLLLLLLLL";
    writeLevel("t", file);
    Action shown = Action::None;
    plat().Press(1600, kHintKey);
    plat().At(1650, [&] { shown = shownHint(); });
    plat().Press(1700, Key::Control, kCtrlHeld, 30);
    plat().Press(1700, Key::Left, kCtrlHeld, 30);
    plat().At(1760, [&] {
        EXPECT_FALSE(session().HintShowing());
        EXPECT_EQ(shownHint(), Action::None);
    });
    plat().Close(2500);
    play("t");
    EXPECT_NE(shown, Action::None);
}

TEST_F(Hints, EscWhileTheArrowShowsTakesItAwayBeforeTheQuestion) {
    copyShipped("01", 90);
    const Hint expected = hintFor(shipped("01"));
    Rgba before{}, underQuestion{};
    Action shownBefore = Action::None;
    std::string caption, clockAfter;
    bool hintAtQuestion = true, titleAfter = true;
    plat().At(1590, [&] { before = hintSample(expected.action); });
    plat().Press(1600, kHintKey);
    plat().At(1700, [&] { shownBefore = shownHint(); });
    plat().Press(1800, Key::Escape);
    plat().At(1900, [&] {
        caption = view().play.title;
        hintAtQuestion = session().HintShowing();
        underQuestion = hintSample(expected.action);
    });
    plat().Press(2000, Key::N);
    plat().At(2100, [&] {
        titleAfter = view().play.titleShown;
        clockAfter = view().play.clock;
    });
    plat().Close(2500);
    EXPECT_EQ(play("01"), PlayPhase::Left);
    EXPECT_EQ(shownBefore, expected.action);
    EXPECT_EQ(caption, texts::quitQuestion(false));
    EXPECT_FALSE(hintAtQuestion);
    EXPECT_EQ(underQuestion, before) << "the cell is painted again before the question";
    EXPECT_FALSE(titleAfter);
    EXPECT_EQ(clockAfter, "01:21") << "the price stays paid";
}

// A player who presses H, does what the arrow says and presses H again, level after
// level, wins; also after playing about a little first.
TEST_F(Hints, FollowedOneAfterAnotherTheyWinLevelsFromTheStartAndFromADisturbedBoard) {
    for (bool disturbed : {false, true}) {
        for (const char* name : {"01", "02", "03"}) {
            SCOPED_TRACE(std::string(name) + (disturbed ? " disturbed" : " from the start"));
            fresh();
            copyShipped(name, 3000);
            const LevelFile start = shipped(name);

            HintPlayer driver{*this, {}};
            if (disturbed) {
                // A quarter turn that does not win, then a step where the pipes allow one.
                const char turn = replayPlan(start, ">").wonAt < 0 ? kPlanTurnRight : kPlanTurnLeft;
                driver.opening.push_back(planAction(turn));
                PlanWalk walk(start);
                walk.Take(turn);
                for (char step : std::string("LURD")) {
                    if (PlanWalk(walk).Take(step)) {
                        driver.opening.push_back(planAction(step));
                        break;
                    }
                }
            }
            plat().At(kPlayStarts + 10, [&] { driver.look(kPlayStarts + 10); });
            EXPECT_EQ(play(name), PlayPhase::Won);
            EXPECT_FALSE(driver.failed);
            EXPECT_GT(driver.hints, 0);
        }
    }
}

TEST_F(Hints, ABoardThatCannotBeWonIsToldInWordsAndCostsNothing) {
    // The pipe in the far corner can never be reached by water.
    LevelText file;
    file.rows[0] = "FLLLLLLLLLL";
    file.rows[6] = "LLLLLLLLLLF";
    writeLevel("t", file);
    for (bool cz : {false, true}) {
        SCOPED_TRACE(cz ? "Czech" : "English");
        fresh();
        writeLevel("t", file);
        czech = cz;
        bool showing = false, wordsShown = false, wordsLater = true, showingLater = true;
        std::string words, clock;
        Action arrow = Action::TurnLeft;
        plat().Press(1600, kHintKey);
        plat().At(1700, [&] {
            showing = session().HintShowing();
            wordsShown = view().play.titleShown;
            words = view().play.title;
            clock = view().play.clock;
            arrow = shownHint();
        });
        plat().At(3700, [&] {
            wordsLater = view().play.titleShown;
            showingLater = session().HintShowing();
        });
        plat().Close(4000);
        play("t");
        EXPECT_TRUE(showing);
        EXPECT_TRUE(wordsShown);
        EXPECT_EQ(words, texts::noWayFromHere(cz));
        EXPECT_EQ(clock, "01:40") << "no way shown, nothing taken";
        EXPECT_EQ(arrow, Action::None);
        EXPECT_FALSE(wordsLater) << "the words go after two seconds";
        EXPECT_FALSE(showingLater);
    }
}

TEST_F(Hints, WhenTheSolverRunsOutOfBudgetTheHintSaysSoAndCostsNothing) {
    copyShipped("07", 150);
    ASSERT_EQ(hintFor(shipped("07"), {}, 1).kind, Hint::Kind::Unknown) << "one state is not enough for level 7";
    session().SetHintBudget(1);
    plat().Press(1600, kHintKey);
    plat().At(1700, [&] {
        EXPECT_TRUE(view().play.titleShown);
        EXPECT_EQ(view().play.title, "no hint");
        EXPECT_EQ(view().play.clock, "02:30");
        EXPECT_EQ(shownHint(), Action::None);
    });
    plat().At(3700, [&] { EXPECT_FALSE(view().play.titleShown); });
    plat().Close(4000);
    play("07");
}

TEST_F(Hints, WithNoMoreLeftThanAHintCostsItIsRefusedWithTheTimeSound) {
    // A limit this short makes the least cost, five seconds.
    for (int seconds : {4, 5, 6}) {
        SCOPED_TRACE(seconds);
        fresh();
        LevelText file;
        file.rows[0] = "FFFHLLLLLLL";
        file.rows[1] = "LLLGLLLLLLL";
        file.time = std::to_string(seconds);
        writeLevel("t", file);
        std::string clockAfter;
        Action shown = Action::None;
        int timeSounds = -1;
        // Held over several passes, the key asks once.
        plat().Press(1600, kHintKey, 0, 70);
        plat().At(1700, [&] {
            clockAfter = view().play.clock;
            shown = shownHint();
            timeSounds = countSounds("time");
        });
        plat().Close(1800);
        play("t");
        if (seconds <= 5) {
            EXPECT_EQ(timeSounds, 1);
            EXPECT_EQ(clockAfter, Clock::Text(seconds));
            EXPECT_EQ(shown, Action::None);
        } else {
            // One second left to follow it.
            EXPECT_EQ(timeSounds, 0);
            EXPECT_EQ(clockAfter, "00:01");
            EXPECT_NE(shown, Action::None);
        }
    }
}

}  // namespace
}  // namespace tk::test
