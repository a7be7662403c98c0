// One level's play, from its title to its outcome, as a state the frame loop advances: it
// animates what the action rule decides (the figure's steps and quarter turns frame by
// frame), asks the quit question and shows the outcome picture.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "game/board_painter.h"
#include "game/clock.h"
#include "game/picture_slots.h"
#include "game/play_state.h"
#include "platform/platform.h"
#include "platform/wake.h"
#include "puzzle/action.h"
#include "puzzle/hint.h"
#include "puzzle/level_file.h"
#include "services/sound_effects.h"

namespace tk {

enum class LevelOutcome { Playing, Won, Lost, Left };

// Where a level stands.
enum class PlayPhase : std::uint8_t {
    NoLevel,      // none has been started
    Title,        // the title stands over the board; play has not begun
    Waiting,      // between actions: the pass's wait, then the time test and the next pass
    Stepping,     // the figure walks to a neighbour, frame by frame
    Turning,      // the pipe underfoot turns a quarter, frame by frame
    Asking,       // "Really quit?" waits for an answer; the clock stands still
    Paused,       // the board is hidden under "Paused"; the clock stands still
    WinPicture,   // the win picture is drawn; once it is on screen the win is recorded
    ShowingWon,   // the win picture stands its time
    ShowingLost,  // the lost picture stands its time
    Won,          // over: won, and the picture has stood
    Lost,         // over: lost on time, and the picture has stood
    Left,         // over: the player left the level, or the window was closed
};

// The words a level may show over the board, in the player's language.
struct LevelWords {
    std::string quitQuestion;
    std::string noWay;     // a hint found that the board cannot be won any more
    std::string noHint;    // the solver's budget ran out before it knew
    std::string newBest;   // over the win picture
    std::string newBestNotKept;  // instead, for a best the game could not write down
    std::string bestLine;  // the title's second line; empty while the level has no best
    std::string paused;    // over the hidden board while the level is paused
};

// What a win was for the level's best time: none, a new one, or a new one that counts for
// this run but could not be written down.
enum class WinRecord { NoBest, NewBest, NewBestNotKept };
// Told the seconds left on the clock when a level is won; keeps a new best.
using WinRecorder = std::function<WinRecord(std::int16_t secondsLeft)>;

// A hint shows for two seconds; it costs hintCostSeconds of the level's time limit.
inline constexpr std::uint64_t kHintShowsMs = 2000;

class PlaySession {
public:
    PlaySession(Platform& platform, PlayView& view, PictureSlots& pictures, SoundEffects& sounds);

    // Puts the level on the board, paints it whole and shows its title over it; play
    // begins when the title has stood its time on screen. `czech` chooses the title;
    // `words` are what else the level may say. A win is told to `recordWin`.
    void Start(const LevelFile& level, bool czech, LevelWords words, WinRecorder recordWin);
    // Runs whatever is due by `now`; tells when it wants to run next, and whether what the
    // player pressed meanwhile may run now (a level lets it at the start of each pass and
    // in every frame; it does nothing there).
    Wake Advance(std::uint64_t now);
    // The frame loop put the window on screen at `at`: a title or an outcome picture
    // drawn since counts its time from then.
    void Shown(std::uint64_t at) { pause_.Shown(at); }
    bool Running() const;
    PlayPhase phase() const { return phase_; }
    // How the level ended; Playing while it runs.
    LevelOutcome outcome() const;
    // The sequence of levels is over: the board and the clock leave the window.
    void ReturnToMenu();

    // A key-down reached the level: a walk the pointer started stops after its step.
    void KeyDown() { walk_.clear(); }
    // The window lost the player's attention (another window took the keyboard, or it
    // went down to the task bar): a level under way pauses at the end of its pass.
    void LostAttention();

    // A hint is on show (its picture on the board or its words over it).
    bool HintShowing() const { return hintUntil_ != 0; }
    // The hints that showed the way (and were paid for) since the level started.
    int hintsTaken() const { return hintsTaken_; }
    // The solver's budget for a hint, in states (kHintStates unless set otherwise).
    void SetHintBudget(std::size_t maxStates) { guide_ = HintGuide(maxStates); }

