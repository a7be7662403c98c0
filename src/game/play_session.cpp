// One level's play as a state advanced by the frame loop. Every wait of the level (its title,
// a frame of a step or a quarter turn, an idle pass, the outcome picture) is a deadline; the
// quit question waits for a key. Within one pass the order of things is fixed: what the
// player pressed runs, the clock ticks, the keys are read, an action is taken, Esc is
// asked, then the pass's wait, then the time test.
#include "game/play_session.h"

#include "game/keys.h"
#include "game/screen_mode.h"
#include "puzzle/movement.h"
#include "puzzle/pacing.h"
#include "puzzle/water.h"

namespace tk {

namespace {

constexpr std::uint64_t kTitleMs = 1500;
constexpr std::uint64_t kOutcomeMs = 4000;

}  // namespace

PlaySession::PlaySession(Platform& platform, PlayView& view, PictureSlots& pictures, SoundEffects& sounds,
                         std::function<void()> letEventsRun)
    : plat_(platform), view_(view), sounds_(sounds),
      letEventsRun_(std::move(letEventsRun)), painter_(platform.Board(), pictures, state_),
      clock_(view.clock, sounds), mode_(modeMainMenu) {}

// ---- loading and the title --------------------------------------------------------

void PlaySession::Start(const LevelFile& level, bool czech, LevelWords words, WinRecorder recordWin,
                        std::uint64_t now) {
    words_ = std::move(words);
    recordWin_ = std::move(recordWin);
    level_ = level;
    guide_.Forget();
    hintUntil_ = 0;
    hintAction_ = dirNone;
    hintKeyDown_ = false;

    view_.boardShown = true;
    view_.clockShown = true;

    placeLevel(level, state_.board, state_.flow);
    state_.levelTitle = level.Title(czech);
    ShowTitles(words_.bestLine.empty() ? state_.levelTitle : state_.levelTitle + "\r\n" + words_.bestLine);
    state_.timeLimit = level.timeLimit;
    clock_.Set(state_.timeLimit);
    state_.sourceX = level.sourceX;
    state_.sourceY = level.sourceY;
    state_.playerX = level.playerX;
    state_.playerY = level.playerY;
    state_.backgroundNumber = level.backgroundNumber;
    state_.nextLevel = level.nextLevel;

    // Every flow value is unset after the reset, so this paints all 77 cells.
    Evaluate();
    outcome_ = LevelOutcome::Playing;
    Wait(Phase::Title, now + kTitleMs);
}

// ---- the frame loop's entry ---------------------------------------------------------

Wake PlaySession::Advance(std::uint64_t now) {
    for (;;) {
        switch (phase_) {
        case Phase::Done: return Wake{};
        case Phase::Question:
            if (!TakeAnswer(now)) return Wake::OnInput();
            continue;
        case Phase::Title:
        case Phase::Outcome:
            // The long pictures give way at once to a close request.
            if (Closing()) {
                if (phase_ == Phase::Title) {
                    End(now);
                } else {
                    outcome_ = shown_;
                    phase_ = Phase::Done;
                    HideTitles();
                    ReturnToMenu();
                }
                continue;
            }
            break;
        default: break;
        }
        if (now < due_) return Wake{due_, false};

        switch (phase_) {
        case Phase::Title:
            HideTitles();
            clock_.Start(now);
            sounds_.Play("start");
            BeginPlay(now);
            break;

        case Phase::Pass: {
            if (hintUntil_ != 0 && now >= hintUntil_) ClearHint();
            LetEventsRun(now);
            if (Closing()) {
                End(now);
                break;
            }
            const std::int16_t code = ReadDirection(plat_);
            if (code == turnLeft || code == turnRight) {
                BeginTurn(code, now);
            } else if (code != dirNone && lzeTam(state_.board, state_.playerX, state_.playerY, code)) {
                BeginStep(code);
            } else {
                phase_ = Phase::PassTail;
            }
            break;
        }
        case Phase::PassTail:
            if (Closing()) {
                End(now);
            } else if (Pressed(plat_, Key::Escape)) {
                AskToQuit();
            } else {
                // One hint a press: a held H asks once.
                const bool h = Pressed(plat_, Key::H);
                if (h && !hintKeyDown_) TakeHint(now);
                hintKeyDown_ = h;
                Wait(Phase::PassWait, now + kPassMs);
            }
            break;
        case Phase::PassWait:
            // Kept: the time test comes last in a pass, so a clock at 0 beats a solving
            // turn and a confirmed quit of the same pass.
            if (clock_.timeLeft() == 0) mode_ = modeLost;
            if (mode_ != modePlaying || Closing()) {
                End(now);
            } else {
                phase_ = Phase::Pass;
            }
            break;

        case Phase::StepFrame:
            painter_.Cell(state_.playerX, state_.playerY);
            painter_.Cell(state_.playerX + dx_, state_.playerY + dy_);
            painter_.WalkingFigure(dx_, dy_, offset_);
            LetEventsRun(now);
            if (Closing()) {
                End(now);
            } else {
                Wait(Phase::StepWait, now + kFrameMs);
            }
            break;
        case Phase::StepWait:
            // The opposite arrow sends the figure back from where it stands: the figure
            // now belongs to the cell it was heading for and walks back towards the other.
            if (ReadDirection(plat_) == reverseDir_) {
                offset_ = kFramesPerAction * kStepPxPerFrame - offset_;
                state_.playerX = static_cast<std::int16_t>(state_.playerX + dx_);
                state_.playerY = static_cast<std::int16_t>(state_.playerY + dy_);
                dx_ = -dx_;
                dy_ = -dy_;
                reverseDir_ = static_cast<std::int16_t>(opposite(reverseDir_));
            }
            offset_ += kStepPxPerFrame;
            if (offset_ <= kFramesPerAction * kStepPxPerFrame) {
                phase_ = Phase::StepFrame;
            } else {
                state_.playerX = static_cast<std::int16_t>(state_.playerX + dx_);
                state_.playerY = static_cast<std::int16_t>(state_.playerY + dy_);
                onSource_ = state_.OnSource();
                phase_ = Phase::PassTail;
            }
            break;

        case Phase::TurnStart: {
            sounds_.Play("move");
            const int x = state_.playerX, y = state_.playerY;
            before_ = state_.board(x, y);
            // While it turns the cell carries no pipe, so the water behind it drains at
            // once. A cell without a pipe (a level file may start the figure on floor or a
            // blank; the levels tool warns about it) keeps its letter and only the figure turns.
            if (isPipe(before_)) {
                state_.board(x, y) = kBlankTile;
                Evaluate();
            }
            frame_ = 1;
            phase_ = Phase::TurnFrame;
            break;
        }
        case Phase::TurnFrame: {
            const float sign = turnCode_ == turnLeft ? -1.0f : 1.0f;
            const int pipe = isPipe(before_) ? (onSource_ ? kWetBase : kDryBase) + tileIndex(before_) : -1;
            painter_.TurningFrame(pipe, turnCode_ == turnLeft ? kSlotPlayerLeft : kSlotPlayerRight,
                                  sign * kTurnDegreesPerFrame * static_cast<float>(frame_));
            LetEventsRun(now);
            if (Closing()) {
                state_.board(state_.playerX, state_.playerY) = before_;
                End(now);
            } else {
                Wait(Phase::TurnWait, now + kFrameMs);
            }
            break;
        }
        case Phase::TurnWait: {
            if (++frame_ <= kFramesPerAction) {
                phase_ = Phase::TurnFrame;
                break;
            }
            const int x = state_.playerX, y = state_.playerY;
            state_.board(x, y) = quarterTurn(before_, turnCode_);
            // Held keys turn on and on; the water waits until they are let go.
            const std::int16_t code = ReadDirection(plat_);
            if (code == turnLeft || code == turnRight) {
                BeginTurn(code, now);
                break;
            }
            // The turned pictures reached up to 15 px into the four neighbours.
            painter_.Cell(x, y);
            painter_.Cell(x + 1, y);
            painter_.Cell(x - 1, y);
            painter_.Cell(x, y + 1);
            painter_.Cell(x, y - 1);
            Evaluate();
            phase_ = Phase::PassTail;
            break;
        }

        case Phase::Outcome:
            outcome_ = shown_;
            phase_ = Phase::Done;
            HideTitles();  // "New best!", if it stood over the picture
            break;
        case Phase::Question:
        case Phase::Done: break;
        }
    }
}

// ---- the pieces of a pass -------------------------------------------------------------

void PlaySession::LetEventsRun(std::uint64_t now) {
    if (letEventsRun_) letEventsRun_();
    clock_.TakeTick(now);
}

void PlaySession::Evaluate() {
    const bool solved = spreadWater(state_.board, state_.flow, state_.sourceX, state_.sourceY,
                                    [this](int x, int y) { painter_.Cell(x, y); });
    // Only ever raised here; the pass decides what a solved board means.
    if (solved) mode_ = modeWon;
    // Repainted cells may have covered the figure.
    painter_.Figure();
}

void PlaySession::BeginPlay(std::uint64_t now) {
    mode_ = modePlaying;
    onSource_ = state_.OnSource();
    FlushKeys(plat_);
    if (Closing()) {
        End(now);
    } else {
        phase_ = Phase::Pass;
    }
}

void PlaySession::BeginStep(std::int16_t code) {
    ClearHint();
    dx_ = dirDx(code);
    dy_ = dirDy(code);
    reverseDir_ = static_cast<std::int16_t>(opposite(code));
    offset_ = kStepPxPerFrame;
    phase_ = Phase::StepFrame;
}

void PlaySession::BeginTurn(std::int16_t code, std::uint64_t) {
    ClearHint();
    turnCode_ = code;
    phase_ = Phase::TurnStart;
}

// ---- the quit question ------------------------------------------------------------------

void PlaySession::AskToQuit() {
    clock_.Stop();
    FlushKeys(plat_);
    ClearHint();
    ShowTitles(words_.quitQuestion);
    phase_ = Phase::Question;
}

bool PlaySession::TakeAnswer(std::uint64_t now) {
    // All four keys are asked each time, so that a stale press of one cannot surface
    // later. Kept: N wins when both answers come at once. A close request counts as yes.
    const bool y = Pressed(plat_, Key::Y);
    const bool z = Pressed(plat_, Key::Z);
    const bool a = Pressed(plat_, Key::A);
    const bool n = Pressed(plat_, Key::N);
    if (n) {
        FlushKeys(plat_);
        clock_.Start(now);
        HideTitles();
    } else if (y || z || a || Closing()) {
        mode_ = modeQuitLevel;
    } else {
        return false;
    }
    if (Closing()) {
        End(now);
    } else {
        Wait(Phase::PassWait, now + kPassMs);
    }
    return true;
}

// ---- the hint ------------------------------------------------------------------------------

void PlaySession::TakeHint(std::uint64_t now) {
    // The hint on show stands its time; asking again costs nothing and shows nothing new.
    if (hintUntil_ != 0) return;
    // A hint never takes the clock below zero, nor to zero, which would lose the level
    // before the hint could be followed.
    const int cost = hintCostSeconds(level_.timeLimit);
    if (clock_.timeLeft() <= cost) {
        sounds_.Play("time");
        return;
    }
    const Hint hint = guide_.Next(levelAsItStands(level_, state_.board, state_.playerX, state_.playerY));
    hintUntil_ = now + kHintShowsMs;
    hintAction_ = dirNone;
    switch (hint.kind) {
        case Hint::Kind::Act:
            // Only a hint that shows the way is paid for.
            clock_.Set(static_cast<std::int16_t>(clock_.timeLeft() - cost));
            hintAction_ = hint.action;
            painter_.HintArrow(hint.action);
            break;
        case Hint::Kind::NoWay: ShowTitles(words_.noWay); break;
        case Hint::Kind::Unknown: ShowTitles(words_.noHint); break;
    }
}

void PlaySession::ClearHint() {
    if (hintUntil_ == 0) return;
    hintUntil_ = 0;
    if (hintAction_ == dirNone) {
        HideTitles();
        return;
    }
    const int x = state_.playerX, y = state_.playerY;
    painter_.Cell(x, y);
    if (hintAction_ >= dirLeft && hintAction_ <= dirDown) painter_.Cell(x + dirDx(hintAction_), y + dirDy(hintAction_));
    painter_.Figure();
    hintAction_ = dirNone;
}

// ---- the end of the level ---------------------------------------------------------------

void PlaySession::End(std::uint64_t now) {
    clock_.Stop();
    ClearHint();
    // Closing the window leaves the level as a confirmed quit does, whatever else the
    // pass decided, so that the sequence of levels stops and the program can end.
    const bool closing = Closing();
    if (closing) mode_ = modeQuitLevel;
    switch (mode_) {
    case modeWon:
    case modeLost:
        shown_ = mode_ == modeWon ? LevelOutcome::Won : LevelOutcome::Lost;
        painter_.Cover(mode_ == modeWon ? kSlotWon : kSlotLost);
        sounds_.Play(mode_ == modeWon ? "winner" : "looser");
        if (mode_ == modeWon && recordWin_ && recordWin_(clock_.timeLeft())) ShowTitles(words_.newBest);
        Wait(Phase::Outcome, now + kOutcomeMs);
        return;
    default:
        if (!closing) sounds_.Play("menu");
        HideBoard();
        HideTitles();
        mode_ = modeMainMenu;
        outcome_ = LevelOutcome::Left;
        phase_ = Phase::Done;
        return;
    }
}

void PlaySession::ReturnToMenu() {
    HideBoard();
    mode_ = modeMainMenu;
}

void PlaySession::ShowTitles(const std::string& text) {
    view_.title = text;
    view_.titleShown = true;
}

void PlaySession::HideTitles() { view_.titleShown = false; }

void PlaySession::HideBoard() {
    view_.boardShown = false;
    view_.clockShown = false;
}

}  // namespace tk
