// Playing a level through the headless twin: walking, turning back, turning pipes,
// the water around a turn, winning, losing on time, the quit question, closing.
#include "play_fixture.h"

#include <cmath>

namespace tk::test {
namespace {

// Row 0 of the play area; every other cell is floor.
LevelText rowLevel(const std::string& row0, const std::string& player, const std::string& source = "0,0") {
    LevelText level;
    level.rows[0] = row0;
    level.player = player;
    level.source = source;
    return level;
}

class GameLoop : public PlayTest {
protected:
    PlayPhase play(const LevelText& file) {
        writeLevel("t", file);
        return PlayTest::play("t");
    }
    // The angle, in degrees clockwise, by which a picture's marks in a cell are turned:
    // the direction of the centroid of the cell's pixels of `colour` from its centre,
    // against where that centroid lies unturned (`restAngle`). Only the cell itself is
    // looked at: each frame paints it afresh, while the corners that earlier frames left
    // in the neighbours stay until the turn is over. (At 45° the cell cuts the turned
    // band symmetrically, so its centroid keeps its direction.)
    double turnedBy(int cellX, int cellY, Rgba colour, double restAngle) {
        double sx = 0, sy = 0;
        int n = 0;
        const int cx = kCellPx * cellX + kCellPx / 2, cy = kCellPx * cellY + kCellPx / 2;
        for (int y = cy - kCellPx / 2; y < cy + kCellPx / 2; ++y)
            for (int x = cx - kCellPx / 2; x < cx + kCellPx / 2; ++x)
                if (plat().BoardPixel(x, y) == colour) {
                    sx += x + 0.5 - cx;
                    sy += y + 0.5 - cy;
                    ++n;
                }
        if (n == 0) return 1e9;
        return std::atan2(sy / n, sx / n) * 180.0 / M_PI - restAngle;
    }
    // The figure's pixel row within board row `cellY`.
    static int figureRow(int cellY) { return kCellPx * cellY + rows::figureTop + 5; }
};

// ---- walking --------------------------------------------------------------------

TEST_F(GameLoop, HeldArrowWalksOnUntilTheNextPipeDoesNotJoin) {
    // F F F G: the upright G does not open toward the F beside it.
    hold(1610, {Key::Right}, 800);
    std::vector<int> edges;
    for (std::uint64_t t : {1705, 1765, 1905})
        plat().At(t, [&] { edges.push_back(figureLeftEdge(figureRow(0))); });
    plat().Press(3000, Key::Left);
    plat().Press(3500, Key::Down);   // floor below: refused
    plat().Press(3700, Key::Up);     // the border above: refused
    plat().Close(4000);

    EXPECT_EQ(play(rowLevel("FFFGLLLLLLL", "0,0")), PlayPhase::Left);
    EXPECT_EQ(level().playerX, 1);
    EXPECT_EQ(level().playerY, 0);
    // 7 px per 20 ms frame, the old position wiped: three frames apart is 21 px.
    ASSERT_EQ(edges.size(), 3u);
    EXPECT_EQ(edges[1] - edges[0], 21);
    EXPECT_EQ((edges[0] - rows::figureLeft) % 7, 0);
    EXPECT_GT(edges[2], kCellPx + rows::figureLeft) << "a second step began with the key still held";
    EXPECT_EQ(countSounds("move"), 0) << "walking is silent";
}

TEST_F(GameLoop, OppositeArrowTurnsTheStepBackWhereTheFigureStands) {
    struct Script {
        const char* what;
        std::vector<std::tuple<std::uint64_t, Key, std::uint64_t>> keys;  // at, key, hold
        int endX;
    };
    const Script scripts[] = {
        {"back once", {{1610, Key::Right, 90}, {1730, Key::Left, 30}}, 0},
        {"back and forward again", {{1610, Key::Right, 90}, {1730, Key::Left, 20}, {1770, Key::Right, 10}}, 1},
        // Right still held wins the poll over Left: no turn-back at all.
        {"held arrow wins", {{1610, Key::Right, 220}, {1660, Key::Left, 40}}, 1},
    };
    for (const Script& s : scripts) {
        SCOPED_TRACE(s.what);
        fresh();  // a fresh window and clock for each script
        for (const auto& [at, key, ms] : s.keys) hold(at, {key}, ms);
        std::vector<int> edges;
        for (std::uint64_t t = 1725; t <= 1825; t += 40)
            plat().At(t, [&] { edges.push_back(figureLeftEdge(figureRow(0))); });
        plat().Close(2500);
        play(rowLevel("FFFFFLLLLLL", "0,0"));
        EXPECT_EQ(level().playerX, s.endX);
        if (s.endX == 0) {
            // The figure went back from where it stood, 7 px a frame.
            ASSERT_EQ(edges.size(), 3u);
            EXPECT_EQ(edges[0] - edges[1], 14);
            EXPECT_EQ(edges[1] - edges[2], 14);
        }
    }
}

TEST_F(GameLoop, DownWinsThePollAndModifiersLeaveUpAndDownWalking) {
    LevelText column;
    for (std::string& row : column.rows) row = "GLLLLLLLLLL";
    column.player = "0,3";
    // Up held, then Down as well: Down wins, the step turns back and walking goes on down.
    hold(1610, {Key::Up}, 290);
    hold(1660, {Key::Down}, 240);
    plat().Close(2500);
    play(column);
    EXPECT_EQ(level().playerY, 4);

    fresh();
    hold(1610, {Key::Control, Key::Up}, 100);
    hold(2010, {Key::Shift, Key::Space, Key::Down}, 100);
    hold(2410, {Key::Down}, 100);
    plat().Close(3000);
    play(column);
    EXPECT_EQ(level().playerY, 4) << "up one, then down two";
    EXPECT_EQ(level().board(0, 3), 'G') << "no turn without Left or Right";
    EXPECT_EQ(countSounds("move"), 0);
}

TEST_F(GameLoop, StandingStillPlayWaitsForAKeyOrTheClocksNextSecond) {
    // Ten seconds with nothing pressed, then Right pressed and let go between two looks.
    plat().KeyDown(11510, Key::Right);
    plat().KeyUp(11510, Key::Right);
    hold(12010, {Key::Right}, 500);  // held: the figure walks on
    plat().Close(13000);
    play(rowLevel("FFFFFFFLLLL", "0,0"));
    const auto standing = std::count_if(passes.begin(), passes.end(),
                                        [](std::uint64_t t) { return t > kPlayStarts && t < 11500; });
    EXPECT_LE(standing, 10) << "one pass a second, for the clock";
    EXPECT_GE(standing, 9);
    const auto walking = std::count_if(passes.begin(), passes.end(),
                                       [](std::uint64_t t) { return t >= 12010 && t < 12510; });
    EXPECT_GE(walking, 24) << "held keys keep the pace of 20 ms";
    EXPECT_EQ(level().playerX, 1 + 3) << "the press between two looks took a step, the held key three more";
    EXPECT_EQ(session().clock().timeLeft(), 100 - 11);
}

// ---- turning ----------------------------------------------------------------------

TEST_F(GameLoop, EachModifierTurnsTheWayItsArrowPoints) {
    struct Turn {
        Key modifier, arrow;
        char after;
    };
    // "B" (closed on the left): clockwise it becomes "C", counter-clockwise "E".
    const Turn turns[] = {{Key::Control, Key::Left, 'E'}, {Key::Shift, Key::Left, 'E'},
                          {Key::Space, Key::Left, 'E'},   {Key::Control, Key::Right, 'C'},
                          {Key::Shift, Key::Right, 'C'},  {Key::Space, Key::Right, 'C'}};
    for (const Turn& t : turns) {
        SCOPED_TRACE(t.after);
        fresh();  // a fresh window and clock for each script
        hold(1610, {t.modifier, t.arrow}, 40);
        plat().Close(2500);
        play(rowLevel("FBLLLLLLLLL", "1,0"));
        EXPECT_EQ(level().board(1, 0), t.after);
        EXPECT_EQ(level().playerX, 1) << "turning never moves the figure";
        EXPECT_EQ(countSounds("move"), 1);
    }
}

TEST_F(GameLoop, WaterDrainsWhenATurnStartsAndReturnsOnlyAfterTheKeysAreLet_go) {
    // Source F F F G: the figure turns the second F.
    bool sawTurn = false;
    plat().At(1705, [&] {  // halfway through the first quarter turn
        sawTurn = true;
        EXPECT_EQ(level().board(1, 0), 'G') << "the rule has turned it; the picture still turns";
        EXPECT_EQ(session().phase(), PlayPhase::Turning);
        EXPECT_EQ(level().flow(0, 0), Water::Wet);
        EXPECT_EQ(level().flow(1, 0), Water::Dry);
        EXPECT_EQ(level().flow(2, 0), Water::Dry);
        EXPECT_EQ(pixel(2, 0, 60, rows::pipeTop + 4), colourOf(kDryBase + 5)) << "drained cell repainted";
        // The turning pipe is dry away from the source, and the turning figure is there.
        int dryPipe = 0, wetPipe = 0, figure = 0;
        for (int y = 0; y < kCellPx; ++y) {
            for (int x = 0; x < kCellPx; ++x) {
                const Rgba p = pixel(1, 0, x, y);
                dryPipe += p == colourOf(kDryBase + 5);
                wetPipe += p == colourOf(kWetBase + 5);
                figure += p == colourOf(kSlotPlayerRight);
            }
        }
        EXPECT_GT(dryPipe, 100);
        EXPECT_EQ(wetPipe, 0);
        EXPECT_GT(figure, 30);
        EXPECT_EQ(figureLeftEdge(figureRow(0), kSlotPlayer), -1) << "the upright figure is gone";
    });
    hold(1610, {Key::Control, Key::Right}, 40);  // one quarter turn: F -> G
    plat().At(2300, [&] {
        EXPECT_EQ(level().board(1, 0), 'G');
        EXPECT_EQ(level().flow(2, 0), Water::Dry);
        EXPECT_EQ(pixel(1, 0, rows::figureLeft, rows::figureTop), colourOf(kSlotPlayer));
    });
    // Three more counter-clockwise turns with the keys held: G F G F.
    hold(2510, {Key::Space, Key::Left}, 440);
    plat().At(2805, [&] {  // during the second of them: the F between was never evaluated
        EXPECT_EQ(session().phase(), PlayPhase::Turning);
        EXPECT_EQ(level().board(1, 0), 'G');
        EXPECT_EQ(level().flow(1, 0), Water::Dry);
        EXPECT_EQ(level().flow(2, 0), Water::Dry);
    });
    plat().Close(4000);
    play(rowLevel("FFFGLLLLLLL", "1,0"));

    EXPECT_TRUE(sawTurn);
    EXPECT_EQ(level().board(1, 0), 'F');
    EXPECT_EQ(level().flow(1, 0), Water::Wet);
    EXPECT_EQ(level().flow(2, 0), Water::Wet);
    EXPECT_EQ(pixel(2, 0, 60, rows::pipeTop + 4), colourOf(kWetBase + 5));
    EXPECT_EQ(countSounds("move"), 4);
    // The neighbours were repainted whole after the turn: no corner of a turned picture.
    EXPECT_EQ(pixel(1, 1, 35, 5), colourOf(kSlotFloor));
    EXPECT_EQ(pixel(1, 1, 35, 15), backgroundAt(70 + 35, 70 + 15));
}

TEST_F(GameLoop, ATurningPipeTurnsItsWayAndTheFigureLagsAtTwoThirds) {
    // The dry straight F at (1, 1), off the source, turned with Ctrl + Right and with
    // Ctrl + Left; halfway through the first quarter turn (frame 5 of 10) the pipe stands
    // at 45° either way. The test pipe's band lies above the centre (straight up: -90°),
    // the figure's square below it (+90°). A turn's direction shows in the sign; half the
    // difference of the two turns is the angle itself, whatever the pixel grid adds.
    double pipe[2] = {}, figure[2] = {};
    for (int cw = 0; cw < 2; ++cw) {
        SCOPED_TRACE(cw ? "clockwise" : "counter-clockwise");
        fresh();
        plat().At(1705, [&] {
            pipe[cw] = turnedBy(1, 1, colourOf(kDryBase + 5), -90);
            figure[cw] = turnedBy(1, 1, colourOf(cw ? kSlotPlayerRight : kSlotPlayerLeft), 90);
        });
        hold(1610, {Key::Control, cw ? Key::Right : Key::Left}, 40);
        plat().Close(2500);
        LevelText file;
        file.rows[0] = "FLLLLLLLLLL";
        file.rows[1] = "LFLLLLLLLLL";
        file.player = "1,1";
        play(file);
    }
    EXPECT_GT(pipe[1], 30) << "clockwise";
    EXPECT_LT(pipe[0], -30) << "counter-clockwise";
    EXPECT_GT(figure[1], 15);
    EXPECT_LT(figure[0], -15);
    EXPECT_NEAR((pipe[1] - pipe[0]) / 2, 45, 2);
    EXPECT_NEAR((figure[1] - figure[0]) / 2, 30, 2) << "the figure turns by two thirds of the pipe's angle";
}

TEST_F(GameLoop, AFigureOnTheFloorTurnsInPlaceAndChangesNothing) {
    // Only a level that breaks the rules puts the figure on a cell without a pipe.
    hold(1610, {Key::Control, Key::Left}, 40);
    hold(2010, {Key::Right}, 40);
    plat().At(2300, [&] { EXPECT_EQ(pixel(1, 0, 5, 5), colourOf(kSlotFloor)); });
    plat().Close(2500);
    play(rowLevel("FLFLLLLLLLL", "1,0"));
    EXPECT_EQ(level().board(1, 0), kFloorTile);
    EXPECT_EQ(level().playerX, 1);
    EXPECT_EQ(level().flow(2, 0), Water::Dry);
    EXPECT_EQ(countSounds("move"), 1);
}

TEST_F(GameLoop, TurningOnTheSourceShowsTheWetPipe) {
    int wetPipe = -1, dryPipe = -1;
    plat().At(1705, [&] {
        wetPipe = dryPipe = 0;
        for (int y = 0; y < kCellPx; ++y)
            for (int x = 0; x < kCellPx; ++x) {
                wetPipe += pixel(0, 0, x, y) == colourOf(kWetBase + 9);
                dryPipe += pixel(0, 0, x, y) == colourOf(kDryBase + 9);
            }
        EXPECT_EQ(pixel(0, 0, 3, 2), colourOf(kSlotSource));
        EXPECT_EQ(level().flow(0, 0), Water::Wet) << "the source stays wet while its tile turns";
        EXPECT_EQ(level().flow(1, 0), Water::Dry);
    });
    hold(1610, {Key::Shift, Key::Left}, 40);
    plat().Close(2500);
    play(rowLevel("JKLLLLLLLLL", "0,0"));
    EXPECT_GT(wetPipe, 100);
    EXPECT_EQ(dryPipe, 0);
    EXPECT_EQ(level().board(0, 0), 'I');
}

// ---- the end of a level ----------------------------------------------------------

TEST_F(GameLoop, ASolvingTurnShowsTheWinPictureForFourSeconds) {
    hold(1610, {Key::Control, Key::Right}, 40);  // G -> F joins the source
    const PlayPhase outcome = play(rowLevel("FGLLLLLLLLL", "1,0"));

    EXPECT_EQ(outcome, PlayPhase::Won);
    const Rgba hura = plat().PicturePixel(images().Slot(kSlotWon), 10, 10);
    for (auto [x, y] : {std::pair{0, 0}, {385, 245}, {769, 489}, {140, 35}})
        EXPECT_EQ(plat().BoardPixel(x, y), hura) << x << "," << y;
    EXPECT_EQ(plat().Sounds(), (std::vector<std::string>{"start", "move", "winner"}));
    EXPECT_GE(plat().Now(), plat().LogOf("sound").back().at + 4000);
    EXPECT_FALSE(session().clock().Running());
    EXPECT_TRUE(view().play.boardShown) << "the outcome stays until the next level is drawn";
}

TEST_F(GameLoop, ALevelSolvedAsLoadedIsWonOnlyByATurn) {
    plat().At(2000, [&] { EXPECT_EQ(session().phase(), PlayPhase::Waiting); });
    hold(2210, {Key::Control, Key::Left}, 40);
    EXPECT_EQ(play(rowLevel("FLLLLLLLLLL", "0,0")), PlayPhase::Won);
    EXPECT_EQ(level().board(0, 0), 'G');
    EXPECT_GT(plat().LogOf("sound").back().at, 2200u);
}

TEST_F(GameLoop, TheClockRunsOutAndTheLevelIsLost) {
    LevelText file = rowLevel("FGLLLLLLLLL", "1,0");
    file.time = "3";
    const PlayPhase outcome = play(file);

    EXPECT_EQ(outcome, PlayPhase::Lost);
    EXPECT_EQ(session().clock().timeLeft(), 0);
    EXPECT_EQ(view().play.clock, "00:00");
    EXPECT_EQ(plat().Sounds(), (std::vector<std::string>{"start", "time", "time", "looser"}));
    const auto sounds = plat().LogOf("sound");
    EXPECT_EQ(sounds[1].at, kFirstTick);
    EXPECT_EQ(sounds[2].at, kFirstTick + 1000);
    EXPECT_GE(sounds[3].at, kFirstTick + 2000);
    EXPECT_LT(sounds[3].at, kFirstTick + 2100);
    EXPECT_EQ(plat().BoardPixel(300, 300), plat().PicturePixel(images().Slot(kSlotLost), 5, 5));
    EXPECT_FALSE(session().clock().Running());
}

TEST_F(GameLoop, TimeUpInTheSamePassBeatsASolvingTurn) {
    // A zero time ends the level after the very first pass.
    LevelText zero = rowLevel("FGLLLLLLLLL", "1,0");
    zero.time = "0";
    EXPECT_EQ(play(zero), PlayPhase::Lost);
    EXPECT_EQ(plat().Sounds(), (std::vector<std::string>{"start", "looser"}));
    EXPECT_LT(plat().LogOf("sound").back().at, kPlayStarts + 100);

    // The last second runs out in the middle of the solving turn.
    fresh();
    LevelText last = rowLevel("FGLLLLLLLLL", "1,0");
    last.time = "1";
    hold(2410, {Key::Control, Key::Right}, 40);
    EXPECT_EQ(play(last), PlayPhase::Lost);
    EXPECT_EQ(level().board(1, 0), 'F') << "the turn did solve it";
    EXPECT_EQ(plat().Sounds().back(), "looser");
}

// ---- the quit question and closing the window ------------------------------------

TEST_F(GameLoop, EscAsksAndNoResumesWithTheSameTime) {
    plat().Press(2710, Key::Escape);  // one tick gone: 99 s left
    plat().At(4000, [&] {
        EXPECT_TRUE(view().play.titleShown);
        EXPECT_EQ(view().play.title, "Really quit?\r\nY / N");
        EXPECT_FALSE(session().clock().Running());
        EXPECT_EQ(session().clock().timeLeft(), 99);
        EXPECT_EQ(view().play.clock, "01:39");
    });
    plat().Press(5000, Key::N);
    plat().At(5500, [&] {
        EXPECT_EQ(session().clock().timeLeft(), 99) << "the prompt's time was not counted";
        EXPECT_TRUE(session().clock().Running());
        EXPECT_FALSE(view().play.titleShown);
        EXPECT_EQ(session().phase(), PlayPhase::Waiting);
    });
    // Y and N in the same moment: N wins and play goes on.
    plat().Press(6510, Key::Escape);
    plat().At(6700, [&] {
        plat().Press(6710, Key::Y);
        plat().Press(6710, Key::N);
    });
    plat().At(7000, [&] { EXPECT_EQ(session().phase(), PlayPhase::Waiting); });
    plat().Press(8010, Key::Escape);
    plat().Press(8500, Key::Y);

    EXPECT_EQ(play(rowLevel("FGLLLLLLLLL", "1,0")), PlayPhase::Left);
    EXPECT_FALSE(view().play.boardShown);
    EXPECT_FALSE(view().play.clockShown);
    EXPECT_FALSE(session().clock().Running());
    EXPECT_EQ(plat().Sounds().back(), "menu");
    EXPECT_GE(plat().Now(), 8500u) << "left at the last Y, not at the one that came with N";
    EXPECT_LT(plat().Now(), 8600u) << "no outcome pause after leaving";
}

TEST_F(GameLoop, CzechQuestionTakesAOrZForYes) {
    for (char yes : {'A', 'Z'}) {
        SCOPED_TRACE(yes);
        fresh();  // a fresh window and clock for each script
        czech = true;
        plat().Press(1710, Key::Escape);
        plat().At(2000, [&] { EXPECT_EQ(view().play.title, "Opravdu skončit?\r\nA / N"); });
        plat().Press(2500, LetterKey(yes));
        EXPECT_EQ(play(rowLevel("FGLLLLLLLLL", "1,0")), PlayPhase::Left);
    }
}

TEST_F(GameLoop, ClosingTheWindowEndsTheLevelWherePlayStands) {
    struct Case {
        const char* what;
        std::uint64_t closeAt;
        bool askFirst;
    };
    // During the title, in the middle of a step, and while the quit question waits.
    const Case cases[] = {{"title", 700, false}, {"step", 1700, false}, {"question", 3000, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fresh();  // a fresh window and clock for each script
        hold(1610, {Key::Right}, 300);
        if (c.askFirst) plat().Press(2410, Key::Escape);
        plat().Close(c.closeAt);

        EXPECT_EQ(play(rowLevel("FFFFFFFFFFF", "0,0")), PlayPhase::Left);
        EXPECT_TRUE(plat().CloseRequested());
        EXPECT_FALSE(view().play.boardShown);
        EXPECT_FALSE(session().clock().Running());
        // Everything, the title's pause too, ends at once.
        EXPECT_LT(plat().Now(), c.closeAt + 100);
        for (const std::string& s : plat().Sounds()) EXPECT_EQ(s, "start");
        // The board still takes painting for whatever comes after.
        session().painter().Cell(5, 5);
        EXPECT_EQ(pixel(5, 5, 3, 3), colourOf(kSlotFloor));
    }
}

}  // namespace
}  // namespace tk::test