    PlayState& state() { return state_; }
    const PlayState& state() const { return state_; }
    Clock& clock() { return clock_; }
    const Clock& clock() const { return clock_; }
    BoardPainter& painter() { return painter_; }

private:
    // Each step of a level runs what is due by `now` and either tells the frame loop when
    // to come back or (nullopt) has moved on to a phase that runs at once.
    std::optional<Wake> TitleStands(std::uint64_t now);
    std::optional<Wake> RunPass(std::uint64_t now);
    std::optional<Wake> EndOfPass(std::uint64_t now, bool keysHeld);
    std::optional<Wake> PassWaits(std::uint64_t now);
    std::optional<Wake> StepFrame(std::uint64_t now);
    std::optional<Wake> TurnFrame(std::uint64_t now);
    std::optional<Wake> EndOfTurn(std::uint64_t now);
    // A frame just drawn lets events run and stands its 20 ms.
    std::optional<Wake> FrameStands(std::uint64_t now);
    std::optional<Wake> TakeAnswer(std::uint64_t now);
    std::optional<Wake> OutcomeStands(std::uint64_t now);

    bool Closing() { return plat_.CloseRequested(); }
    void LetEventsRun(std::uint64_t now);
    void PaintBoard();
    void Paint(const Effect& effect, bool pipeLifted = false);
    bool BeginStep(Action step);
    void TurnStepBack();
    void BeginTurn(Action turn, std::uint64_t now);
    void AskToQuit();
    // A click or a wheel turn over the board: a turn of the pipe underfoot to take now, or
    // a walk to begin (None then).
    Action TakePointer(const InputEvent& pointer);
    void PauseLevel();
    std::optional<Wake> PausedWaits(std::uint64_t now);
    void TakeHint(std::uint64_t now);
    // The hint goes: its words, or the cells under its picture repainted as they are.
    void ClearHint();
    void RecordWin();
    void End();
    void FinishOutcome();

    // What the level shows in the window.
    void ShowBoard();
    void ShowTitles(const std::string& text);
    void HideTitles();
    void HideBoard();

    Platform& plat_;
    PlayView& view_;
    SoundEffects& sounds_;
    PlayState state_;
    BoardPainter painter_;
    Clock clock_;

    LevelWords words_;
    WinRecorder recordWin_;
    PlayPhase phase_ = PlayPhase::NoLevel;
    Pause pause_;               // the title, the outcome picture
    Wake wait_;                 // the pass's wait, while Waiting
    std::uint64_t due_ = 0;     // the next frame, while Stepping or Turning
    bool eventsRan_ = false;    // this Advance came to a moment that lets events run
    // What this pass decided before its time test: Won by a solving turn, Left by a yes.
    LevelOutcome decided_ = LevelOutcome::Playing;

    // The step under way: the cell the figure is drawn from, its way, its offset.
    Cell from_;
    Direction stepWay_ = Direction::Left;
    int offset_ = 0;
    // The quarter turn under way: its action, the tile it turns, the frame drawn.
    Action turn_ = Action::None;
    char before_ = kBlankTile;
    int frame_ = 0;

    // The steps still to walk toward the cell the pointer chose.
    std::deque<Direction> walk_;
    bool pauseAsked_ = false;  // the window lost attention; the pass pauses when it ends

    // The hint: the level as loaded (the board as it stands is laid over it), the plan
    // being followed, and what is on show where until when.
    LevelFile level_;
    HintGuide guide_;
    std::uint64_t hintUntil_ = 0;
    Action hintAction_ = Action::None;  // the arrow on the board; None for words
    Cell hintAt_;                       // the figure's cell when it showed
    bool hintKeyDown_ = false;          // H was down at the last look
    int hintsTaken_ = 0;
};

}  // namespace tk
