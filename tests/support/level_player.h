// A player who knows the solver's plan for each level of the chain and plays it from the
// menu on the headless twin, pressing keys (or a game controller's buttons) as a person would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "puzzle/level_file.h"
#include "puzzle/solver.h"
#include "app/program.h"
#include "platform/headless_platform.h"
#include "ui/texts.h"

namespace tk::test {

struct PlannedLevel {
    LevelFile level;
    std::string plan;
};

// The chain from the first level, each with the solver's plan.
inline std::vector<PlannedLevel> planTheChain(const std::filesystem::path& levels = std::filesystem::path(TK_DATA_DIR) / "levels") {
    std::vector<PlannedLevel> chain;
    for (std::string name = "01"; name != "end" && chain.size() < 100;) {
        const LevelRead read = readLevelFile((levels / (name + ".kulap")).string());
        if (!read.level) {
            ADD_FAILURE() << "level " << name << " does not load";
            break;
        }
        // Any winning plan will do for playing, and the first comes quickly.
        SolveOptions options;
        options.improve = false;
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
    // With `controller`, every action is a game controller's: its buttons, d-pad and stick
    // by turns. A chain that stops short of the last level ends the session once played.
    Player(HeadlessPlatform& platform, Program& game, std::vector<PlannedLevel> chain, bool controller = false)
        : plat(platform), program(game), view(game.view()), level(game.play().state()), chain_(std::move(chain)),
          controller_(controller) {}

    void Start(std::uint64_t at) {
        lastProgress_ = at;
        // "Play" is the highlighted line of a fresh menu.
        if (controller_)
            plat.PadPress(at, PadButton::A);
        else
            plat.Press(at, Key::Return);
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
        const Action a = planAction(p.plan[action_]);
        const std::uint64_t at = plat.Now() + 1;
        moveSounds_ = Count("move");
        const bool byTurns = (level_ + action_) % 2 == 0;
        if (isTurn(a)) {
            const bool left = a == Action::TurnLeft;
            expectX_ = px_;
            expectY_ = py_;
            letter_ = quarterTurn(level.board(px_, py_), !left);
            if (controller_) {
                const PadButton leftButton = byTurns ? PadButton::LeftShoulder : PadButton::X;
                const PadButton rightButton = byTurns ? PadButton::RightShoulder : PadButton::Y;
                plat.PadPress(at, left ? leftButton : rightButton, kHold);
            } else {
                plat.Press(at, Key::Control, kCtrlHeld, kHold);
                plat.Press(at, left ? Key::Left : Key::Right, kCtrlHeld, kHold);
            }
            turning_ = true;
        } else {
            const Direction way = stepDirection(a);
            expectX_ = px_ + dirDx(way);
            expectY_ = py_ + dirDy(way);
            if (controller_ && byTurns) {
                const PadButton pad[] = {PadButton::DpadLeft, PadButton::DpadUp, PadButton::DpadRight,
                                         PadButton::DpadDown};
                plat.PadPress(at, pad[side(way)], kHold);
            } else if (controller_) {
                const PadAxis axis = dirDx(way) != 0 ? PadAxis::LeftX : PadAxis::LeftY;
                const int sign = dirDx(way) + dirDy(way);
                plat.PadStick(at, axis, sign * 30000);
                plat.PadStick(at + kHold, axis, 0);
            } else {
                const Key keys[] = {Key::Left, Key::Up, Key::Right, Key::Down};
                plat.Press(at, keys[side(way)], 0, kHold);
            }
            turning_ = false;
        }
        pressedAt_ = plat.Now();
        waiting_ = true;
    }

    long Count(const char* sound) const {
        const auto s = plat.Sounds();
        return std::count(s.begin(), s.end(), sound);
    }

    // Done, and its animation over (or the level won by it).
    bool ActionDone() {
        const PlayPhase phase = program.play().phase();
        if (phase != PlayPhase::Waiting && phase != PlayPhase::WinPicture && phase != PlayPhase::ShowingWon)
            return false;
        if (turning_) return Count("move") > moveSounds_ && level.board(px_, py_) == letter_;
        return level.playerX == expectX_ && level.playerY == expectY_;
    }

    void Look() {
        if (finished) return;
        Step();
        if (!finished) plat.AtIfReached(plat.Now() + kLook, [this] { Look(); });
    }

    void Step() {
        if (plat.Now() > lastProgress_ + kStuck) {
            Fail("nothing moved on for " + std::to_string(kStuck / 1000) + " s");
            return;
        }
        if (view.play.titleShown && view.play.title.starts_with(texts::finalMessage(program.language().isCzech())))
            sawFinalScreen = true;
        if (level_ >= chain_.size() && chain_.back().level.nextLevel != "end") {
            // A chain cut short: the next level's title is up, and the session ends.
            finished = true;
            plat.Close(plat.Now() + 10);
            return;
        }
        if (level_ >= chain_.size()) {
            // After the last level: the final screen, then the menu again.
            if (sawFinalScreen && program.screen() == Menus::Screen::MainMenu) finished = true;
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
            if (program.play().phase() == PlayPhase::ShowingWon) {
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
        const bool playing = program.play().phase() == PlayPhase::Waiting && !view.play.titleShown &&
                             view.play.boardShown && OnLevel(p.level);
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
        PressNext();
    }

    HeadlessPlatform& plat;
    Program& program;
    WindowView& view;
    const PlayState& level;
    std::vector<PlannedLevel> chain_;
    bool controller_ = false;
    std::size_t level_ = 0, action_ = 0;
    bool started_ = false, waiting_ = false, turning_ = false, awaitingWin_ = false;
    int px_ = 0, py_ = 0, expectX_ = 0, expectY_ = 0;
    char letter_ = 0;  // the letter the turning tile should end with
    long moveSounds_ = 0;
    std::uint64_t pressedAt_ = 0, lastProgress_ = 0;
};

}  // namespace tk::test
