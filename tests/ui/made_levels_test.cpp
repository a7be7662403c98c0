// Levels the game makes, from the player's side: the page off the options screen, random levels
// one after another in their band, and the day's puzzle with its best and its result to copy.
#include <gtest/gtest.h>

#include "puzzle/daily.h"
#include "puzzle/play_generator.h"
#include "support/level_player.h"
#include "ui/texts.h"
#include "ui_session.h"

namespace tk::test {
namespace {

constexpr std::uint64_t kOpen = GameFixture::kMenuReady + 100;
constexpr std::int64_t kJune12 = 1749686400;  // 2025-06-12 00:00:00 UTC, a Thursday: hard

HeadlessOptions at(std::int64_t utcSeconds) {
    HeadlessOptions o;
    o.drawBoard = false;
    o.utcSecondsAtStart = utcSeconds;
    return o;
}

// Options, then Right to its side line and Enter: the page of made levels.
std::uint64_t openPage(HeadlessPlatform& plat) {
    return pressAll(plat, kOpen, {Key::Down, Key::Return, Key::Right, Key::Return});
}

// A made level as the player meets it: the board of `made` under `title`, with its plan.
PlannedLevel planned(const Generated& made, const std::string& title, const std::string& next = "end") {
    PlannedLevel p{made.level, made.plan};
    p.level.titleEn = title;
    p.level.nextLevel = next;
    return p;
}

// Calls an entry point of the menus at `at`, as the command line would, then wakes the frame
// loop with a key that does nothing, as it waits for the player.
void callAt(HeadlessPlatform& plat, std::uint64_t at, std::function<void()> entry) {
    plat.At(at, std::move(entry));
    plat.Press(at + 1, Key::Shift);
}

bool sameBoard(const PlayState& state, const LevelFile& level) {
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            if (state.board(x, y) != level.rows[y][x] && level.rows[y][x] != kFloorTile) return false;
    return state.playerX == level.playerX && state.playerY == level.playerY;
}

TEST(MadeLevels, ThePageOpensFromTheOptionsSideLineAndLeadsBackToIt) {
    UiFixture f(at(kJune12));
    std::uint64_t t = pressAll(f.plat, kOpen, {Key::Down, Key::Return});
    f.plat.At(t, [&] { EXPECT_EQ(f.view().menu.lines[MenuView::kSideLine], "More levels »"); });
    // Right from any line of the column goes to the side line; Up and Down stay there.
    const std::uint64_t moves = t;
    t = pressAll(f.plat, t, {Key::Down, Key::Right, Key::Up, Key::Down});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.menus().menuCursor(), MenuView::kSideLine);
        EXPECT_EQ(count(soundsBetween(f.plat, moves, t), "menumove"), 4);
    });
    t = pressAll(f.plat, t, {Key::Left});
    f.plat.At(t, [&] { EXPECT_EQ(f.program.menus().menuCursor(), 0); });
    t = pressAll(f.plat, t, {Key::Right, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(f.program.screen(), Menus::Screen::MadeLevels);
        EXPECT_EQ(captions(f.program), (std::vector<std::string>{"« back", "Daily puzzle", "Random level",
                                                              "Difficulty: medium", "   Today: hard"}));
        EXPECT_EQ(f.view().menu.lines[MenuView::kSideLine], "");
        EXPECT_EQ(f.program.menus().menuCursor(), 0);
    });
    // The band goes round; the fifth line cannot be reached.
    t = pressAll(f.plat, t, {Key::Down, Key::Down, Key::Down, Key::Down, Key::Return});
    f.plat.At(t, [&] { EXPECT_EQ(f.view().menu.lines[3], "Difficulty: hard"); });
    t = pressAll(f.plat, t, {Key::Return, Key::Return, Key::Return});
    f.plat.At(t, [&] { EXPECT_EQ(f.view().menu.lines[3], "Difficulty: medium"); });
    t = pressAll(f.plat, t, {Key::Up, Key::Up, Key::Up, Key::Return});
    f.plat.At(t, [&] {
        EXPECT_EQ(captions(f.program), (std::vector<std::string>{"« back", "Window mode", "Music: on",
                                                              "Choose level:", "   01"}));
        EXPECT_EQ(f.program.menus().menuCursor(), MenuView::kSideLine);
    });
    EXPECT_EQ(f.Run(), 0);
}

