// One level's play, from its title to its outcome, as a state the frame loop advances: the
// figure's steps and quarter turns frame by frame, the quit question and the outcome picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/board_painter.h"
#include "game/clock.h"
#include "game/picture_slots.h"
#include "game/play_state.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "puzzle/level_file.h"
#include "services/sound_effects.h"

namespace tk {

enum class LevelOutcome { Playing, Won, Lost, Left };

class PlaySession {
public:
    // `letEventsRun` hands what the player pressed meanwhile to the program's handler, at
    // the moments play lets events run (the start of a pass and every animation frame).
    PlaySession(Platform& platform, Controls& controls, PictureSlots& pictures, SoundEffects& sounds,
                std::function<void()> letEventsRun);

    // Puts the level on the board, paints it whole and shows its title over it; play
    // begins when the title has stood its time. `czech` chooses the title; the quit
    // question is asked in `quitQuestion`.
    void Start(const LevelFile& level, bool czech, std::string quitQuestion, std::uint64_t now);
    // Runs whatever is due by `now`; tells when it wants to run next.
    Wake Advance(std::uint64_t now);
    bool Running() const { return phase_ != Phase::Done; }
    // How the level ended; Playing while it runs.
    LevelOutcome outcome() const { return outcome_; }

    // The phase in the game's numbering: modePlaying during play; modeWon, modeLost while
    // the outcome shows; modeMainMenu once left. A level's title keeps the number of the
    // level before it, as play has not begun.
    std::uint8_t screenMode() const { return mode_; }
    // The sequence of levels is over: the board and the clock leave the window.
    void ReturnToMenu();

    PlayState& state() { return state_; }
    const PlayState& state() const { return state_; }
    Clock& clock() { return clock_; }
    const Clock& clock() const { return clock_; }
    BoardPainter& painter() { return painter_; }

private:
    enum class Phase {
        Done, Title, Pass, PassTail, PassWait, StepFrame, StepWait, TurnStart, TurnFrame, TurnWait, Question,
        Outcome
    };

    bool Closing() { return plat_.CloseRequested(); }
    void LetEventsRun(std::uint64_t now);
    void Evaluate();
    void BeginPlay(std::uint64_t now);
    void BeginStep(std::int16_t code);
    void BeginTurn(std::int16_t code, std::uint64_t now);
    void AfterPass(std::uint64_t now);
    void AskToQuit();
    bool TakeAnswer(std::uint64_t now);
    void End(std::uint64_t now);
    void ShowTitles(const std::string& caption);
    void HideTitles();
    void HideBoard();
    void Wait(Phase next, std::uint64_t until) {
        phase_ = next;
        due_ = until;
    }

    Platform& plat_;
    Controls& ctl_;
    SoundEffects& sounds_;
    std::function<void()> letEventsRun_;
    PlayState state_;
    BoardPainter painter_;
    Clock clock_;

    std::string quitQuestion_;
    std::uint8_t mode_;
    Phase phase_ = Phase::Done;
    std::uint64_t due_ = 0;
    LevelOutcome outcome_ = LevelOutcome::Playing;
    LevelOutcome shown_ = LevelOutcome::Playing;  // the outcome whose picture stands
    bool onSource_ = false;  // chooses the picture set of the turning pipe

    // The step under way: its direction, the key that sends it back, the figure's offset.
    int dx_ = 0, dy_ = 0;
    std::int16_t reverseDir_ = dirNone;
    int offset_ = 0;
    // The quarter turn under way: its direction, the tile before it, its frame.
    std::int16_t turnCode_ = dirNone;
    char before_ = kBlankTile;
    int frame_ = 0;
};

}  // namespace tk
