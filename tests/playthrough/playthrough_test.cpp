// The whole game played from the menu through all thirty levels, pressing keys as a player would.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "game/screen_mode.h"
#include "support/game_fixture.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

struct PlannedLevel {
    LevelFile level;
    std::string plan;
};

// The chain from the first level, each with the solver's plan.
std::vector<PlannedLevel> planTheChain() {
    std::vector<PlannedLevel> chain;
    for (std::string name = "01"; name != "end" && chain.size() < 100;) {
        const LevelRead read = readLevelFile((fs::path(TK_DATA_DIR) / "levels" / (name + ".kulap")).string());
        if (!read.level) {
            ADD_FAILURE() << "level " << name << " does not load";
            break;
        }
        SolveOptions options;
        options.maxSeconds = 0;  // a budget in states keeps the outcome independent of the machine
        options.maxStates = 2'000'000;
        const SolveResult solved = solveLevel(*read.level, options);
        if (solved.status != SolveStatus::Solved) {
            ADD_FAILURE() << "level " << name << " has no plan: " << solved.reason;
            break;
        }
        chain.push_back({*read.level, solved.plan});
        name = read.level->nextLevel;
    }
    return chain;
}

// Presses the keys of each plan one action at a time. It looks at the game every few
// milliseconds of the virtual clock, and presses the next key only once the game shows
// that the previous action has finished, so nothing hangs on exact timings.
class Player {
public:
    Player(GameFixture& game, std::vector<PlannedLevel> chain)
        : plat(game.plat), program(game.program), ctl(game.ctl()), level(game.level()), chain_(std::move(chain)) {}

    void Start(std::uint64_t at) {
        lastProgress_ = at;
        plat.Press(at, vk::Return);  // "Play" is the highlighted line of a fresh menu
        plat.At(at + kLook, [this] { Look(); });
    }

    std::vector<std::string> titlesWon;
    bool sawFinalScreen = false;
    bool finished = false;

private:
    static constexpr std::uint64_t kLook = 5;
    static constexpr std::uint64_t kHold = 30;       // well inside one step or quarter turn (200 ms)
    static constexpr std::uint64_t kPatience = 3000;  // for one action to show its effect
    static constexpr std::uint64_t kStuck = 30000;    // for anything at all to move on

    bool OnLevel(const LevelFile& file) const {
        return level.levelTitle == file.titleEn || level.levelTitle == file.titleCs;
    }

    void Fail(const std::string& why) {
        ADD_FAILURE() << why << " (level " << level_ + 1 << ", action " << action_ << ")";
        finished = true;
        // A close request ends the running level and then the program.
        plat.Close(plat.Now() + 10);
    }

    void PressNext() {
        const PlannedLevel& p = chain_[level_];
        const char a = p.plan[action_];
        const int code = planActionCode(a);
        const std::uint64_t at = plat.Now() + 1;
        moveSounds_ = Count("move");
        if (code == turnLeft || code == turnRight) {
            expectX_ = px_;
            expectY_ = py_;
            letter_ = quarterTurn(level.board(px_, py_), code);
            plat.Press(at, vk::Control, shiftmask::Ctrl, kHold);
            plat.Press(at, code == turnLeft ? vk::Left : vk::Right, shiftmask::Ctrl, kHold);
            turning_ = true;
        } else {
            expectX_ = px_ + dirDx(code);
            expectY_ = py_ + dirDy(code);
            const int keys[] = {vk::Left, vk::Up, vk::Right, vk::Down};
            plat.Press(at, keys[code], 0, kHold);
            turning_ = false;
        }
        pressedAt_ = plat.Now();
        waiting_ = true;
    }

    long Count(const char* sound) const {
        const auto s = plat.Sounds();
        return std::count(s.begin(), s.end(), sound);
    }

    bool ActionDone() {
        if (turning_) {
            return Count("move") > moveSounds_ && level.board(px_, py_) == letter_ &&
                   level.board(px_, py_) != kBlankTile;
        }
        return level.playerX == expectX_ && level.playerY == expectY_;
    }

    void Look() {
        if (finished) return;
        Step();
        if (!finished) plat.At(plat.Now() + kLook, [this] { Look(); });
    }

    void Step() {
        if (plat.Now() > lastProgress_ + kStuck) {
            Fail("nothing moved on for " + std::to_string(kStuck / 1000) + " s");
            return;
        }
        if (ctl.titles[0].Visible && ctl.titles[0].Caption.starts_with(texts::finalMessage(program.language().isCzech())))
            sawFinalScreen = true;
        if (level_ >= chain_.size()) {
            // After the last level: the final screen, then the menu again.
            if (sawFinalScreen && program.screenMode() == modeMainMenu) finished = true;
            return;
        }
        const PlannedLevel& p = chain_[level_];
        if (waiting_) {
            if (ActionDone()) {
                waiting_ = false;
                px_ = expectX_;
                py_ = expectY_;
                ++action_;
                lastProgress_ = plat.Now();
                if (action_ == p.plan.size()) awaitingWin_ = true;
            } else if (plat.Now() > pressedAt_ + kPatience) {
                Fail(std::string("the game did not carry out '") + p.plan[action_] + "'");
            }
            return;
        }
        if (awaitingWin_) {
            if (program.screenMode() == modeWon) {
                titlesWon.push_back(level.levelTitle);
                awaitingWin_ = false;
                ++level_;
                action_ = 0;
                lastProgress_ = plat.Now();
                started_ = false;
            } else if (plat.Now() > pressedAt_ + kPatience) {
                Fail("the last action of the plan did not win the level");
            }
            return;
        }
        // Play is on once the title has gone and the loop runs; keys pressed before
        // that would be flushed.
        const bool playing = program.screenMode() == modePlaying && !ctl.titles[0].Visible &&
                             ctl.board.Visible && OnLevel(p.level);
        if (!playing) return;
        if (!started_) {
            if (level.playerX != p.level.playerX || level.playerY != p.level.playerY) {
                Fail("the figure does not stand on the level's start");
                return;
            }
            px_ = p.level.playerX;
            py_ = p.level.playerY;
            started_ = true;
        }
        if (program.screenMode() == modePlaying) PressNext();
    }

    HeadlessPlatform& plat;
    Program& program;
    Controls& ctl;
    const PlayState& level;
    std::vector<PlannedLevel> chain_;
    std::size_t level_ = 0, action_ = 0;
    bool started_ = false, waiting_ = false, turning_ = false, awaitingWin_ = false;
    int px_ = 0, py_ = 0, expectX_ = 0, expectY_ = 0;
    char letter_ = 0;  // the letter the turning tile should end with
    long moveSounds_ = 0;
    std::uint64_t pressedAt_ = 0, lastProgress_ = 0;
};

TEST(PlayThrough, EveryLevelIsWonInTurnAndTheFinalScreenFollows) {
    std::vector<PlannedLevel> chain = planTheChain();
    ASSERT_EQ(chain.size(), 30u);

    HeadlessOptions options;
    options.drawBoard = false;
    GameFixture game(options);
    Player player(game, chain);
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
    EXPECT_EQ(game.program.screenMode(), modeMainMenu);
}

}  // namespace
}  // namespace tk::test