TEST(MadeLevels, ARandomLevelIsPlayedAgainWhenLostAndAWinBringsTheNextOfItsBand) {
    UiFixture f(at(kJune12));
    const Generated first = generateForPlay(Difficulty::Easy, 42);
    const Generated second = generateForPlay(Difficulty::Easy, first.seed + 1);
    ASSERT_NE(first.level.rows, second.level.rows);
    const std::string firstTitle = texts::randomTitle(false, Difficulty::Easy, first.seed);
    const std::string secondTitle = texts::randomTitle(false, Difficulty::Easy, second.seed);
    EXPECT_EQ(firstTitle, "Random level (easy)\r\n#42");

    // The first level is left to run out once; then both are won in turn.
    callAt(f.plat, kOpen, [&] { f.program.menus().StartGenerated(Difficulty::Easy, 42); });
    int plays = 0;
    watchPlays(f.plat, f.program, kOpen, kOpen + 600'000, [&](int, std::uint64_t) {
        ++plays;
        // The same level again after the loss (its board is checked at its first start:
        // the player's keys for the second may already have moved the figure by now).
        if (plays <= 2) {
            EXPECT_EQ(f.level().levelTitle, firstTitle);
        }
        if (plays == 1) {
            EXPECT_TRUE(sameBoard(f.level(), first.level));
        }
    });
    Player player(f.plat, f.program,
                  {planned(first, firstTitle), planned(second, secondTitle, "more than these")});
    const std::uint64_t lost = kOpen + 2000 + 1000ull * static_cast<std::uint64_t>(first.level.timeLimit) + 5000;
    player.Start(lost);
    EXPECT_EQ(f.Run(), 0);
    EXPECT_EQ(count(f.plat.Sounds(), "looser"), 1);
    EXPECT_EQ(player.titlesWon, (std::vector<std::string>{firstTitle, secondTitle}));
    EXPECT_EQ(plays, 3) << "lost, again and won, then the next";
    EXPECT_EQ(f.folder.read("scores.txt"), "") << "random levels keep no best";
}

// Plays the day's puzzle from the page, wins it, copies the result and goes back.
struct DailyRound {
    explicit DailyRound(std::int64_t utcSeconds, std::optional<bool> clipboardAnswersLater = {})
        : f(withClipboard(at(utcSeconds), clipboardAnswersLater)) {}
    static HeadlessOptions withClipboard(HeadlessOptions o, std::optional<bool> answer) {
        o.clipboardAnswersLater = answer;
        return o;
    }
    UiFixture f;
    bool closeWithClick = false;  // a left click anywhere instead of Enter
    std::string titleAtStart, resultShown, lineAfter;
    Menus::Screen screenOverResult = Menus::Screen::MainMenu;

    void Run(const CivilDate& date) {
        const Difficulty band = dailyBand(date);
        const Generated made = generateForPlay(band, dailySeed(date));
        const std::string title = texts::dailyTitle(false, date, band);
        std::uint64_t t = openPage(f.plat);
        t = pressAll(f.plat, t, {Key::Down});
        Player player(f.plat, f.program, {planned(made, title)});
        player.Start(t);  // Enter on "Daily puzzle"
        f.plat.At(t + 300, [this] { titleAtStart = f.view().play.title; });
        // Once the result stands: C copies it, Enter goes back to the page.
        bool done = false;
        std::function<void()> watch = [&, this] {
            if (!done && !f.program.menus().Busy() && f.view().play.resultShown) {
                done = true;
                resultShown = f.view().play.result;
                screenOverResult = f.program.screen();
                const std::uint64_t now = f.plat.Now();
                f.plat.Press(now + 10, Key::C);
                if (closeWithClick)
                    f.plat.Click(now + 200, 400, 300);
                else
                    f.plat.Press(now + 200, Key::Return);
                f.plat.At(now + 400, [this] { lineAfter = f.view().menu.lines[4]; });
                f.plat.Close(now + 500);
                return;
            }
            if (!done) f.plat.At(f.plat.Now() + 20, watch);
        };
        f.plat.At(t + 50, watch);
        EXPECT_EQ(f.Run(), 0);
    }
};

