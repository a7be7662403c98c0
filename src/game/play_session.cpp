// One level's play as a state advanced by the frame loop. The action rule (applyAction)
// decides what a step or a quarter turn does; this file animates it frame by frame. Every
// wait of the level (its title, a frame, a pass, the outcome picture) is a deadline; the quit
// question and a pass with nothing to do wait for a key. Within one pass the order of things
// is fixed: what the player pressed runs, the clock ticks, the keys are read, an action is
// taken, Esc is asked, then the pass's wait, then the time test.
#include "game/play_session.h"

#include <algorithm>

#include "game/keys.h"
#include "platform/window_look.h"
#include "puzzle/movement.h"
#include "puzzle/pacing.h"
#include "puzzle/walk.h"

namespace tk {

namespace {

constexpr std::uint64_t kTitleMs = 1500;
constexpr std::uint64_t kOutcomeMs = 4000;
constexpr int kStepPx = kFramesPerAction * kStepPxPerFrame;  // a whole cell

}  // namespace

PlaySession::PlaySession(Platform& platform, PlayView& view, PictureSlots& pictures, SoundEffects& sounds)
    : plat_(platform), view_(view), sounds_(sounds), painter_(platform.Board(), pictures, state_),
      clock_(view.clock, sounds) {}

// ---- loading and the title --------------------------------------------------------

void PlaySession::Start(const LevelFile& level, bool czech, LevelWords words, WinRecorder recordWin) {
    words_ = std::move(words);
    recordWin_ = std::move(recordWin);
    level_ = level;
    guide_.Forget();
    hintUntil_ = 0;
    hintAction_ = Action::None;
    hintKeyDown_ = false;
    view_.hintCost.clear();
    hintsTaken_ = 0;
    walk_.clear();
    pauseAsked_ = false;

    ShowBoard();
    static_cast<Field&>(state_) = fieldOf(level);
    state_.levelTitle = level.Title(czech);
    ShowTitles(words_.bestLine.empty() ? state_.levelTitle : state_.levelTitle + "\r\n" + words_.bestLine);
    state_.timeLimit = level.timeLimit;
    clock_.Set(state_.timeLimit);
    state_.backgroundNumber = level.backgroundNumber;
    state_.nextLevel = level.nextLevel;

    // A level solved as loaded is not won: only a turn wins.
    letWaterIn(state_);
    PaintBoard();
    pause_.Begin(kTitleMs);
    phase_ = PlayPhase::Title;
}

bool PlaySession::Running() const {
    switch (phase_) {
        case PlayPhase::NoLevel:
        case PlayPhase::Won:
        case PlayPhase::Lost:
        case PlayPhase::Left: return false;
        default: return true;
    }
}

LevelOutcome PlaySession::outcome() const {
    switch (phase_) {
        case PlayPhase::Won: return LevelOutcome::Won;
        case PlayPhase::Lost: return LevelOutcome::Lost;
        case PlayPhase::Left: return LevelOutcome::Left;
        default: return LevelOutcome::Playing;
    }
}

// ---- the frame loop's entry ---------------------------------------------------------

Wake PlaySession::Advance(std::uint64_t now) {
    eventsRan_ = false;
    for (;;) {
        std::optional<Wake> wake;
        switch (phase_) {
            case PlayPhase::Title: wake = TitleStands(now); break;
            case PlayPhase::Waiting: wake = PassWaits(now); break;
            case PlayPhase::Stepping: wake = StepFrame(now); break;
            case PlayPhase::Turning: wake = TurnFrame(now); break;
            case PlayPhase::Asking: wake = TakeAnswer(now); break;
            case PlayPhase::Paused: wake = PausedWaits(now); break;
            case PlayPhase::WinPicture:
            case PlayPhase::ShowingWon:
            case PlayPhase::ShowingLost: wake = OutcomeStands(now); break;
            case PlayPhase::NoLevel:
            case PlayPhase::Won:
            case PlayPhase::Lost:
            case PlayPhase::Left: wake = Wake{}; break;
        }
        if (wake) {
            wake->letEventsRun = eventsRan_;
            return *wake;
        }
    }
}

std::optional<Wake> PlaySession::TitleStands(std::uint64_t now) {
    // The long pictures give way at once to a close request.
    if (Closing()) {
        End();
        return std::nullopt;
    }
    // While the title stands, the outcome pictures are read, so that the win picture
    // goes up as soon as the level is won.
    if (pause_.OnScreen()) {
        painter_.Ready(kSlotWon);
        painter_.Ready(kSlotLost);
    }
    if (!pause_.Over(now)) return pause_.wake();
    pause_.End();
    HideTitles();
    clock_.Start(now);
    sounds_.Play("start");
    decided_ = LevelOutcome::Playing;
    FlushKeys(plat_);
    return RunPass(now);
}

// ---- a pass: the keys, an action, Esc and H, the wait, the time test ------------------

std::optional<Wake> PlaySession::RunPass(std::uint64_t now) {
    if (hintUntil_ != 0 && now >= hintUntil_) ClearHint();
    LetEventsRun(now);
    if (Closing()) {
        End();
        return std::nullopt;
    }
    // The keys come first; a click or the wheel acts when they ask nothing, and the walk
    // it began goes on a step a pass, at the pace of a held arrow.
    Action action = ReadDirection(plat_);
    if (action != Action::None) walk_.clear();
    if (const std::optional<InputEvent> pointer = plat_.LookAtPointer()) {
        const Action turn = TakePointer(*pointer);
        if (action == Action::None) action = turn;
    }
    const bool walking = action == Action::None && !walk_.empty();
    if (walking) {
        action = stepToward(walk_.front());
        walk_.pop_front();
    }
    if (isTurn(action)) {
        BeginTurn(action, now);
        return std::nullopt;
    }
    if (isStep(action) && BeginStep(action)) return std::nullopt;
    if (walking) walk_.clear();  // the way is no longer open
    return EndOfPass(now, action != Action::None);
}

std::optional<Wake> PlaySession::EndOfPass(std::uint64_t now, bool keysHeld) {
    if (Closing()) {
        End();
        return std::nullopt;
    }
    // A pass that decided the level ends it rather than pausing.
    // P counts by its press, not while held, so that the press that resumes does not
    // pause again.
    if ((plat_.LookAt(Key::P).pressed || pauseAsked_) && decided_ == LevelOutcome::Playing) {
        PauseLevel();
        return std::nullopt;
    }
    if (Pressed(plat_, Key::Escape)) {
        AskToQuit();
        return std::nullopt;
    }
    // One hint a press: a held H asks once.
    const bool h = Pressed(plat_, Key::H);
    if (h && !hintKeyDown_) TakeHint(now);
    hintKeyDown_ = h;
    phase_ = PlayPhase::Waiting;
    if (keysHeld || h || decided_ != LevelOutcome::Playing || clock_.timeLeft() == 0) {
        wait_ = Wake{now + kPassMs, false};
    } else {
        // Standing still: nothing is held and nothing moves, so the pass waits for a key
        // (a key pressed and let go meanwhile is still seen: its press is latched), for
        // the clock's next second, or for the hint to go.
        wait_ = Wake{std::min(clock_.NextTick(), hintUntil_ != 0 ? hintUntil_ : kNoDeadline), true};
    }
    return wait_;
}

std::optional<Wake> PlaySession::PassWaits(std::uint64_t now) {
    // A wait for a key ends whenever the frame loop comes back: a key, a close, its time.
    if (now < wait_.at && !wait_.onInput) return wait_;
    // Kept: the time test comes last in a pass, so a clock at 0 beats a solving turn and
    // a confirmed quit of the same pass.
    if (clock_.timeLeft() == 0) decided_ = LevelOutcome::Lost;
    if (decided_ != LevelOutcome::Playing || Closing()) {
        End();
        return std::nullopt;
    }
    return RunPass(now);
}

void PlaySession::LetEventsRun(std::uint64_t now) {
    eventsRan_ = true;
    clock_.TakeTick(now);
}

// ---- a step ---------------------------------------------------------------------------

bool PlaySession::BeginStep(Action step) {
    const Cell from{state_.playerX, state_.playerY};
    if (!canStep(state_.board, from.x, from.y, stepDirection(step))) return false;
    ClearHint();
    applyAction(state_, step);
    from_ = from;
    stepWay_ = stepDirection(step);
    offset_ = 0;
    due_ = 0;
    phase_ = PlayPhase::Stepping;
    return true;
}

std::optional<Wake> PlaySession::StepFrame(std::uint64_t now) {
    if (now < due_) return Wake{due_, false};
    // After each frame the opposite arrow may send the figure back from where it stands.
    if (offset_ > 0 && ReadDirection(plat_) == stepToward(opposite(stepWay_))) TurnStepBack();
    offset_ += kStepPxPerFrame;
    if (offset_ > kStepPx) return EndOfPass(now, true);
    painter_.Cell(from_.x, from_.y);
    painter_.Cell(from_.x + dirDx(stepWay_), from_.y + dirDy(stepWay_));
    painter_.WalkingFigure(from_.x, from_.y, stepWay_, offset_);
    return FrameStands(now);
}

void PlaySession::TurnStepBack() {
    // The way back always joins: the figure now walks from the cell it was heading for.
    const Direction back = opposite(stepWay_);
    if (!applyAction(state_, stepToward(back)).legal) return;
    from_ = {from_.x + dirDx(stepWay_), from_.y + dirDy(stepWay_)};
    stepWay_ = back;
    offset_ = kStepPx - offset_;
}

// ---- a quarter turn -------------------------------------------------------------------

void PlaySession::BeginTurn(Action turn, std::uint64_t now) {
    ClearHint();
    sounds_.Play("move");
    turn_ = turn;
    before_ = state_.board(state_.playerX, state_.playerY);
    // The water drains at once and comes back only when the turn keys are let go; the
    // drained cells are painted before the pipe starts to turn.
    Paint(applyAction(state_, turn, WaterAfterTurn::Waits), true);
    frame_ = 0;
    due_ = now;
    phase_ = PlayPhase::Turning;
}

std::optional<Wake> PlaySession::TurnFrame(std::uint64_t now) {
    if (now < due_) return Wake{due_, false};
    if (frame_ == kFramesPerAction) return EndOfTurn(now);
    ++frame_;
    const float sign = turn_ == Action::TurnLeft ? -1.0f : 1.0f;
    const int pipe = isPipe(before_) ? (state_.OnSource() ? kWetBase : kDryBase) + tileIndex(before_) : -1;
    painter_.TurningFrame(pipe, turn_ == Action::TurnLeft ? kSlotPlayerLeft : kSlotPlayerRight,
                          sign * kTurnDegreesPerFrame * static_cast<float>(frame_));
    return FrameStands(now);
}

std::optional<Wake> PlaySession::FrameStands(std::uint64_t now) {
    LetEventsRun(now);
    if (Closing()) {
        End();
        return std::nullopt;
    }
    due_ = now + kFrameMs;
    return Wake{due_, false};
}

std::optional<Wake> PlaySession::EndOfTurn(std::uint64_t now) {
    // Held keys turn on and on; the water waits until they are let go.
    const Action again = ReadDirection(plat_);
    if (isTurn(again)) {
        BeginTurn(again, now);
        return std::nullopt;
    }
    // The turned pictures reached up to 15 px into the four neighbours.
    const int x = state_.playerX, y = state_.playerY;
    painter_.Cell(x, y);
    painter_.Cell(x + 1, y);
    painter_.Cell(x - 1, y);
    painter_.Cell(x, y + 1);
    painter_.Cell(x, y - 1);
    const Effect water = letWaterIn(state_);
    Paint(water);
    if (water.won) decided_ = LevelOutcome::Won;
    return EndOfPass(now, true);
}

// ---- painting what changed ----------------------------------------------------------------

void PlaySession::PaintBoard() {
    for (int x = 0; x < kCols; ++x)
        for (int y = 0; y < kRows; ++y) painter_.Cell(x, y);
    painter_.Figure();
}

void PlaySession::Paint(const Effect& effect, bool pipeLifted) {
    for (const Cell& c : effect.changed) {
        // While its pipe turns, the figure's cell shows none.
        if (pipeLifted && c.x == state_.playerX && c.y == state_.playerY)
            painter_.BareCell(c.x, c.y);
        else
            painter_.Cell(c.x, c.y);
    }
    // Repainted cells may have covered the figure.
    painter_.Figure();
}

// ---- the quit question ------------------------------------------------------------------

void PlaySession::AskToQuit() {
    clock_.Stop();
    FlushKeys(plat_);
    ClearHint();
    ShowTitles(words_.quitQuestion);
    phase_ = PlayPhase::Asking;
}

std::optional<Wake> PlaySession::TakeAnswer(std::uint64_t now) {
    // All four keys are asked each time, so that a stale press of one cannot surface
    // later. Kept: N wins when both answers come at once. A close request counts as yes.
    const bool y = Pressed(plat_, Key::Y);
    const bool z = Pressed(plat_, Key::Z);
    const bool a = Pressed(plat_, Key::A);
    bool clickedYes = false;
    bool n = Pressed(plat_, Key::N);
    // A left click on the question answers it too: on the "Y" half yes, on the "N" half no.
    if (const std::optional<InputEvent> click = plat_.LookAtPointer();
        click && click->kind == InputEvent::Kind::PointerDown && click->button == PointerButton::Left) {
        const Box& band = look::kQuestionBand;
        if (click->y >= band.top && click->y < band.top + band.height && click->x >= band.left &&
            click->x < band.left + band.width)
            (click->x < band.left + band.width / 2 ? clickedYes : n) = true;
    }
    if (n) {
        FlushKeys(plat_);
        clock_.Start(now);
        HideTitles();
    } else if (y || z || a || clickedYes || Closing()) {
        decided_ = LevelOutcome::Left;
    } else {
        return Wake::OnInput();
    }
    if (Closing()) {
        End();
        return std::nullopt;
    }
    phase_ = PlayPhase::Waiting;
    wait_ = Wake{now + kPassMs, false};
    return wait_;
}

// ---- the pointer and the pause -------------------------------------------------------------

Action PlaySession::TakePointer(const InputEvent& pointer) {
    const std::optional<Cell> cell = BoardCellAt(pointer.x, pointer.y);
    if (!cell) return Action::None;
    // The wheel turns the pipe underfoot wherever it is over the board: away from the
    // player counter-clockwise, toward the player clockwise.
    if (pointer.kind == InputEvent::Kind::Wheel) {
        walk_.clear();
        return pointer.wheelSteps > 0 ? Action::TurnLeft : Action::TurnRight;
    }
    const Cell here{state_.playerX, state_.playerY};
    if (*cell == here) {
        walk_.clear();
        switch (pointer.button) {
            case PointerButton::Left: return Action::TurnLeft;
            case PointerButton::Right: return Action::TurnRight;
            case PointerButton::Middle: break;
        }
        return Action::None;
    }
    // A cell out of reach changes nothing, not even a walk under way.
    if (const auto way = shortestWalk(state_.board, here, *cell)) walk_.assign(way->begin(), way->end());
    return Action::None;
}

void PlaySession::LostAttention() {
    if (phase_ == PlayPhase::Stepping || phase_ == PlayPhase::Turning) {
        // The step or the turn under way finishes first.
        pauseAsked_ = true;
    } else if (phase_ == PlayPhase::Waiting && decided_ == LevelOutcome::Playing && clock_.timeLeft() > 0) {
        // Between passes it pauses at once: a pass standing still may wait a second for
        // its clock, and that second must not run.
        PauseLevel();
    }
}

void PlaySession::PauseLevel() {
    pauseAsked_ = false;
    clock_.Stop();
    walk_.clear();
    ClearHint();
    FlushKeys(plat_);
    // Nothing of the board shows while its clock stands, so a pause is no time to think.
    painter_.Backdrop();
    ShowTitles(words_.paused);
    phase_ = PlayPhase::Paused;
}

std::optional<Wake> PlaySession::PausedWaits(std::uint64_t now) {
    // What the player presses meanwhile is taken and dropped: only P and Esc mean anything.
    LetEventsRun(now);
    pauseAsked_ = false;
    if (Closing()) {
        End();
        return std::nullopt;
    }
    const bool p = plat_.LookAt(Key::P).pressed;
    const bool escape = plat_.LookAt(Key::Escape).pressed;
    if (!p && !escape) {
        plat_.LookAtPointer();
        return Wake::OnInput();
    }
    HideTitles();
    PaintBoard();
    if (escape) {
        AskToQuit();
        return std::nullopt;
    }
    FlushKeys(plat_);
    clock_.Start(now);
    phase_ = PlayPhase::Waiting;
    wait_ = Wake{now + kPassMs, false};
    return wait_;
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
    hintAction_ = Action::None;
    hintAt_ = {state_.playerX, state_.playerY};
    switch (hint.kind) {
        case Hint::Kind::Act:
            // Only a hint that shows the way is paid for.
            clock_.Set(static_cast<std::int16_t>(clock_.timeLeft() - cost));
            // The price stands beside the clock as long as the arrow does.
            view_.hintCost = "\u2212" + std::to_string(cost) + " s";
            ++hintsTaken_;
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
    view_.hintCost.clear();
    if (hintAction_ == Action::None) {
        HideTitles();
        return;
    }
    painter_.Cell(hintAt_.x, hintAt_.y);
    if (isStep(hintAction_)) {
        const Direction d = stepDirection(hintAction_);
        painter_.Cell(hintAt_.x + dirDx(d), hintAt_.y + dirDy(d));
    }
    painter_.Figure();
    hintAction_ = Action::None;
}

// ---- the end of the level ---------------------------------------------------------------

void PlaySession::End() {
    clock_.Stop();
    ClearHint();
    // Closing the window leaves the level as a confirmed quit does, whatever else the
    // pass decided, so that the sequence of levels stops and the program can end.
    const bool closing = Closing();
    if (closing) decided_ = LevelOutcome::Left;
    if (decided_ == LevelOutcome::Won || decided_ == LevelOutcome::Lost) {
        const bool won = decided_ == LevelOutcome::Won;
        painter_.Cover(won ? kSlotWon : kSlotLost);
        sounds_.Play(won ? "winner" : "looser");
        pause_.Begin(kOutcomeMs);
        phase_ = won ? PlayPhase::WinPicture : PlayPhase::ShowingLost;
        return;
    }
    if (!closing) sounds_.Play("menu");
    HideBoard();
    HideTitles();
    phase_ = PlayPhase::Left;
}

std::optional<Wake> PlaySession::OutcomeStands(std::uint64_t now) {
    // The win is written only once its picture is on screen, so that the write never
    // holds the picture back; a close before that still keeps it.
    if (phase_ == PlayPhase::WinPicture && (pause_.OnScreen() || Closing())) {
        RecordWin();
        phase_ = PlayPhase::ShowingWon;
    }
    // The long pictures give way at once to a close request.
    if (Closing()) {
        FinishOutcome();
        ReturnToMenu();
        return std::nullopt;
    }
    if (!pause_.Over(now)) return pause_.wake();
    FinishOutcome();
    return std::nullopt;
}

void PlaySession::RecordWin() {
    if (!recordWin_) return;
    const WinRecord record = recordWin_(clock_.timeLeft());
    if (record == WinRecord::NewBest) ShowTitles(words_.newBest);
    if (record == WinRecord::NewBestNotKept) ShowTitles(words_.newBestNotKept);
}

void PlaySession::FinishOutcome() {
    pause_.End();
    phase_ = phase_ == PlayPhase::ShowingLost ? PlayPhase::Lost : PlayPhase::Won;
    HideTitles();  // "New best!", if it stood over the picture
}

void PlaySession::ReturnToMenu() { HideBoard(); }

// ---- what the level shows in the window ------------------------------------------------------

void PlaySession::ShowBoard() {
    view_.boardShown = true;
    view_.clockShown = true;
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
