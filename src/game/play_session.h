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
#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "services/sound_effects.h"

namespace tk {

enum class LevelOutcome { Playing, Won, Lost, Left };

// The words a level may show over the board, in the player's language.
struct LevelWords {
    std::string quitQuestion;
    std::string noWay;     // a hint found that the board cannot be won any more
    std::string noHint;    // the solver's budget ran out before it knew
    std::string newBest;   // over the win picture
    std::string bestLine;  // the title's second line; empty while the level has no best
};

// Told the seconds left on the clock when a level is won; answers whether that is a new
// best for the level (and keeps it).
using WinRecorder = std::function<bool(std::int16_t secondsLeft)>;

// A hint shows for two seconds; it costs hintCostSeconds of the level's time limit.
inline constexpr std::uint64_t kHintShowsMs = 2000;

class PlaySession {
public:
    // `letEventsRun` hands what the player pressed meanwhile to the program's handler, at
    // the moments play lets events run (the start of a pass and every animation frame).
    PlaySession(Platform& platform, PlayView& view, PictureSlots& pictures, SoundEffects& sounds,
                std::function<void()> letEventsRun);

    // Puts the level on the board, paints it whole and shows its title over it; play
    // begins when the title has stood its time. `czech` chooses the title; `words` are
    // what else the level may say. A win is told to `recordWin`.
    void Start(const LevelFile& level, bool czech, LevelWords words, WinRecorder recordWin, std::uint64_t now);
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

    // A hint is on show (its picture on the board or its words over it).
    bool HintShowing() const { return hintUntil_ != 0; }
    // The solver's budget for a hint, in states (kHintStates unless set otherwise).
    void SetHintBudget(std::size_t maxStates) { guide_ = HintGuide(maxStates); }

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
    void TakeHint(std::uint64_t now);
    // The hint goes: its words, or the cells under its picture repainted as they are.
    void ClearHint();
    bool TakeAnswer(std::uint64_t now);
    void End(std::uint64_t now);
    void ShowTitles(const std::string& text);
    void HideTitles();
    void HideBoard();
    void Wait(Phase next, std::uint64_t until) {
        phase_ = next;
        due_ = until;
    }

    Platform& plat_;
    PlayView& view_;
    SoundEffects& sounds_;
    std::function<void()> letEventsRun_;
    PlayState state_;
    BoardPainter painter_;
    Clock clock_;

    LevelWords words_;
    WinRecorder recordWin_;
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

    // The hint: the level as loaded (the board as it stands is laid over it), the plan
    // being followed, and what is on show until when.
    LevelFile level_;
    HintGuide guide_;
    std::uint64_t hintUntil_ = 0;
    std::int16_t hintAction_ = dirNone;  // the arrow on the board; dirNone for words
    bool hintKeyDown_ = false;           // H was down at the last look
};

}  // namespace tk