TEST(MadeLevels, TheDailyPuzzleIsTheSameLevelAllDayInUtcAndAnotherTheNextDay) {
    // Seconds before and after midnight UTC, wherever the player is.
    UiFixture late(at(kJune12 - 5)), early(at(kJune12 + 5));
    std::string lateTitle, earlyTitle;
    PlayState lateState, earlyState;
    for (auto [f, title, state] : {std::tuple{&late, &lateTitle, &lateState}, std::tuple{&early, &earlyTitle, &earlyState}}) {
        callAt(f->plat, kOpen, [f] { f->program.menus().StartDaily(); });
        f->plat.At(kOpen + 300, [f, title, state] {
            *title = f->view().play.title;
            *state = f->level();
        });
        f->plat.Close(kOpen + 400);
        EXPECT_EQ(f->Run(), 0);
    }
    EXPECT_EQ(lateTitle, "Daily puzzle\r\n2025-06-11 (medium)");
    EXPECT_EQ(earlyTitle, "Daily puzzle\r\n2025-06-12 (hard)");
    const CivilDate june11{2025, 6, 11}, june12{2025, 6, 12};
    EXPECT_TRUE(sameBoard(lateState, generateForPlay(Difficulty::Medium, dailySeed(june11)).level));
    EXPECT_TRUE(sameBoard(earlyState, generateForPlay(Difficulty::Hard, dailySeed(june12)).level));
}

TEST(MadeLevels, AWonDailyPuzzleShowsItsResultToCopyAndKeepsItsBestUnderItsDate) {
    DailyRound round(kJune12 + 3600);
    round.f.folder.write("scores.txt", "40 01\r\n");
    round.Run(CivilDate{2025, 6, 12});
    EXPECT_EQ(round.titleAtStart, "Daily puzzle\r\n2025-06-12 (hard)");
    EXPECT_EQ(round.screenOverResult, Menus::Screen::DailyResult);

    const auto copied = round.f.plat.LogOf("clipboard");
    ASSERT_EQ(copied.size(), 1u);
    const std::string line = copied[0].detail;
    EXPECT_EQ(line.rfind("TramolKulap daily 2025-06-12 · hard · ", 0), 0u) << line;
    EXPECT_NE(line.find(" left · hints: 0"), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << "one line";
    EXPECT_EQ(round.resultShown, line + "\r\n" + texts::dailyResultKeys(false));
    ASSERT_FALSE(round.f.plat.LogOf("notice").empty());
    EXPECT_EQ(round.f.plat.LogOf("notice").back().detail, texts::resultCopied(false));

    // The best is kept under the date, beside the levels' own, which it does not join.
    const auto best = round.f.program.bestTimes().Best("daily/2025-06-12");
    ASSERT_TRUE(best.has_value());
    EXPECT_NE(line.find(Clock::Text(*best) + " left"), std::string::npos);
    EXPECT_EQ(round.f.folder.read("scores.txt"), "40 01\r\n" + std::to_string(*best) + " daily/2025-06-12\r\n");
    EXPECT_EQ(round.f.program.bestTimes().InAll(), 40);
    EXPECT_EQ(round.lineAfter, "   Today: hard, best " + Clock::Text(*best));
    EXPECT_FALSE(round.f.view().play.boardShown);
}

TEST(MadeLevels, ACopyTheClipboardAnswersLaterIsToldOnlyOnceItAnswered) {
    // A page's clipboard takes the line, or refuses it, some time after it was asked.
    for (const bool taken : {true, false}) {
        SCOPED_TRACE(taken);
        DailyRound round(kJune12 + 3600, taken);
        round.Run(CivilDate{2025, 6, 12});
        const auto copied = round.f.plat.LogOf("clipboard");
        ASSERT_EQ(copied.size(), 1u);
        const auto notices = round.f.plat.LogOf("notice");
        ASSERT_FALSE(notices.empty());
        EXPECT_EQ(notices.back().detail, taken ? texts::resultCopied(false) : texts::cannotCopy(false));
        EXPECT_GE(notices.back().at, copied[0].at + 10) << "told when the answer came";
        const std::string wrong = taken ? texts::cannotCopy(false) : texts::resultCopied(false);
        for (const Recorded& n : notices) EXPECT_NE(n.detail, wrong);
    }
}

TEST(MadeLevels, AClickOverTheDailyResultClosesItAsEnterDoes) {
    DailyRound round(kJune12 + 3600);
    round.closeWithClick = true;
    round.Run(CivilDate{2025, 6, 12});
    EXPECT_EQ(round.screenOverResult, Menus::Screen::DailyResult);
    EXPECT_EQ(round.f.program.screen(), Menus::Screen::MadeLevels);
    EXPECT_EQ(round.lineAfter.rfind("   Today: hard, best ", 0), 0u) << round.lineAfter;
}

}  // namespace
}  // namespace tk::test
